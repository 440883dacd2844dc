#include "simulator/value_mapping.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

namespace sim {

namespace {

constexpr int kMaxDepth = 64;

const char* const kTypedKinds[] = {"$int32", "$uint32", "$int64", "$uint64", "$double"};

bool Fail(ScenarioError* error, const std::string& path, const std::string& message) {
  if (error) *error = {path, message};
  return false;
}

// Reads a typed value's number, given as a JSON number or a decimal string.
bool ReadSigned(const Json& v, int64_t* out) {
  if (v.is_number_integer() && !v.is_number_unsigned()) {
    *out = v.get<int64_t>();
    return true;
  }
  if (v.is_number_unsigned()) {
    uint64_t u = v.get<uint64_t>();
    if (u > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) return false;
    *out = static_cast<int64_t>(u);
    return true;
  }
  if (!v.is_string()) return false;
  const std::string s = v.get<std::string>();
  if (s.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long long n = std::strtoll(s.c_str(), &end, 10);
  if (errno == ERANGE || *end != '\0') return false;
  *out = n;
  return true;
}

bool ReadUnsigned(const Json& v, uint64_t* out) {
  if (v.is_number_unsigned()) {
    *out = v.get<uint64_t>();
    return true;
  }
  if (v.is_number_integer()) {
    int64_t n = v.get<int64_t>();
    if (n < 0) return false;
    *out = static_cast<uint64_t>(n);
    return true;
  }
  if (!v.is_string()) return false;
  const std::string s = v.get<std::string>();
  if (s.empty() || s[0] == '-' || s[0] == '+') return false;
  char* end = nullptr;
  errno = 0;
  unsigned long long n = std::strtoull(s.c_str(), &end, 10);
  if (errno == ERANGE || *end != '\0') return false;
  *out = n;
  return true;
}

bool TypedToVariant(const std::string& kind, const Json& v, const std::string& path, Variant* out,
                    ScenarioError* error) {
  const std::string where = path + "." + kind;
  if (kind == "$double") {
    if (!v.is_number()) return Fail(error, where, "expected a number");
    *out = Variant(v.get<double>());
    return true;
  }
  if (kind == "$int32" || kind == "$int64") {
    int64_t n = 0;
    if (!ReadSigned(v, &n))
      return Fail(error, where, "expected a signed integer (number or string)");
    if (kind == "$int32") {
      if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max())
        return Fail(error, where, "out of the int32 range");
      *out = Variant(static_cast<int32_t>(n));
    } else {
      *out = Variant(n);
    }
    return true;
  }
  uint64_t n = 0;
  if (!ReadUnsigned(v, &n))
    return Fail(error, where, "expected an unsigned integer (number or string)");
  if (kind == "$uint32") {
    if (n > std::numeric_limits<uint32_t>::max())
      return Fail(error, where, "out of the uint32 range");
    *out = Variant(static_cast<uint32_t>(n));
  } else {
    *out = Variant(n);
  }
  return true;
}

bool ToVariantImpl(const Json& json, const std::string& path, Variant* out, ScenarioError* error,
                   int depth) {
  if (depth > kMaxDepth) return Fail(error, path, "nested too deeply");
  switch (json.type()) {
    case Json::value_t::null:
      *out = Variant();
      return true;
    case Json::value_t::boolean:
      *out = Variant(json.get<bool>());
      return true;
    case Json::value_t::string:
      *out = Variant(json.get<std::string>());
      return true;
    case Json::value_t::number_float:
      *out = Variant(json.get<double>());
      return true;
    case Json::value_t::number_integer: {
      int64_t n = json.get<int64_t>();
      if (n >= std::numeric_limits<int32_t>::min() && n <= std::numeric_limits<int32_t>::max())
        *out = Variant(static_cast<int32_t>(n));
      else
        *out = Variant(n);
      return true;
    }
    case Json::value_t::number_unsigned: {
      uint64_t n = json.get<uint64_t>();
      if (n <= static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        *out = Variant(static_cast<int32_t>(n));
      else if (n <= static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
        *out = Variant(static_cast<int64_t>(n));
      else
        *out = Variant(n);
      return true;
    }
    case Json::value_t::array: {
      Variant::Array a;
      size_t i = 0;
      for (const Json& e : json) {
        Variant v;
        if (!ToVariantImpl(e, path + "[" + std::to_string(i++) + "]", &v, error, depth + 1))
          return false;
        a.push_back(std::move(v));
      }
      *out = Variant(std::move(a));
      return true;
    }
    case Json::value_t::object: {
      std::string kind;
      if (IsTypedValue(json, &kind))
        return TypedToVariant(kind, json.begin().value(), path, out, error);
      if (json.size() == 1 && json.begin().key().rfind('$', 0) == 0)
        return Fail(error, path + "." + json.begin().key(), "unknown typed value");
      Variant::Map m;
      for (auto it = json.begin(); it != json.end(); ++it) {
        Variant v;
        if (!ToVariantImpl(it.value(), path + "." + it.key(), &v, error, depth + 1)) return false;
        m.insert_or_assign(it.key(), std::move(v));
      }
      *out = Variant(std::move(m));
      return true;
    }
    default:
      return Fail(error, path, "unsupported value");
  }
}

bool SubstituteImpl(const Json& json, const Captures& captures, const std::string& path, Json* out,
                    ScenarioError* error, int depth) {
  if (depth > kMaxDepth) return Fail(error, path, "nested too deeply");
  if (json.is_object() && json.size() == 1 && json.contains("$var")) {
    const Json& name = json["$var"];
    if (!name.is_string()) return Fail(error, path + ".$var", "expected a capture name");
    auto it = captures.find(name.get<std::string>());
    if (it == captures.end())
      return Fail(error, path + ".$var",
                  "no value was captured as \"" + name.get<std::string>() + "\"");
    *out = it->second;
    return true;
  }
  if (json.is_object()) {
    Json o = Json::object();
    for (auto it = json.begin(); it != json.end(); ++it) {
      Json v;
      if (!SubstituteImpl(it.value(), captures, path + "." + it.key(), &v, error, depth + 1))
        return false;
      o[it.key()] = std::move(v);
    }
    *out = std::move(o);
    return true;
  }
  if (json.is_array()) {
    Json a = Json::array();
    size_t i = 0;
    for (const Json& e : json) {
      Json v;
      if (!SubstituteImpl(e, captures, path + "[" + std::to_string(i++) + "]", &v, error,
                          depth + 1))
        return false;
      a.push_back(std::move(v));
    }
    *out = std::move(a);
    return true;
  }
  *out = json;
  return true;
}

bool ValidateImpl(const Json& json, const std::string& path, ScenarioError* error, int depth) {
  if (depth > kMaxDepth) return Fail(error, path, "nested too deeply");
  if (json.is_object() && json.size() == 1 && json.contains("$var")) {
    return json["$var"].is_string() ? true : Fail(error, path + ".$var", "expected a capture name");
  }
  if (json.is_object()) {
    std::string kind;
    if (IsTypedValue(json, &kind)) {
      Variant ignored;
      return TypedToVariant(kind, json.begin().value(), path, &ignored, error);
    }
    if (json.size() == 1 && json.begin().key().rfind('$', 0) == 0)
      return Fail(error, path + "." + json.begin().key(), "unknown typed value");
    for (auto it = json.begin(); it != json.end(); ++it)
      if (!ValidateImpl(it.value(), path + "." + it.key(), error, depth + 1)) return false;
    return true;
  }
  if (json.is_array()) {
    size_t i = 0;
    for (const Json& e : json)
      if (!ValidateImpl(e, path + "[" + std::to_string(i++) + "]", error, depth + 1)) return false;
  }
  return true;
}

}  // namespace

bool IsTypedValue(const Json& json, std::string* kind) {
  if (!json.is_object() || json.size() != 1) return false;
  const std::string& key = json.begin().key();
  for (const char* k : kTypedKinds) {
    if (key == k) {
      if (kind) *kind = key;
      return true;
    }
  }
  return false;
}

bool SubstituteVars(const Json& json, const Captures& captures, const std::string& path, Json* out,
                    ScenarioError* error) {
  return SubstituteImpl(json, captures, path, out, error, 0);
}

bool JsonToVariant(const Json& json, const std::string& path, Variant* out, ScenarioError* error) {
  return ToVariantImpl(json, path, out, error, 0);
}

bool ValidateValue(const Json& json, const std::string& path, ScenarioError* error) {
  return ValidateImpl(json, path, error, 0);
}

Json VariantToJson(const Variant& v) {
  switch (v.type()) {
    case Variant::Type::kNull:
      return nullptr;
    case Variant::Type::kBool:
      return v.AsBoolean();
    case Variant::Type::kInt32:
      return v.AsInt32();
    case Variant::Type::kUInt32:
      return Json{{"$uint32", v.AsUInt32()}};
    case Variant::Type::kInt64:
      return Json{{"$int64", std::to_string(v.AsInt64())}};
    case Variant::Type::kUInt64:
      return Json{{"$uint64", std::to_string(v.AsUInt64())}};
    case Variant::Type::kDouble:
      return Json{{"$double", v.AsDouble()}};
    case Variant::Type::kString:
      return v.AsStr();
    case Variant::Type::kPointer:
      return Json{{"$pointer", v.AsPointer() ? "set" : "null"}};
    case Variant::Type::kArray: {
      Json a = Json::array();
      for (const Variant& e : v.AsArray()) a.push_back(VariantToJson(e));
      return a;
    }
    case Variant::Type::kMap: {
      Json o = Json::object();
      for (const auto& [k, e] : v.AsMap()) o[k] = VariantToJson(e);
      return o;
    }
  }
  return nullptr;
}

}  // namespace sim
