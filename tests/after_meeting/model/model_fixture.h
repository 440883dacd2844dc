// A fixture that sets up the host the way the client does before the model provider starts:
// every host model the after-meeting model talks to, the meeting facts, the self role and a
// recorder; then the model is made and initialised as its provider does. Tests drive it only
// through host events, its call entry and the events it fires.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "after_meeting/host/host_ids.h"
#include "after_meeting/model/after_meeting_model.h"
#include "after_meeting/model/model_ids.h"
#include "after_meeting/module/module_constants.h"
#include "platform/common/meeting_facts.h"
#include "platform/sdk/meeting_service.h"
#include "platform/testing/recorder.h"
#include "platform/testing/scriptable_host_model.h"
#include "platform/util/crypto.h"
#include "tests/after_meeting/module_values.h"

namespace after_meeting::test {

namespace h = host;

class AfterMeetingModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::RemoveAllHostModels();
    meeting_ = testing_support::InstallHostModel(h::meeting::kModel);
    app_ = testing_support::InstallHostModel(h::after_meeting_app::kModel);
    notification_ = testing_support::InstallHostModel(h::notification::kModel);
    record_state_ = testing_support::InstallHostModel(h::record_state::kModel);
    banner_ = testing_support::InstallHostModel(h::banner::kModel);
    members_ = testing_support::InstallHostModel(h::member::kModel);
    window_ = testing_support::InstallHostModel(h::inmeeting_window::kModel);
    records_ = testing_support::InstallHostModel(h::records::kModel);
    apps_ = testing_support::InstallHostModel(h::apps::kModel);
    member_query_ = testing_support::InstallHostModel(h::member_query::kModel);
    config_ = testing_support::InstallConfigurationModel();

    facts_.meeting_id = "8812345678";
    facts_.meeting_code = "881234567";
    facts_.app_uid = "144115198765432100";
    facts_.app_id = "200000001";
    velmo_common::utils::SetMeetingFacts(facts_);
    SetRole(1);
    StartModel();
  }

  void TearDown() override {
    if (model_) model_->UnInit();
    model_.reset();
    testing_support::RemoveAllHostModels();
    velmo_common::utils::SetMeetingFacts({});
    SetRole(0);
  }

  void StartModel() {
    model_ = std::make_shared<AfterMeetingModel>();
    model_->Init(nullptr);
  }
  void SetRole(int role) { velmosdk::utils::service::GetMeetingService()->SetSelfRole(role); }
  void SetFacts() { velmo_common::utils::SetMeetingFacts(facts_); }
  void SetConfig(const char* key, Variant value) {
    config_->SetEntry(h::configuration::kGroupAfterMeeting, key, std::move(value));
  }

  bool CallModel(int call_id, const Variant* params, Variant* result = nullptr) {
    return model_->Call(call_id, params, result);
  }
  Variant RoomInfo() {
    Variant info;
    EXPECT_TRUE(model_->Call(kCallGetRoomInfo, nullptr, &info));
    return info;
  }
  // Asks one of the host's query events and returns what the model wrote.
  Variant Query(int event) {
    Variant out;
    app_->Fire(event, &out);
    return out;
  }
  void Fire(testing_support::ScriptableHostModel* model, int event, Variant payload) {
    model->Fire(event, &payload);
  }
  void PreLeave() { meeting_->Fire(h::meeting::kEventPreLeave, nullptr); }
  void KickOut(const std::string& custom_json) {
    Variant notice = Variant::MakeMap();
    notice[h::kick_out::kKeyReason] = 2;
    notice[h::kick_out::kKeyCustomData] = util::crypto::Encode64(custom_json);
    app_->Fire(h::after_meeting_app::kEventNotifyKickOut, &notice);
  }

  std::vector<Variant> Fired(int event) const { return FiredBy(rec_, event); }

  testing_support::Recorder rec_;
  velmo_common::utils::MeetingFacts facts_;
  std::shared_ptr<testing_support::ScriptableHostModel> meeting_, app_, notification_,
      record_state_, banner_, members_, window_, records_, apps_, member_query_;
  std::shared_ptr<testing_support::ConfigurationHostModel> config_;
  std::shared_ptr<AfterMeetingModel> model_;
};

}  // namespace after_meeting::test
