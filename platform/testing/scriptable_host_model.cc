#include "platform/testing/scriptable_host_model.h"

#include "platform/base/observer.h"
#include "platform/framework/module_service.h"

namespace testing_support {

ScriptableHostModel::ScriptableHostModel(int type) : PriorityModel(type) {
  set_announce_fired_events(false);
}

void ScriptableHostModel::SetAnswer(int call_id, bool ok, Variant result) {
  handlers_[call_id] = [ok, result](const Variant*, Variant* out) {
    if (out) *out = result;
    return ok;
  };
}

void ScriptableHostModel::SetAnswerWithoutResult(int call_id, bool ok) {
  handlers_[call_id] = [ok](const Variant*, Variant*) { return ok; };
}

void ScriptableHostModel::SetHandler(int call_id, Handler handler) {
  handlers_[call_id] = std::move(handler);
}

void ScriptableHostModel::RemoveAnswer(int call_id) { handlers_.erase(call_id); }

void ScriptableHostModel::ClearAnswers() { handlers_.clear(); }

bool ScriptableHostModel::Call(int call_id, const Variant* params, Variant* result) {
  bool ok = false;
  auto it = handlers_.find(call_id);
  if (it != handlers_.end() && it->second) {
    Handler handler = it->second;
    ok = handler(params, result);
  }
  CallRecord record;
  record.call_id = call_id;
  record.has_params = params != nullptr;
  if (params) record.params = *params;
  record.ok = ok;
  record.has_result = result != nullptr;
  if (result) record.result = *result;
  base::observer::Notify("host_call", [&] {
    Variant::Map m;
    m["model"] = type();
    m["call"] = call_id;
    if (params) m["param"] = *params;
    m["ok"] = ok;
    if (result) m["result"] = *result;
    return Variant(std::move(m));
  });
  calls_.push_back(std::move(record));
  return ok;
}

std::vector<ScriptableHostModel::CallRecord> ScriptableHostModel::CallsOf(int call_id) const {
  std::vector<CallRecord> out;
  for (const CallRecord& r : calls_)
    if (r.call_id == call_id) out.push_back(r);
  return out;
}

ConfigurationHostModel::ConfigurationHostModel() : ScriptableHostModel(kType) {
  SetHandler(kCallGetConfig, [this](const Variant* params, Variant* result) {
    if (!params || !params->IsMap()) return false;
    auto it = entries_.find({params->GetString("group_id"), params->GetString("id")});
    if (it == entries_.end()) return false;
    if (result) *result = it->second;
    return true;
  });
}

void ConfigurationHostModel::SetEntry(const std::string& group, const std::string& key,
                                      Variant value) {
  entries_[{group, key}] = std::move(value);
}

void ConfigurationHostModel::RemoveEntry(const std::string& group, const std::string& key) {
  entries_.erase({group, key});
}

std::shared_ptr<ScriptableHostModel> InstallHostModel(int type) {
  auto model = std::make_shared<ScriptableHostModel>(type);
  framework::module::GetModuleService()->host_models().Register(model);
  return model;
}

std::shared_ptr<ConfigurationHostModel> InstallConfigurationModel() {
  auto model = std::make_shared<ConfigurationHostModel>();
  framework::module::GetModuleService()->host_models().Register(model);
  return model;
}

void RemoveHostModel(int type) { framework::module::GetModuleService()->host_models().Unregister(type); }

void RemoveAllHostModels() { framework::module::GetModuleService()->host_models().Clear(); }

}  // namespace testing_support
