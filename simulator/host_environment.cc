#include "simulator/host_environment.h"

#include "platform/common/meeting_facts.h"
#include "platform/framework/module_service.h"
#include "platform/sdk/environment.h"
#include "platform/sdk/meeting_service.h"
#include "platform/util/time.h"

namespace sim {

namespace {

constexpr char kConfigGroup[] = "after_meeting";

bool IsAbsentMarker(const Json& v) {
  return v.is_object() && v.size() == 1 && v.contains("$absent") && v["$absent"] == true;
}

uint64_t ReadUInt64(const Json& v) {
  if (v.is_object() && v.contains("$uint64")) return ReadUInt64(v["$uint64"]);
  if (v.is_string()) return std::strtoull(v.get<std::string>().c_str(), nullptr, 10);
  if (v.is_number_unsigned()) return v.get<uint64_t>();
  if (v.is_number_integer()) return static_cast<uint64_t>(v.get<int64_t>());
  return 0;
}

}  // namespace

HostEnvironment::HostEnvironment(bool headless) : headless_(headless) {
  if (headless_) {
    clock_ = std::make_unique<testing_support::ManualClock>(kDefaultClockMs);
    animations_ = std::make_unique<testing_support::ManualAnimationDriver>();
  }
  backend_.SetExpectedToken(velmosdk::utils::environment::kDefaultAccountToken);
  backend_.Start();
  velmosdk::utils::environment::SetCgiBaseUrl(backend_.BaseUrl());
}

HostEnvironment::~HostEnvironment() {
  backend_.Stop();
  testing_support::RemoveAllHostModels();
}

bool HostEnvironment::Apply(const Scenario& scenario, ScenarioError* error) {
  if (!ApplyPlatform(scenario.platform, "platform", error)) return false;
  const bool config_overridden = scenario.host_models.contains("539");
  if (!config_overridden) {
    config_model_ = testing_support::InstallConfigurationModel();
  }
  for (auto it = scenario.config.begin(); it != scenario.config.end(); ++it)
    if (!ApplyConfigEntry(it.key(), it.value(), "config." + it.key(), error)) return false;
  if (scenario.backend.contains("meetings")) {
    const Json& meetings = scenario.backend["meetings"];
    for (auto it = meetings.begin(); it != meetings.end(); ++it)
      ApplyBackendMeeting(it.key(), it.value());
  }
  for (auto it = scenario.host_models.begin(); it != scenario.host_models.end(); ++it)
    if (!ApplyHostModel(std::stoi(it.key()), it.value(), "host_models." + it.key(), error))
      return false;
  return true;
}

bool HostEnvironment::ApplySet(const Json& body, const std::string& path, ScenarioError* error) {
  if (body.contains("platform") && !ApplyPlatform(body["platform"], path + ".platform", error))
    return false;
  if (body.contains("config")) {
    for (auto it = body["config"].begin(); it != body["config"].end(); ++it) {
      if (IsAbsentMarker(it.value())) {
        if (config_model_) config_model_->RemoveEntry(kConfigGroup, it.key());
      } else if (!ApplyConfigEntry(it.key(), it.value(), path + ".config." + it.key(), error)) {
        return false;
      }
    }
  }
  if (body.contains("backend") && body["backend"].contains("meetings")) {
    const Json& meetings = body["backend"]["meetings"];
    for (auto it = meetings.begin(); it != meetings.end(); ++it) {
      if (IsAbsentMarker(it.value()))
        backend_.RemoveMeeting(it.key());
      else
        ApplyBackendMeeting(it.key(), it.value());
    }
  }
  if (body.contains("host_models")) {
    const Json& models = body["host_models"];
    for (auto it = models.begin(); it != models.end(); ++it) {
      const Json answers = IsAbsentMarker(it.value()) ? Json() : it.value();
      if (!ApplyHostModel(std::stoi(it.key()), answers, path + ".host_models." + it.key(), error))
        return false;
    }
  }
  return true;
}

bool HostEnvironment::ApplyPlatform(const Json& platform, const std::string& path,
                                    ScenarioError* error) {
  for (auto it = platform.begin(); it != platform.end(); ++it) {
    if (IsAbsentMarker(it.value()))
      platform_.erase(it.key());
    else
      platform_[it.key()] = it.value();
  }
  PublishFacts();
  return true;
}

void HostEnvironment::PublishFacts() {
  const Json& p = platform_;
  auto str = [&](const char* k) { return p.contains(k) ? p[k].get<std::string>() : std::string(); };
  auto flag = [&](const char* k) { return p.contains(k) && p[k].get<bool>(); };
  auto num = [&](const char* k) { return p.contains(k) ? p[k].get<int>() : 0; };
  velmo_common::utils::MeetingFacts facts;
  facts.meeting_id = str("meeting_id");
  facts.meeting_code = str("meeting_code");
  facts.sub_meeting_id = str("sub_meeting_id");
  facts.app_uid = str("app_uid");
  facts.app_id = str("app_id");
  facts.in_breakout_room = flag("in_breakout_room");
  facts.breakout_main_meeting_id =
      p.contains("breakout_main_meeting_id") ? ReadUInt64(p["breakout_main_meeting_id"]) : 0;
  facts.breakout_main_av_room_id =
      p.contains("breakout_main_av_room_id") ? ReadUInt64(p["breakout_main_av_room_id"]) : 0;
  facts.account_type = num("account_type");
  facts.under_store_review = flag("under_store_review");
  facts.participant_record_enable = flag("participant_record_enable");
  velmo_common::utils::SetMeetingFacts(facts);
  velmosdk::utils::service::GetMeetingService()->SetSelfRole(num("self_role"));
  velmosdk::utils::environment::SetAccountToken(
      p.contains("token") ? str("token") : velmosdk::utils::environment::kDefaultAccountToken);
  util::time::SetTimeZone(p.contains("timezone") ? str("timezone") : "UTC");
  if (clock_ && p.contains("clock_ms")) clock_->SetWallMs(ReadUInt64(p["clock_ms"]));
}

bool HostEnvironment::ApplyConfigEntry(const std::string& key, const Json& value,
                                       const std::string& path, ScenarioError* error) {
  Variant v;
  if (!JsonToVariant(value, path, &v, error)) return false;
  if (config_model_) config_model_->SetEntry(kConfigGroup, key, std::move(v));
  return true;
}

bool HostEnvironment::ApplyHostModel(int type, const Json& answers, const std::string& path,
                                     ScenarioError* error) {
  auto* provider = &framework::module::GetModuleService()->host_models();
  if (answers.is_null()) {
    provider->Unregister(type);
    if (type == testing_support::ConfigurationHostModel::kType) config_model_.reset();
    return true;
  }
  // A model that exists keeps its subscribers; only its answers are replaced.
  auto* existing = dynamic_cast<testing_support::ScriptableHostModel*>(provider->ModelOf(type));
  std::shared_ptr<testing_support::ScriptableHostModel> installed;
  testing_support::ScriptableHostModel* model = existing;
  if (!model || (type == testing_support::ConfigurationHostModel::kType &&
                 dynamic_cast<testing_support::ConfigurationHostModel*>(model))) {
    installed = testing_support::InstallHostModel(type);
    model = installed.get();
    if (type == testing_support::ConfigurationHostModel::kType) config_model_.reset();
  }
  model->ClearAnswers();
  if (!answers.contains("calls")) return true;
  for (auto it = answers["calls"].begin(); it != answers["calls"].end(); ++it) {
    const int call_id = static_cast<int>(std::stoul(it.key()));
    const bool ok = it.value().value("ok", true);
    if (!it.value().contains("result")) {
      model->SetAnswerWithoutResult(call_id, ok);
      continue;
    }
    Variant result;
    if (!JsonToVariant(it.value()["result"], path + ".calls." + it.key() + ".result", &result,
                       error))
      return false;
    model->SetAnswer(call_id, ok, std::move(result));
  }
  return true;
}

void HostEnvironment::ApplyBackendMeeting(const std::string& id, const Json& entry) {
  base::json::JsonValue value;
  base::json::JsonValue::Parse(entry.dump(), &value);
  backend_.SetMeeting(id, std::move(value));
}

}  // namespace sim
