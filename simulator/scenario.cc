#include "simulator/scenario.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace sim {

namespace {

bool Fail(ScenarioError* error, const std::string& path, const std::string& message) {
  if (error) *error = {path, message};
  return false;
}

bool IsAbsentMarker(const Json& v) {
  return v.is_object() && v.size() == 1 && v.contains("$absent") && v["$absent"] == true;
}

bool IsDecimalKey(const std::string& key) {
  return !key.empty() && key.size() <= 10 &&
         std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsInt32(const Json& v) {
  if (!v.is_number_integer()) return false;
  if (v.is_number_unsigned()) return v.get<uint64_t>() <= 0x7FFFFFFFu;
  const int64_t n = v.get<int64_t>();
  return n >= INT32_MIN && n <= INT32_MAX;
}

// Ids of events, calls and actions: any 32-bit pattern, written as a plain number.
bool IsId32(const Json& v) {
  if (!v.is_number_integer()) return false;
  if (v.is_number_unsigned()) return v.get<uint64_t>() <= 0xFFFFFFFFu;
  const int64_t n = v.get<int64_t>();
  return n >= INT32_MIN && n <= static_cast<int64_t>(0xFFFFFFFFu);
}

bool IsUInt64Value(const Json& v) {
  if (v.is_number_unsigned()) return true;
  if (v.is_number_integer()) return v.get<int64_t>() >= 0;
  if (v.is_string()) {
    const std::string s = v.get<std::string>();
    if (s.empty() || s.find_first_not_of("0123456789") != std::string::npos) return false;
    errno = 0;
    std::strtoull(s.c_str(), nullptr, 10);
    return errno != ERANGE;
  }
  if (v.is_object() && v.size() == 1 && v.contains("$uint64")) return IsUInt64Value(v["$uint64"]);
  return false;
}

enum class FieldType { kString, kInt, kBool, kUInt64, kValue, kObject, kArray, kId };

const char* Describe(FieldType t) {
  switch (t) {
    case FieldType::kString:
      return "expected a string";
    case FieldType::kInt:
      return "expected an integer (int32)";
    case FieldType::kBool:
      return "expected true or false";
    case FieldType::kUInt64:
      return "expected an unsigned 64-bit integer (number or decimal string)";
    case FieldType::kValue:
      return "expected a value";
    case FieldType::kObject:
      return "expected an object";
    case FieldType::kArray:
      return "expected an array";
    case FieldType::kId:
      return "expected an id (a 32-bit integer)";
  }
  return "unexpected";
}

bool CheckType(const Json& v, FieldType t, const std::string& path, ScenarioError* error) {
  bool ok = false;
  switch (t) {
    case FieldType::kString:
      ok = v.is_string();
      break;
    case FieldType::kInt:
      ok = IsInt32(v);
      break;
    case FieldType::kBool:
      ok = v.is_boolean();
      break;
    case FieldType::kUInt64:
      ok = IsUInt64Value(v);
      break;
    case FieldType::kValue:
      return ValidateValue(v, path, error);
    case FieldType::kObject:
      ok = v.is_object();
      break;
    case FieldType::kArray:
      ok = v.is_array();
      break;
    case FieldType::kId:
      ok = IsId32(v);
      break;
  }
  return ok ? true : Fail(error, path, Describe(t));
}

struct Field {
  const char* name;
  FieldType type;
  bool required;
};

// Checks that obj is an object with only the fields listed, each of its type.
bool CheckObject(const Json& obj, const std::string& path, std::initializer_list<Field> fields,
                 ScenarioError* error) {
  if (!obj.is_object()) return Fail(error, path, "expected an object");
  for (auto it = obj.begin(); it != obj.end(); ++it) {
    auto f = std::find_if(fields.begin(), fields.end(),
                          [&](const Field& x) { return it.key() == x.name; });
    if (f == fields.end()) {
      std::string known;
      for (const Field& x : fields) known += (known.empty() ? "" : ", ") + std::string(x.name);
      return Fail(error, path + "." + it.key(), "unknown key (expected one of: " + known + ")");
    }
    if (!CheckType(it.value(), f->type, path + "." + it.key(), error)) return false;
  }
  for (const Field& f : fields)
    if (f.required && !obj.contains(f.name))
      return Fail(error, path + "." + f.name, std::string("missing; ") + Describe(f.type));
  return true;
}

bool CheckSelector(const Json& v, const std::string& path, ScenarioError* error) {
  Selector s;
  if (!v.is_string()) return Fail(error, path, "expected a widget selector (a string)");
  if (!ParseSelector(v.get<std::string>(), &s))
    return Fail(error, path,
                "expected a widget selector: NAME, class:NAME or text:TEXT, optionally #N");
  return true;
}

bool CheckExpectList(const Json& list, const std::string& path, ScenarioError* error) {
  if (!list.is_array()) return Fail(error, path, "expected an array of trace-line patterns");
  for (size_t i = 0; i < list.size(); ++i) {
    const std::string p = path + "[" + std::to_string(i) + "]";
    if (!list[i].is_object()) return Fail(error, p, "expected an object (a partial trace line)");
    if (!list[i].contains("kind"))
      return Fail(error, p + ".kind", "missing; every pattern names a kind");
  }
  return true;
}

bool CheckStepBody(const std::string& kind, const Json& body, const std::string& path,
                   ScenarioError* error) {
  if (kind == "fire")
    return CheckObject(body, path,
                       {{"model", FieldType::kInt, true},
                        {"event", FieldType::kId, true},
                        {"payload", FieldType::kValue, false}},
                       error);
  if (kind == "call")
    return CheckObject(body, path,
                       {{"id", FieldType::kId, true},
                        {"param", FieldType::kValue, false},
                        {"no_result", FieldType::kBool, false}},
                       error);
  if (kind == "navigate")
    return CheckObject(body, path,
                       {{"uri", FieldType::kString, true}, {"params", FieldType::kValue, false}},
                       error);
  if (kind == "controller")
    return CheckObject(body, path,
                       {{"uri", FieldType::kString, true},
                        {"action", FieldType::kString, true},
                        {"params", FieldType::kValue, false},
                        {"result", FieldType::kBool, false}},
                       error);
  if (kind == "action") {
    if (!CheckObject(body, path,
                     {{"page", FieldType::kString, true},
                      {"id", FieldType::kId, true},
                      {"param", FieldType::kValue, false}},
                     error))
      return false;
    const std::string page = body["page"].get<std::string>();
    if (page != "conclusion" && page != "feedback" && page != "container")
      return Fail(error, path + ".page", "expected \"conclusion\", \"feedback\" or \"container\"");
    return true;
  }
  if (kind == "click" || kind == "inspect") return CheckSelector(body, path, error);
  if (kind == "type") {
    if (!CheckObject(body, path,
                     {{"into", FieldType::kString, true},
                      {"text", FieldType::kString, false},
                      {"paste", FieldType::kString, false},
                      {"keys", FieldType::kArray, false}},
                     error))
      return false;
    if (!CheckSelector(body["into"], path + ".into", error)) return false;
    const int given = body.contains("text") + body.contains("paste") + body.contains("keys");
    if (given != 1)
      return Fail(error, path, "expected exactly one of \"text\", \"paste\", \"keys\"");
    if (body.contains("keys")) {
      for (size_t i = 0; i < body["keys"].size(); ++i)
        if (!body["keys"][i].is_string())
          return Fail(error, path + ".keys[" + std::to_string(i) + "]",
                      "expected a key sequence string");
    }
    return true;
  }
  if (kind == "advance") {
    if (!body.is_number_integer() || (!body.is_number_unsigned() && body.get<int64_t>() < 0))
      return Fail(error, path, "expected milliseconds (a non-negative integer)");
    return true;
  }
  if (kind == "settle" || kind == "deactivate") return CheckObject(body, path, {}, error);
  if (kind == "set") {
    if (!CheckObject(body, path,
                     {{"platform", FieldType::kObject, false},
                      {"config", FieldType::kObject, false},
                      {"backend", FieldType::kObject, false},
                      {"host_models", FieldType::kObject, false}},
                     error))
      return false;
    if (body.contains("platform") &&
        !ValidatePlatform(body["platform"], path + ".platform", true, error))
      return false;
    if (body.contains("backend") &&
        !ValidateBackend(body["backend"], path + ".backend", true, error))
      return false;
    if (body.contains("host_models") &&
        !ValidateHostModels(body["host_models"], path + ".host_models", true, error))
      return false;
    if (body.contains("config")) {
      for (auto it = body["config"].begin(); it != body["config"].end(); ++it)
        if (!IsAbsentMarker(it.value()) &&
            !ValidateValue(it.value(), path + ".config." + it.key(), error))
          return false;
    }
    return true;
  }
  if (kind == "screenshot") {
    if (!body.is_string() || body.get<std::string>().empty() ||
        body.get<std::string>().find('/') != std::string::npos)
      return Fail(error, path, "expected a file name without '/'");
    return true;
  }
  if (kind == "auth_state") return CheckType(body, FieldType::kInt, path, error);
  if (kind == "extension_update")
    return CheckObject(
        body, path, {{"id", FieldType::kString, true}, {"item", FieldType::kValue, true}}, error);
  return Fail(error, path, "unknown step");
}

const std::vector<std::string>& StepKinds() {
  static const std::vector<std::string> kinds = {
      "fire",  "call",       "navigate",   "controller",       "action",
      "click", "type",       "inspect",    "advance",          "settle",
      "set",   "screenshot", "auth_state", "extension_update", "deactivate"};
  return kinds;
}

bool ParseStep(const Json& raw, int index, Step* step, ScenarioError* error) {
  const std::string path = "steps[" + std::to_string(index) + "]";
  if (!raw.is_object()) return Fail(error, path, "expected an object with one step kind");
  std::string kind;
  for (auto it = raw.begin(); it != raw.end(); ++it) {
    const std::string& key = it.key();
    if (key == "expect" || key == "expect_not") {
      if (!CheckExpectList(it.value(), path + "." + key, error)) return false;
      continue;
    }
    if (key == "note") {
      if (!it.value().is_string()) return Fail(error, path + ".note", "expected a string");
      continue;
    }
    if (std::find(StepKinds().begin(), StepKinds().end(), key) == StepKinds().end())
      return Fail(error, path + "." + key, "unknown step kind or key");
    if (!kind.empty())
      return Fail(error, path + "." + key,
                  "a step has one kind; \"" + kind + "\" was given already");
    kind = key;
  }
  if (kind.empty()) return Fail(error, path, "no step kind (fire, call, navigate, ...)");
  if (!CheckStepBody(kind, raw[kind], path + "." + kind, error)) return false;
  step->index = index;
  step->kind = kind;
  step->body = raw[kind];
  if (raw.contains("expect")) step->expect = raw["expect"];
  if (raw.contains("expect_not")) step->expect_not = raw["expect_not"];
  if (raw.contains("note")) step->note = raw["note"].get<std::string>();
  return true;
}

}  // namespace

const std::vector<std::string>& BackendFaults() {
  static const std::vector<std::string> faults = {
      "biz_-100_once", "biz_-100", "biz_-101", "not_json", "payload_not_object",
      "info_array",    "slow",     "drop",     "http_500", "no_token"};
  return faults;
}

bool ValidatePlatform(const Json& platform, const std::string& path, bool allow_absent,
                      ScenarioError* error) {
  static const std::map<std::string, FieldType> kKeys = {
      {"meeting_id", FieldType::kString},
      {"meeting_code", FieldType::kString},
      {"sub_meeting_id", FieldType::kString},
      {"app_uid", FieldType::kString},
      {"app_id", FieldType::kString},
      {"self_role", FieldType::kInt},
      {"in_breakout_room", FieldType::kBool},
      {"breakout_main_meeting_id", FieldType::kUInt64},
      {"breakout_main_av_room_id", FieldType::kUInt64},
      {"account_type", FieldType::kInt},
      {"under_store_review", FieldType::kBool},
      {"participant_record_enable", FieldType::kBool},
      {"token", FieldType::kString},
      {"clock_ms", FieldType::kUInt64},
      {"timezone", FieldType::kString}};
  if (!platform.is_object()) return Fail(error, path, "expected an object");
  for (auto it = platform.begin(); it != platform.end(); ++it) {
    auto known = kKeys.find(it.key());
    if (known == kKeys.end()) return Fail(error, path + "." + it.key(), "unknown platform key");
    if (allow_absent && IsAbsentMarker(it.value())) continue;
    if (!CheckType(it.value(), known->second, path + "." + it.key(), error)) return false;
  }
  return true;
}

bool ValidateBackend(const Json& backend, const std::string& path, bool allow_absent,
                     ScenarioError* error) {
  if (!CheckObject(backend, path, {{"meetings", FieldType::kObject, false}}, error)) return false;
  if (!backend.contains("meetings")) return true;
  const Json& meetings = backend["meetings"];
  for (auto it = meetings.begin(); it != meetings.end(); ++it) {
    const std::string p = path + ".meetings." + it.key();
    if (allow_absent && IsAbsentMarker(it.value())) continue;
    if (!CheckObject(it.value(), p,
                     {{"biz_code", FieldType::kInt, false},
                      {"msg", FieldType::kString, false},
                      {"data", FieldType::kValue, false},
                      {"fault", FieldType::kString, false}},
                     error))
      return false;
    if (it.value().contains("fault")) {
      const std::string fault = it.value()["fault"].get<std::string>();
      const auto& faults = BackendFaults();
      if (std::find(faults.begin(), faults.end(), fault) == faults.end()) {
        std::string list;
        for (const auto& f : faults) list += (list.empty() ? "" : ", ") + f;
        return Fail(error, p + ".fault", "unknown fault (expected one of: " + list + ")");
      }
    }
  }
  return true;
}

bool ValidateHostModels(const Json& models, const std::string& path, bool allow_absent,
                        ScenarioError* error) {
  if (!models.is_object()) return Fail(error, path, "expected an object keyed by model type");
  for (auto it = models.begin(); it != models.end(); ++it) {
    const std::string p = path + "." + it.key();
    if (!IsDecimalKey(it.key())) return Fail(error, p, "expected a model type (a decimal number)");
    if (it.value().is_null() || (allow_absent && IsAbsentMarker(it.value()))) continue;
    if (!CheckObject(it.value(), p, {{"calls", FieldType::kObject, false}}, error)) return false;
    if (!it.value().contains("calls")) continue;
    const Json& calls = it.value()["calls"];
    for (auto c = calls.begin(); c != calls.end(); ++c) {
      const std::string cp = p + ".calls." + c.key();
      if (!IsDecimalKey(c.key())) return Fail(error, cp, "expected a call id (a decimal number)");
      if (!CheckObject(c.value(), cp,
                       {{"ok", FieldType::kBool, false}, {"result", FieldType::kValue, false}},
                       error))
        return false;
    }
  }
  return true;
}

bool ParseSelector(const std::string& text, Selector* out) {
  Selector s;
  s.text = text;
  std::string body = text;
  const size_t hash = body.rfind('#');
  if (hash != std::string::npos && hash + 1 < body.size() &&
      body.find_first_not_of("0123456789", hash + 1) == std::string::npos) {
    s.nth = std::atoi(body.c_str() + hash + 1);
    if (s.nth < 1) return false;
    body = body.substr(0, hash);
  }
  if (body.rfind("class:", 0) == 0) {
    s.kind = Selector::Kind::kClass;
    s.value = body.substr(6);
  } else if (body.rfind("text:", 0) == 0) {
    s.kind = Selector::Kind::kText;
    s.value = body.substr(5);
  } else {
    s.kind = Selector::Kind::kObjectName;
    s.value = body;
  }
  if (s.value.empty()) return false;
  *out = s;
  return true;
}

bool ParseScenarioText(const std::string& text, Scenario* out, ScenarioError* error) {
  Json doc = Json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (doc.is_discarded()) return Fail(error, "", "not valid JSON");
  if (!doc.is_object()) return Fail(error, "", "expected a JSON object at the top");
  Scenario s;
  for (auto it = doc.begin(); it != doc.end(); ++it) {
    const std::string& key = it.key();
    const Json& v = it.value();
    if (key == "name" || key == "description") {
      if (!v.is_string()) return Fail(error, key, "expected a string");
      if (key == "name") s.name = v.get<std::string>();
    } else if (key == "platform") {
      if (!ValidatePlatform(v, key, false, error)) return false;
      s.platform = v;
    } else if (key == "config") {
      if (!v.is_object()) return Fail(error, key, "expected an object of configuration entries");
      for (auto c = v.begin(); c != v.end(); ++c)
        if (!ValidateValue(c.value(), "config." + c.key(), error)) return false;
      s.config = v;
    } else if (key == "backend") {
      if (!ValidateBackend(v, key, false, error)) return false;
      s.backend = v;
    } else if (key == "extensions") {
      if (!v.is_array()) return Fail(error, key, "expected an array of extension ids");
      for (size_t i = 0; i < v.size(); ++i)
        if (!v[i].is_string())
          return Fail(error, "extensions[" + std::to_string(i) + "]",
                      "expected an extension id string");
      s.extensions = v;
    } else if (key == "host_models") {
      if (!ValidateHostModels(v, key, false, error)) return false;
      s.host_models = v;
    } else if (key == "steps") {
      if (!v.is_array()) return Fail(error, key, "expected an array of steps");
      for (size_t i = 0; i < v.size(); ++i) {
        Step step;
        if (!ParseStep(v[i], static_cast<int>(i), &step, error)) return false;
        s.steps.push_back(std::move(step));
      }
    } else {
      return Fail(error, key,
                  "unknown key (expected name, description, platform, config, backend, extensions, "
                  "host_models, steps)");
    }
  }
  *out = std::move(s);
  return true;
}

bool LoadScenarioFile(const std::string& path, Scenario* out, ScenarioError* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return Fail(error, "", "cannot read the file");
  std::ostringstream ss;
  ss << in.rdbuf();
  if (!ParseScenarioText(ss.str(), out, error)) return false;
  out->file = path;
  return true;
}

}  // namespace sim
