// base::json::JsonValue: the JSON document type of the platform, over nlohmann::ordered_json
// (object members keep their order; 64-bit integers stay exact).
//
//   base::json::JsonValue body;
//   body.Set("meeting_id", "8812345678");
//   std::string text = body.ToStyledString();
//
// Parsing never throws: Parse() returns false on malformed text. Reads give defaults on a value
// of another kind. Not thread-safe.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace base {
namespace json {

class JsonValue {
 public:
  using Impl = nlohmann::ordered_json;

  JsonValue() = default;  // null
  explicit JsonValue(Impl v) : v_(std::move(v)) {}
  JsonValue(bool v) : v_(v) {}
  JsonValue(int32_t v) : v_(v) {}
  JsonValue(uint32_t v) : v_(v) {}
  JsonValue(int64_t v) : v_(v) {}
  JsonValue(uint64_t v) : v_(v) {}
  JsonValue(double v) : v_(v) {}
  JsonValue(const char* v) : v_(v) {}
  JsonValue(std::string v) : v_(std::move(v)) {}

  static JsonValue MakeObject() { return JsonValue(Impl::object()); }
  static JsonValue MakeArray() { return JsonValue(Impl::array()); }

  // Parses text (the whole of it); false and *out untouched on malformed or over-deep input.
  static bool Parse(std::string_view text, JsonValue* out);
  static constexpr int kMaxDepth = 256;

  bool IsNull() const { return v_.is_null(); }
  bool IsBool() const { return v_.is_boolean(); }
  bool IsObject() const { return v_.is_object(); }
  bool IsArray() const { return v_.is_array(); }
  bool IsString() const { return v_.is_string(); }
  bool IsNumber() const { return v_.is_number(); }
  bool IsInteger() const { return v_.is_number_integer(); }  // signed or unsigned
  bool IsUnsigned() const { return v_.is_number_unsigned(); }
  bool IsDouble() const { return v_.is_number_float(); }

  bool HasMember(std::string_view key) const;
  // A copy of the member; null when absent or when this is not an object.
  JsonValue operator[](std::string_view key) const;
  // Builds objects: a value that is not an object becomes an empty object first.
  void Set(std::string_view key, JsonValue value);
  // Builds arrays: a value that is not an array becomes an empty array first.
  void Append(JsonValue value);
  size_t Size() const;
  // A copy of the element; null out of range or when this is not an array.
  JsonValue At(size_t index) const;
  std::vector<std::string> MemberNames() const;

  bool AsBool(bool def = false) const;
  int64_t AsInt64(int64_t def = 0) const;
  uint64_t AsUInt64(uint64_t def = 0) const;
  double AsDouble(double def = 0.0) const;
  // The string held, or def for any other kind.
  std::string AsString(std::string_view def = {}) const;

  // Indented text (four spaces, members in order) ending with a newline.
  std::string ToStyledString() const;
  // One-line text.
  std::string ToCompactString() const;

  const Impl& impl() const { return v_; }
  Impl& impl() { return v_; }

  bool operator==(const JsonValue& o) const { return v_ == o.v_; }

 private:
  Impl v_;
};

}  // namespace json
}  // namespace base
