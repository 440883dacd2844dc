#include "platform/base/variant.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/base/json.h"

namespace base {
namespace variant {

namespace {

const Variant& NullValue() {
  static const Variant* const kNull = new Variant();
  return *kNull;
}

const Variant::Array& EmptyArray() {
  static const Variant::Array* const kEmpty = new Variant::Array();
  return *kEmpty;
}

const Variant::Map& EmptyMap() {
  static const Variant::Map* const kEmpty = new Variant::Map();
  return *kEmpty;
}

const std::string& EmptyString() {
  static const std::string* const kEmpty = new std::string();
  return *kEmpty;
}

// Real to integer without undefined behaviour: NaN gives 0, out of range saturates.
template <class I>
I SaturatingCast(double d) {
  if (std::isnan(d)) return 0;
  if (d <= static_cast<double>(std::numeric_limits<I>::min())) return std::numeric_limits<I>::min();
  if (d >= static_cast<double>(std::numeric_limits<I>::max())) return std::numeric_limits<I>::max();
  return static_cast<I>(d);
}

template <class I>
I ToInteger(const Variant& v) {
  switch (v.type()) {
    case Variant::Type::kBool:
      return v.AsBoolean() ? 1 : 0;
    case Variant::Type::kInt32:
    case Variant::Type::kInt64:
      return static_cast<I>(v.AsInt64());
    case Variant::Type::kUInt32:
    case Variant::Type::kUInt64:
      return static_cast<I>(v.AsUInt64());
    case Variant::Type::kDouble:
      return SaturatingCast<I>(v.AsDouble());
    default:
      return 0;
  }
}

void AppendQuoted(std::string& out, const std::string& s) {
  out.push_back('"');
  for (unsigned char c : s) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out.push_back(static_cast<char>(c));
        }
    }
  }
  out.push_back('"');
}

void AppendDouble(std::string& out, double d) {
  if (!std::isfinite(d)) {
    out += std::isnan(d) ? "NaN" : (d > 0 ? "Infinity" : "-Infinity");
    return;
  }
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, d);
  out.append(buf, res.ptr);
}

void AppendText(std::string& out, const Variant& v) {
  switch (v.type()) {
    case Variant::Type::kNull: out += "null"; break;
    case Variant::Type::kBool: out += v.AsBoolean() ? "true" : "false"; break;
    case Variant::Type::kInt32:
    case Variant::Type::kInt64: out += std::to_string(v.AsInt64()); break;
    case Variant::Type::kUInt32:
    case Variant::Type::kUInt64: out += std::to_string(v.AsUInt64()); break;
    case Variant::Type::kDouble: AppendDouble(out, v.AsDouble()); break;
    case Variant::Type::kString: AppendQuoted(out, v.AsStr()); break;
    case Variant::Type::kPointer: {
      char buf[32];
      std::snprintf(buf, sizeof buf, "\"%p\"", v.AsPointer());
      out += buf;
      break;
    }
    case Variant::Type::kArray: {
      out.push_back('[');
      bool first = true;
      for (const Variant& e : v.AsArray()) {
        if (!first) out += ", ";
        first = false;
        AppendText(out, e);
      }
      out.push_back(']');
      break;
    }
    case Variant::Type::kMap: {
      out.push_back('{');
      bool first = true;
      for (const auto& [k, e] : v.AsMap()) {
        if (!first) out += ", ";
        first = false;
        AppendQuoted(out, k);
        out += ": ";
        AppendText(out, e);
      }
      out.push_back('}');
      break;
    }
  }
}

