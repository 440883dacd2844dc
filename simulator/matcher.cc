#include "simulator/matcher.h"

#include <cmath>
#include <cstdlib>

namespace sim {

namespace {

// The numeric value of a plain or typed trace number, as long double for comparison.
bool NumericValue(const Json& v, bool* is_integer, long double* out) {
  if (v.is_number_integer()) {
    *is_integer = true;
    *out = v.is_number_unsigned() ? static_cast<long double>(v.get<uint64_t>())
                                  : static_cast<long double>(v.get<int64_t>());
    return true;
  }
  if (v.is_number_float()) {
    *is_integer = false;
    *out = v.get<double>();
    return true;
  }
  std::string kind;
  if (!IsTypedValue(v, &kind)) return false;
  const Json& inner = v.begin().value();
  *is_integer = kind != "$double";
  if (inner.is_number()) {
    *out = inner.is_number_float()      ? static_cast<long double>(inner.get<double>())
           : inner.is_number_unsigned() ? static_cast<long double>(inner.get<uint64_t>())
                                        : static_cast<long double>(inner.get<int64_t>());
    return true;
  }
  if (inner.is_string()) {
    const std::string s = inner.get<std::string>();
    char* end = nullptr;
    *out = std::strtold(s.c_str(), &end);
    return end && *end == '\0' && !s.empty();
  }
  return false;
}

bool SameTypedValue(const Json& pattern, const Json& value) {
  std::string pk, vk;
  if (!IsTypedValue(pattern, &pk) || !IsTypedValue(value, &vk) || pk != vk) return false;
  bool pi, vi;
  long double pn, vn;
  return NumericValue(pattern, &pi, &pn) && NumericValue(value, &vi, &vn) && pn == vn;
}

bool IsMatcher(const Json& pattern, const char* name) {
  return pattern.is_object() && pattern.size() == 1 && pattern.contains(name);
}

bool MatchImpl(const Json& pattern, const Json* value, Captures* pending);

bool MatchObject(const Json& pattern, const Json& value, Captures* pending) {
  if (!value.is_object() || IsTypedValue(value)) return false;
  for (auto it = pattern.begin(); it != pattern.end(); ++it) {
    const Json* field = value.contains(it.key()) ? &value[it.key()] : nullptr;
    if (!MatchImpl(it.value(), field, pending)) return false;
  }
  return true;
}

bool MatchImpl(const Json& pattern, const Json* value, Captures* pending) {
  if (IsMatcher(pattern, "$absent")) return (value == nullptr) == pattern["$absent"].get<bool>();
  if (IsMatcher(pattern, "$any")) return value != nullptr;
  if (!value) return false;
  if (IsMatcher(pattern, "$capture")) {
    if (pattern["$capture"].is_string())
      (*pending)[pattern["$capture"].get<std::string>()] = *value;
    return true;
  }
  if (IsMatcher(pattern, "$prefix"))
    return value->is_string() && pattern["$prefix"].is_string() &&
           value->get<std::string>().rfind(pattern["$prefix"].get<std::string>(), 0) == 0;
  if (IsMatcher(pattern, "$contains"))
    return value->is_string() && pattern["$contains"].is_string() &&
           value->get<std::string>().find(pattern["$contains"].get<std::string>()) !=
               std::string::npos;
  if (IsMatcher(pattern, "$exact")) return *value == pattern["$exact"];
  if (IsMatcher(pattern, "$json")) {
    if (!value->is_string()) return false;
    Json parsed = Json::parse(value->get<std::string>(), nullptr, false);
    return !parsed.is_discarded() && MatchImpl(pattern["$json"], &parsed, pending);
  }
  if (IsTypedValue(pattern)) return SameTypedValue(pattern, *value);
  if (pattern.is_number()) {
    bool value_is_integer = false;
    long double n = 0;
    if (!NumericValue(*value, &value_is_integer, &n)) return false;
    if (pattern.is_number_integer()) {
      const long double p = pattern.is_number_unsigned()
                                ? static_cast<long double>(pattern.get<uint64_t>())
                                : static_cast<long double>(pattern.get<int64_t>());
      return value_is_integer && n == p;
    }
    return !value_is_integer && n == static_cast<long double>(pattern.get<double>());
  }
  if (pattern.is_object()) return MatchObject(pattern, *value, pending);
  if (pattern.is_array()) {
    if (!value->is_array() || value->size() != pattern.size()) return false;
    for (size_t i = 0; i < pattern.size(); ++i)
      if (!MatchImpl(pattern[i], &(*value)[i], pending)) return false;
    return true;
  }
  return pattern == *value;
}

}  // namespace

bool MatchValue(const Json& pattern, const Json* value, Captures* captures) {
  Captures pending;
  if (!MatchImpl(pattern, value, &pending)) return false;
  if (captures)
    for (auto& [k, v] : pending) (*captures)[k] = v;
  return true;
}

bool MatchInOrder(const Json& patterns, const std::vector<Json>& lines, Captures* captures,
                  size_t* failed) {
  size_t next_line = 0;
  for (size_t p = 0; p < patterns.size(); ++p) {
    bool found = false;
    while (next_line < lines.size()) {
      if (MatchValue(patterns[p], &lines[next_line++], captures)) {
        found = true;
        break;
      }
    }
    if (!found) {
      if (failed) *failed = p;
      return false;
    }
  }
  return true;
}

int FindAnyMatch(const Json& patterns, const std::vector<Json>& lines, size_t* which_pattern) {
  for (size_t l = 0; l < lines.size(); ++l) {
    for (size_t p = 0; p < patterns.size(); ++p) {
      if (MatchValue(patterns[p], &lines[l], nullptr)) {
        if (which_pattern) *which_pattern = p;
        return static_cast<int>(l);
      }
    }
  }
  return -1;
}

}  // namespace sim
