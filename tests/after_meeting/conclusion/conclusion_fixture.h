// The conclusion page as the host runs it: host models installed first, the module activated
// and its runtime started, the back end on loopback, the manual clock, and the view model built
// by the runtime's view-model provider with a recording view bound to its properties.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "after_meeting/conclusion/conclusion_contract.h"
#include "after_meeting/host/host_ids.h"
#include "after_meeting/model/model_ids.h"
#include "after_meeting/module/after_meeting_module.h"
#include "after_meeting/module/module_constants.h"
#include "platform/base/json.h"
#include "platform/base/log.h"
#include "platform/base/looper_thread.h"
#include "platform/common/meeting_facts.h"
#include "platform/framework/contributes_view_model.h"
#include "platform/framework/extension_contributes.h"
#include "platform/framework/module_service.h"
#include "platform/sdk/environment.h"
#include "platform/sdk/meeting_service.h"
#include "platform/testing/data_center_backend.h"
#include "platform/testing/manual_clock.h"
#include "platform/testing/recorder.h"
#include "platform/testing/run_loop.h"
#include "platform/testing/scriptable_host_model.h"
#include "platform/util/crypto.h"
#include "platform/util/time.h"
#include "tests/after_meeting/module_values.h"

namespace after_meeting::test {

namespace h = host;
namespace c = conclusion;
namespace app = host::after_meeting_app;
namespace env = velmosdk::utils::environment;

// 2026-01-01 09:00 UTC, a 45-minute meeting with 5 people; the user attended 44 minutes.
inline constexpr char kDefaultInfo[] =
    R"({"begin_time":"1767258000000","duration_time":"2700000","join_uid_num":"5",)"
    R"("join_time":"1767258060000","cumulative_time":"2640000"})";

class ConclusionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(backend_.Start());
    env::SetCgiBaseUrl(backend_.BaseUrl());
    env::SetAppResDirectory(std::string(VELMO_OUTPUT_DIR) + "/res");
    StartPage();
  }
  void TearDown() override {
    StopPage();
    backend_.Stop();
    env::SetCgiBaseUrl("");
    env::SetAppResDirectory("");
  }
  // A fresh host, module and page, for table rows that each need one.
  void Restart() {
    StopPage();
    StartPage();
  }

  void StartPage() {
    rec_.Clear();
    props_.clear();
    base::log::SetLogLevel(6);
    util::time::SetTimeZone("UTC");
    SetBackendInfo(kDefaultInfo);
    for (int type : {h::meeting::kModel, app::kModel, h::record_state::kModel, h::banner::kModel,
                     h::apps::kModel, h::priority_events::kModel, h::push::kModel,
                     h::banner_shown::kModel, h::feedback_report::kModel})
      host_[type] = testing_support::InstallHostModel(type);
    config_ = testing_support::InstallConfigurationModel();
    SetFacts(17);
    SetMeetingItem(R"({"creator_uid":"144115198765432100","meeting_code":"881234567",)"
                   R"("creator_account_type":17})");
    SetRole(1);
    velmo::ClearModuleConfigDirectories();
    velmo::AddModuleConfigDirectory(VELMO_OUTPUT_DIR);
    ModuleActivate();
    auto* runtime = framework::module::GetModuleService()->GetModuleRuntime(kModuleName);
    ASSERT_NE(runtime, nullptr);
    runtime->Activate();
    model_ = runtime->GetModelProvider()->ModelOf(kTypeAfterMeetingModel);
    vm_ = runtime->GetViewModelProvider()->BuildViewModel(kTypeAfterMeetingConclusionViewModel);
    ASSERT_NE(vm_, nullptr);
    for (int prop : {c::kPropConclusionUiData, c::kPropConclusionContentList,
                     c::kPropConfirmButtonText, c::kPropThirdAppShow,
                     velmo::kPropContributesDataSource, velmo::kPropContributesUpdateItem})
      vm_->BindProp(prop, [this, prop](const Variant* v) { props_[prop].push_back(*v); });
  }
  void StopPage() {
    vm_.reset();
    ModuleDeactivate();
    // Requests still in flight complete into a detached service and are dropped.
    testing_support::RunLoopUntilQuiet();
    testing_support::RemoveAllHostModels();
    framework::extension::ExtensionRegistry::Instance().Clear();
    velmo_common::utils::SetMeetingFacts({});
    SetRole(0);
  }

  testing_support::ScriptableHostModel* Host(int type) { return host_[type].get(); }
  void SetRole(int role) { velmosdk::utils::service::GetMeetingService()->SetSelfRole(role); }
  void SetFacts(int account_type) {
    velmo_common::utils::MeetingFacts facts;
    facts.meeting_id = "8812345678";
    facts.app_uid = "144115198765432100";
    facts.account_type = account_type;
    velmo_common::utils::SetMeetingFacts(facts);
  }
  void SetMeetingItem(const std::string& json) {
    Host(h::meeting::kModel)
        ->SetAnswer(h::meeting::kCallGetMeetingItem, true, V(R"({"meeting_item":)" + json + "}"));
  }
  void SetBackendInfo(const std::string& info_json) {
    base::json::JsonValue entry;
    ASSERT_TRUE(base::json::JsonValue::Parse(
        R"({"biz_code":0,"msg":"","data":{"info":)" + info_json + "}}", &entry));
    backend_.SetMeeting("8812345678", entry);
  }
  void SetDismiss(int seconds) {
    config_->SetEntry(h::configuration::kGroupAfterMeeting, h::configuration::kAutoDismissEnable,
                      1);
    config_->SetEntry(h::configuration::kGroupAfterMeeting, h::configuration::kDismissTimeoutHost,
                      seconds);
  }
  void FireHost(int type, int event, const Variant& payload) { Host(type)->Fire(event, &payload); }
  void SetFeedback(const std::string& json) {
    FireHost(app::kModel, app::kEventSetFeedbackInfo, Variant(json));
  }
  void FireModel(int event, const Variant& payload) { model_->FireEvent(event, &payload); }
  // The meeting ends (the model takes its snapshot), the page attaches, the answer arrives.
  void Leave() { Host(h::meeting::kModel)->Fire(h::meeting::kEventPreLeave, nullptr); }
  void Attach() { vm_->OnViewAttached(nullptr); }
  void Load() {
    Leave();
    Attach();
    ASSERT_TRUE(testing_support::RunLoopUntil([&] {
      return !Fired(kEventConclusionInfoComplete).empty() && base::threading::PendingTasks() == 0;
    }));
  }
  void Act(int action, const Variant& param = Variant()) { vm_->Handle(action, &param); }

  std::vector<Variant> Fired(int event) const { return FiredBy(rec_, event); }
  std::vector<std::string> ReportIds() const {
    std::vector<std::string> out;
    for (const Variant& r : rec_.Of("report")) out.push_back(r.GetString("id"));
    return out;
  }
  // Properties of the reports with that id, in order.
  std::vector<Variant> Reports(const std::string& id) const {
    std::vector<Variant> out;
    for (const Variant& r : rec_.Of("report"))
      if (r.GetString("id") == id) out.push_back(r.Get("props"));
    return out;
  }
  std::vector<Variant> Calls(int type, int call) const {
    std::vector<Variant> out;
    for (const auto& record : host_.at(type)->CallsOf(call)) out.push_back(record.params);
    return out;
  }
  Variant Last(int prop) { return props_[prop].empty() ? Variant() : props_[prop].back(); }
  int Closes() const {
    int n = 0;
    for (const Variant& line : rec_.Of("controller"))
      n += line.GetString("action") == "finish" &&
           line.GetString("uri") == kCloseMeetingContainerUri;
    return n;
  }

  testing_support::Recorder rec_;
  testing_support::ManualClock clock_{1767261600000ULL};  // 10:00 UTC
  testing_support::DataCenterBackend backend_;
  std::map<int, std::shared_ptr<testing_support::ScriptableHostModel>> host_;
  std::shared_ptr<testing_support::ConfigurationHostModel> config_;
  framework::Model* model_ = nullptr;
  std::shared_ptr<framework::StatefulViewModel> vm_;
  std::map<int, std::vector<Variant>> props_;
};

}  // namespace after_meeting::test