Variant FromJsonImpl(const nlohmann::ordered_json& j, int depth) {
  if (depth > Variant::kMaxJsonDepth) return Variant();
  switch (j.type()) {
    case nlohmann::ordered_json::value_t::boolean:
      return Variant(j.get<bool>());
    case nlohmann::ordered_json::value_t::number_integer: {
      int64_t n = j.get<int64_t>();
      if (n >= std::numeric_limits<int32_t>::min() && n <= std::numeric_limits<int32_t>::max())
        return Variant(static_cast<int32_t>(n));
      return Variant(n);
    }
    case nlohmann::ordered_json::value_t::number_unsigned: {
      uint64_t n = j.get<uint64_t>();
      if (n <= static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        return Variant(static_cast<int32_t>(n));
      if (n <= static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
        return Variant(static_cast<int64_t>(n));
      return Variant(n);
    }
    case nlohmann::ordered_json::value_t::number_float:
      return Variant(j.get<double>());
    case nlohmann::ordered_json::value_t::string:
      return Variant(j.get<std::string>());
    case nlohmann::ordered_json::value_t::array: {
      Variant::Array a;
      a.reserve(j.size());
      for (const auto& e : j) a.push_back(FromJsonImpl(e, depth + 1));
      return Variant(std::move(a));
    }
    case nlohmann::ordered_json::value_t::object: {
      Variant::Map m;
      for (auto it = j.begin(); it != j.end(); ++it)
        m.insert_or_assign(it.key(), FromJsonImpl(it.value(), depth + 1));
      return Variant(std::move(m));
    }
    default:
      return Variant();
  }
}

nlohmann::ordered_json ToJsonImpl(const Variant& v, int depth) {
  if (depth > Variant::kMaxJsonDepth) return nullptr;
  switch (v.type()) {
    case Variant::Type::kNull: return nullptr;
    case Variant::Type::kBool: return v.AsBoolean();
    case Variant::Type::kInt32:
    case Variant::Type::kInt64: return v.AsInt64();
    case Variant::Type::kUInt32:
    case Variant::Type::kUInt64: return v.AsUInt64();
    case Variant::Type::kDouble: return v.AsDouble();
    case Variant::Type::kString: return v.AsStr();
    case Variant::Type::kPointer: {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%p", v.AsPointer());
      return std::string(buf);
    }
    case Variant::Type::kArray: {
      auto a = nlohmann::ordered_json::array();
      for (const Variant& e : v.AsArray()) a.push_back(ToJsonImpl(e, depth + 1));
      return a;
    }
    case Variant::Type::kMap: {
      auto o = nlohmann::ordered_json::object();
      for (const auto& [k, e] : v.AsMap()) o[k] = ToJsonImpl(e, depth + 1);
      return o;
    }
  }
  return nullptr;
}

}  // namespace

Variant::Variant() = default;
Variant::Variant(std::nullptr_t) {}
Variant::Variant(bool v) : value_(v) {}
Variant::Variant(int v) : value_(static_cast<int32_t>(v)) {}
Variant::Variant(unsigned int v) : value_(static_cast<uint32_t>(v)) {}
Variant::Variant(long v) : value_(static_cast<int64_t>(v)) {}
Variant::Variant(unsigned long v) : value_(static_cast<uint64_t>(v)) {}
Variant::Variant(long long v) : value_(static_cast<int64_t>(v)) {}
Variant::Variant(unsigned long long v) : value_(static_cast<uint64_t>(v)) {}
Variant::Variant(double v) : value_(v) {}
Variant::Variant(const char* v) : value_(std::string(v ? v : "")) {}
Variant::Variant(std::string v) : value_(std::move(v)) {}
Variant::Variant(std::string_view v) : value_(std::string(v)) {}
Variant::Variant(void* v) : value_(v) {}
Variant::Variant(const void* v) : value_(const_cast<void*>(v)) {}
Variant::Variant(Array v) : value_(internal::Boxed<Array>(std::move(v))) {}
Variant::Variant(Map v) : value_(internal::Boxed<Map>(std::move(v))) {}
Variant::Variant(const Variant&) = default;
Variant::Variant(Variant&&) noexcept = default;
Variant& Variant::operator=(const Variant&) = default;
Variant& Variant::operator=(Variant&&) noexcept = default;
Variant::~Variant() = default;

bool Variant::IsInteger() const {
  Type t = type();
  return t == Type::kInt32 || t == Type::kUInt32 || t == Type::kInt64 || t == Type::kUInt64;
}

bool Variant::AsBoolean() const {
  switch (type()) {
    case Type::kBool: return std::get<bool>(value_);
    case Type::kDouble: return AsDouble() != 0.0;
    default: return IsInteger() && AsUInt64() != 0;
  }
}

int32_t Variant::AsInt32() const { return ToInteger<int32_t>(*this); }
uint32_t Variant::AsUInt32() const { return ToInteger<uint32_t>(*this); }

int64_t Variant::AsInt64() const {
  switch (type()) {
    case Type::kInt32: return std::get<int32_t>(value_);
    case Type::kUInt32: return std::get<uint32_t>(value_);
    case Type::kInt64: return std::get<int64_t>(value_);
    case Type::kUInt64: return static_cast<int64_t>(std::get<uint64_t>(value_));
    case Type::kBool: return std::get<bool>(value_) ? 1 : 0;
    case Type::kDouble: return SaturatingCast<int64_t>(std::get<double>(value_));
    default: return 0;
  }
}

uint64_t Variant::AsUInt64() const {
  switch (type()) {
    case Type::kInt32: return static_cast<uint64_t>(static_cast<int64_t>(std::get<int32_t>(value_)));
    case Type::kUInt32: return std::get<uint32_t>(value_);
    case Type::kInt64: return static_cast<uint64_t>(std::get<int64_t>(value_));
    case Type::kUInt64: return std::get<uint64_t>(value_);
    case Type::kBool: return std::get<bool>(value_) ? 1 : 0;
    case Type::kDouble: return SaturatingCast<uint64_t>(std::get<double>(value_));
    default: return 0;
  }
}

double Variant::AsDouble() const {
  switch (type()) {
    case Type::kDouble: return std::get<double>(value_);
    case Type::kUInt32:
    case Type::kUInt64: return static_cast<double>(AsUInt64());
    case Type::kInt32:
    case Type::kInt64:
    case Type::kBool: return static_cast<double>(AsInt64());
    default: return 0.0;
  }
}

const std::string& Variant::AsStr() const {
  return IsString() ? std::get<std::string>(value_) : EmptyString();
}

void* Variant::AsPointer() const { return IsPointer() ? std::get<void*>(value_) : nullptr; }

const Variant::Array& Variant::AsArray() const {
  return IsArray() ? std::get<internal::Boxed<Array>>(value_).get() : EmptyArray();
}

const Variant::Map& Variant::AsMap() const {
  return IsMap() ? std::get<internal::Boxed<Map>>(value_).get() : EmptyMap();
}

Variant::Array& Variant::MutableArray() {
  if (!IsArray()) value_ = internal::Boxed<Array>();
  return std::get<internal::Boxed<Array>>(value_).get();
}

Variant::Map& Variant::MutableMap() {
  if (!IsMap()) value_ = internal::Boxed<Map>();
  return std::get<internal::Boxed<Map>>(value_).get();
}

size_t Variant::Size() const {
  if (IsArray()) return AsArray().size();
  if (IsMap()) return AsMap().size();
  return 0;
}

bool Variant::Has(std::string_view key) const {
  if (!IsMap()) return false;
  const Map& m = AsMap();
  return m.find(key) != m.end();
}

const Variant& Variant::Get(std::string_view key) const {
  if (!IsMap()) return NullValue();
  const Map& m = AsMap();
  auto it = m.find(key);
  return it == m.end() ? NullValue() : it->second;
}

Variant& Variant::operator[](std::string_view key) {
  Map& m = MutableMap();
  // One search: a new key goes in at the place the search ended.
  auto it = m.lower_bound(key);
  if (it == m.end() || m.key_comp()(key, it->first))
    it = m.emplace_hint(it, std::string(key), Variant());
  return it->second;
}

bool Variant::Erase(std::string_view key) {
  if (!IsMap()) return false;
  Map& m = MutableMap();
  auto it = m.find(key);
  if (it == m.end()) return false;
  m.erase(it);
  return true;
}

bool Variant::GetBool(std::string_view key, bool def) const {
  const Variant& v = Get(key);
  return v.IsBool() ? v.AsBoolean() : def;
}

int32_t Variant::GetInt32(std::string_view key, int32_t def) const {
  const Variant& v = Get(key);
  return v.IsNumber() ? v.AsInt32() : def;
}

uint32_t Variant::GetUInt32(std::string_view key, uint32_t def) const {
  const Variant& v = Get(key);
  return v.IsNumber() ? v.AsUInt32() : def;
}

int64_t Variant::GetInt64(std::string_view key, int64_t def) const {
  const Variant& v = Get(key);
  return v.IsNumber() ? v.AsInt64() : def;
}

uint64_t Variant::GetUInt64(std::string_view key, uint64_t def) const {
  const Variant& v = Get(key);
  return v.IsNumber() ? v.AsUInt64() : def;
}

double Variant::GetDouble(std::string_view key, double def) const {
  const Variant& v = Get(key);
  return v.IsNumber() ? v.AsDouble() : def;
}

std::string Variant::GetString(std::string_view key, std::string_view def) const {
  const Variant& v = Get(key);
  return v.IsString() ? v.AsStr() : std::string(def);
}

const Variant& Variant::At(size_t index) const {
  const Array& a = AsArray();
  return index < a.size() ? a[index] : NullValue();
}

void Variant::Add(Variant v) { MutableArray().push_back(std::move(v)); }

std::string Variant::ToString() const {
  std::string out;
  AppendText(out, *this);
  return out;
}

Variant Variant::FromJson(const base::json::JsonValue& json) { return FromJsonImpl(json.impl(), 0); }

base::json::JsonValue Variant::ToJson() const { return base::json::JsonValue(ToJsonImpl(*this, 0)); }

bool Variant::operator==(const Variant& o) const { return value_ == o.value_; }

}  // namespace variant
}  // namespace base

namespace framework {
std::string VariantToString(const base::variant::Variant& v) { return v.ToString(); }
std::string VariantToString(const base::variant::Variant* v) { return v ? v->ToString() : "null"; }
}  // namespace framework
