#include "platform/base/json.h"

namespace base {
namespace json {

namespace {
const nlohmann::ordered_json::error_handler_t kReplaceBadUtf8 =
    nlohmann::ordered_json::error_handler_t::replace;
}  // namespace

bool JsonValue::Parse(std::string_view text, JsonValue* out) {
  if (!out) return false;
  bool too_deep = false;
  // The parser itself is iterative; the depth limit protects the recursive consumers
  // (conversion to Variant, destruction) from hostile nesting.
  Impl::parser_callback_t guard = [&too_deep](int depth, Impl::parse_event_t, Impl&) {
    if (depth > kMaxDepth) too_deep = true;
    return !too_deep;
  };
  Impl parsed = Impl::parse(text.begin(), text.end(), guard, /*allow_exceptions=*/false,
                            /*ignore_comments=*/false);
  if (too_deep || parsed.is_discarded()) return false;
  out->v_ = std::move(parsed);
  return true;
}

bool JsonValue::HasMember(std::string_view key) const {
  return v_.is_object() && v_.find(key) != v_.end();
}

JsonValue JsonValue::operator[](std::string_view key) const {
  if (!v_.is_object()) return JsonValue();
  auto it = v_.find(key);
  return it == v_.end() ? JsonValue() : JsonValue(*it);
}

void JsonValue::Set(std::string_view key, JsonValue value) {
  if (!v_.is_object()) v_ = Impl::object();
  v_[std::string(key)] = std::move(value.v_);
}

void JsonValue::Append(JsonValue value) {
  if (!v_.is_array()) v_ = Impl::array();
  v_.push_back(std::move(value.v_));
}

size_t JsonValue::Size() const {
  return (v_.is_object() || v_.is_array()) ? v_.size() : 0;
}

JsonValue JsonValue::At(size_t index) const {
  if (!v_.is_array() || index >= v_.size()) return JsonValue();
  return JsonValue(v_[index]);
}

std::vector<std::string> JsonValue::MemberNames() const {
  std::vector<std::string> names;
  if (!v_.is_object()) return names;
  names.reserve(v_.size());
  for (auto it = v_.begin(); it != v_.end(); ++it) names.push_back(it.key());
  return names;
}

bool JsonValue::AsBool(bool def) const { return v_.is_boolean() ? v_.get<bool>() : def; }

int64_t JsonValue::AsInt64(int64_t def) const {
  if (v_.is_number_unsigned()) return static_cast<int64_t>(v_.get<uint64_t>());
  if (v_.is_number_integer()) return v_.get<int64_t>();
  return def;
}

uint64_t JsonValue::AsUInt64(uint64_t def) const {
  if (v_.is_number_unsigned()) return v_.get<uint64_t>();
  if (v_.is_number_integer()) return static_cast<uint64_t>(v_.get<int64_t>());
  return def;
}

double JsonValue::AsDouble(double def) const {
  return v_.is_number() ? v_.get<double>() : def;
}

std::string JsonValue::AsString(std::string_view def) const {
  return v_.is_string() ? v_.get<std::string>() : std::string(def);
}

std::string JsonValue::ToStyledString() const {
  return v_.dump(4, ' ', false, kReplaceBadUtf8) + "\n";
}

std::string JsonValue::ToCompactString() const {
  return v_.dump(-1, ' ', false, kReplaceBadUtf8);
}

}  // namespace json
}  // namespace base
