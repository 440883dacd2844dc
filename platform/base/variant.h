// base::variant::Variant: the dynamic value every event payload, call parameter, page property
// and report crosses a boundary with.
//
//   Variant v;                       // null
//   v["meeting_id"] = uint64_t{8812345678};
//   uint64_t id = v.GetUInt64("meeting_id", 0);   // exact: no trip through double
//
// Integers keep their exact type (int32, uint32, int64, uint64). Reads never throw: a missing
// key or a value of another kind gives the default. Maps are keyed by string and kept sorted, so
// text forms are stable. Not thread-safe; a value is owned by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace base {
namespace json {
class JsonValue;
}

namespace variant {

class Variant;

namespace internal {
// Deep-copying owner: keeps containers of Variant inside a Variant with value semantics.
template <class T>
class Boxed {
 public:
  Boxed() : p_(std::make_unique<T>()) {}
  explicit Boxed(T v) : p_(std::make_unique<T>(std::move(v))) {}
  Boxed(const Boxed& o) : p_(std::make_unique<T>(*o.p_)) {}
  Boxed(Boxed&&) noexcept = default;
  Boxed& operator=(const Boxed& o) {
    if (this != &o) p_ = std::make_unique<T>(*o.p_);
    return *this;
  }
  Boxed& operator=(Boxed&&) noexcept = default;
  T& get() { return *p_; }
  const T& get() const { return *p_; }
  bool operator==(const Boxed& o) const { return *p_ == *o.p_; }

 private:
  std::unique_ptr<T> p_;
};
}  // namespace internal

class Variant {
 public:
  enum class Type {
    kNull,
    kBool,
    kInt32,
    kUInt32,
    kInt64,
    kUInt64,
    kDouble,
    kString,
    kPointer,
    kArray,
    kMap,
  };
  using Array = std::vector<Variant>;
  using Map = std::map<std::string, Variant, std::less<>>;

  Variant();
  Variant(std::nullptr_t);
  Variant(bool v);
  Variant(int v);
  Variant(unsigned int v);
  Variant(long v);
  Variant(unsigned long v);
  Variant(long long v);
  Variant(unsigned long long v);
  Variant(double v);
  Variant(const char* v);
  Variant(std::string v);
  Variant(std::string_view v);
  Variant(void* v);
  Variant(const void* v);
  Variant(Array v);
  Variant(Map v);
  Variant(const Variant&);
  Variant(Variant&&) noexcept;
  Variant& operator=(const Variant&);
  Variant& operator=(Variant&&) noexcept;
  ~Variant();

  static Variant MakeArray() { return Variant(Array{}); }
  static Variant MakeMap() { return Variant(Map{}); }

  Type type() const { return static_cast<Type>(value_.index()); }
  bool IsNull() const { return type() == Type::kNull; }
  bool IsBool() const { return type() == Type::kBool; }
  bool IsInt32() const { return type() == Type::kInt32; }
  bool IsUInt32() const { return type() == Type::kUInt32; }
  bool IsInt64() const { return type() == Type::kInt64; }
  bool IsUInt64() const { return type() == Type::kUInt64; }
  // Any of the four integer kinds.
  bool IsInteger() const;
  bool IsDouble() const { return type() == Type::kDouble; }
  // An integer or a real.
  bool IsNumber() const { return IsInteger() || IsDouble(); }
  bool IsString() const { return type() == Type::kString; }
  bool IsPointer() const { return type() == Type::kPointer; }
  bool IsArray() const { return type() == Type::kArray; }
  bool IsMap() const { return type() == Type::kMap; }

  // Conversions of this value. Numbers convert between each other (C++ conversion rules; reals
  // saturate and NaN gives 0); a bool counts as 0 or 1; everything else gives 0 / false / "".
  bool AsBoolean() const;
  int32_t AsInt32() const;
  uint32_t AsUInt32() const;
  int64_t AsInt64() const;
  uint64_t AsUInt64() const;
  double AsDouble() const;
  // The string held, or "" for any other kind (use ToString() for a text form).
  const std::string& AsStr() const;
  void* AsPointer() const;

  // Containers. On a value of another kind the const forms are empty.
  const Array& AsArray() const;
  const Map& AsMap() const;
  // Mutable forms turn a value of another kind into an empty container first.
  Array& MutableArray();
  Map& MutableMap();
  size_t Size() const;  // elements of an array, entries of a map, else 0
  bool Empty() const { return Size() == 0; }

  // Map access.
  bool Has(std::string_view key) const;
  // The value under key, or a shared null value when absent or when this is not a map.
  const Variant& Get(std::string_view key) const;
  // Adds the key (as null) when absent; a value that is not a map becomes an empty map first.
  Variant& operator[](std::string_view key);
  const Variant& operator[](std::string_view key) const { return Get(key); }
  bool Erase(std::string_view key);

  // Typed reads of a map entry: the default when the key is absent or holds another kind.
  // Numeric reads accept any number kind (converted as AsInt32() etc.), GetBool a bool only.
  bool GetBool(std::string_view key, bool def = false) const;
  int32_t GetInt32(std::string_view key, int32_t def = 0) const;
  uint32_t GetUInt32(std::string_view key, uint32_t def = 0) const;
  int64_t GetInt64(std::string_view key, int64_t def = 0) const;
  uint64_t GetUInt64(std::string_view key, uint64_t def = 0) const;
  double GetDouble(std::string_view key, double def = 0.0) const;
  std::string GetString(std::string_view key, std::string_view def = {}) const;

  // Array access. At() gives a shared null value out of range or on another kind.
  const Variant& At(size_t index) const;
  // Appends; null becomes an empty array first, any other non-array kind too.
  void Add(Variant v);

  // Readable JSON-like text: strings quoted and escaped, 64-bit and unsigned integers as plain
  // numbers, pointers as "0x..." strings, maps with sorted keys.
  std::string ToString() const;

  // JSON conversion. Integers keep their exact value: a JSON integer becomes int32 when it
  // fits, else int64, else uint64. Nesting deeper than kMaxJsonDepth becomes null.
  static constexpr int kMaxJsonDepth = 128;
  static Variant FromJson(const base::json::JsonValue& json);
  base::json::JsonValue ToJson() const;

  // Deep equality; kinds must match exactly (int32 1 != uint64 1).
  bool operator==(const Variant& o) const;
  bool operator!=(const Variant& o) const { return !(*this == o); }

 private:
  using Value = std::variant<std::monostate, bool, int32_t, uint32_t, int64_t, uint64_t, double,
                             std::string, void*, internal::Boxed<Array>, internal::Boxed<Map>>;
  Value value_;
};

}  // namespace variant
}  // namespace base

namespace framework {
// The framework's name for a Variant's text form.
std::string VariantToString(const base::variant::Variant& v);
std::string VariantToString(const base::variant::Variant* v);
}  // namespace framework
