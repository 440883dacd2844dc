// Drives a fresh after-meeting model per input: the bytes pick the meeting facts, what the host
// models answer, and then a run of events the model subscribes to and calls it serves, each
// with an arbitrary payload (or none). The model must take all of it without a fault, keep its
// answers well-formed and leave no subscription behind.
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "after_meeting/host/host_ids.h"
#include "after_meeting/model/after_meeting_model.h"
#include "after_meeting/model/model_ids.h"
#include "platform/common/meeting_facts.h"
#include "platform/sdk/environment.h"
#include "platform/sdk/meeting_service.h"
#include "platform/testing/scriptable_host_model.h"
#include "platform/testing/variant_from_bytes.h"

namespace {

namespace h = after_meeting::host;
namespace am = after_meeting;
using base::variant::Variant;
using testing_support::ScriptableHostModel;

struct Target {
  int model;  // 0: a call of the after-meeting model
  int id;
};

const Target kTargets[] = {
    {h::meeting::kModel, h::meeting::kEventJoinComplete},
    {h::meeting::kModel, h::meeting::kEventPreJoin},
    {h::meeting::kModel, h::meeting::kEventClearMeetingData},
    {h::meeting::kModel, h::meeting::kEventPreLeave},
    {h::meeting::kModel, h::meeting::kEventLeaveComplete},
    {h::after_meeting_app::kModel, h::after_meeting_app::kEventGetConclusionPageActive},
    {h::after_meeting_app::kModel, h::after_meeting_app::kEventGetAfterMeetingEnable},
    {h::after_meeting_app::kModel, h::after_meeting_app::kEventGetLeaveParams},
    {h::after_meeting_app::kModel, h::after_meeting_app::kEventGetHostNeedShowPage},
    {h::after_meeting_app::kModel, h::after_meeting_app::kEventSetFeedbackInfo},
    {h::after_meeting_app::kModel, h::after_meeting_app::kEventSetAiAssistantInfo},
    {h::after_meeting_app::kModel, h::after_meeting_app::kEventSetLeaveParams},
    {h::after_meeting_app::kModel, h::after_meeting_app::kEventSaveNeedHoldOnApp},
    {h::after_meeting_app::kModel, h::after_meeting_app::kEventNotifyKickOut},
    {h::after_meeting_app::kModel, h::after_meeting_app::kEventSetShouldShowConclusion},
    {h::notification::kModel, h::notification::kEventKickOut},
    {h::record_state::kModel, h::record_state::kEventRecordStateChanged},
    {h::banner::kModel, h::banner::kEventQueryBannerComplete},
    {h::member::kModel, h::member::kEventHostChanged},
    {h::member::kModel, h::member::kEventCoHostChanged},
    {h::inmeeting_window::kModel, h::inmeeting_window::kEventActiveStateChanged},
    {0, am::kCallGetAfterMeetingConclusionInfo},
    {0, am::kCallSetConclusionPageVisible},
    {0, am::kCallGetHoldOnAppList},
    {0, am::kCallGetAfterMeetingEnable},
    {0, am::kCallResetHoldOnAppList},
    {0, am::kCallGetKickOutPayInfo},
    {0, am::kCallGetRoomInfo},
    {0, am::kCallResetAfterMeetingData},
    {0, am::kCallSetCloseMeetingContainerPage},
    {0, am::kCallSetFeedbackFinish},
    {0, am::kCallGetFeedbackInfo},
    {0, am::kCallGetAiAssistantInfo},
    {0, 0x7fff0001},  // served by nobody
};
constexpr size_t kTargetCount = sizeof(kTargets) / sizeof(kTargets[0]);
constexpr int kMaxOperations = 48;

const char* const kConfigKeys[] = {
    h::configuration::kConclusionEnable,       h::configuration::kAutoDismissEnable,
    h::configuration::kDismissTimeoutHost,     h::configuration::kDismissTimeout,
    h::configuration::kHostShowDefaultContent, h::configuration::kHostShowDefaultContentAndFuncGuide,
};

testing_support::VariantByteLimits Limits() {
  testing_support::VariantByteLimits limits;
  limits.keys = {
      h::meeting::kKeyMeetingItem,      h::meeting::kKeyCurrentPeriodId,
      h::meeting::kKeyCreatorUid,       h::meeting::kKeyMeetingCode,
      h::meeting::kKeyCreatorAccountType, h::meeting::kKeyMeetingType,
      h::meeting::kKeyDistrict,         h::meeting::kKeyMsMeetingId,
      h::meeting::kKeyMeetingSubject,   h::meeting::kKeyMeetingTypeFlags,
      h::meeting::kKeyPmiCode,          h::meeting::kKeyCreateType,
      h::meeting::kKeyAvRoomId,         h::after_meeting_app::kKeyLeaveReason,
      h::after_meeting_app::kKeyFeedback, h::after_meeting_app::kKeyEnable,
      h::after_meeting_app::kKeyAssistantName, h::kick_out::kKeyReason,
      h::kick_out::kKeyCustomData,      h::kick_out::kKeyTitle,
      h::kick_out::kKeyContent,         h::kick_out::kKeyButtons,
      h::kick_out::kKeyButtonVisible,   h::kick_out::kKeyButtonActionType,
      h::kick_out::kKeyButtonUrl,       h::kick_out::kKeyButtonContext,
      h::record_state::kKeyRecordState, h::record_state::kKeyRecordType,
      h::banner::kKeyTemplateKey,       h::banner::kKeyShowBanner,
      h::banner::kKeySummaryText,       h::apps::kKeyOpenAppId,
      am::conclusion_request::kMeetingId, am::conclusion_request::kSubMeetingId,
      am::conclusion_request::kOpenRoomNum, am::conclusion_request::kMeetingType,
  };
  limits.texts = {h::banner::kTemplateMeetingSummaryGuide, h::apps::kHoldOnAppId,
                  // Base64 of {"sub_reason_code":1,"title":"t","content":"c"}
                  "eyJzdWJfcmVhc29uX2NvZGUiOjEsInRpdGxlIjoidCIsImNvbnRlbnQiOiJjIn0=",
                  R"({"feedback": {"tags": []}})", "144115198765432100"};
  return limits;
}

struct Host {
  std::vector<std::shared_ptr<ScriptableHostModel>> subscribed;  // the models the model hears
  std::shared_ptr<ScriptableHostModel> meeting, records, apps, member_query;
  std::shared_ptr<testing_support::ConfigurationHostModel> config;
};

Host& SetUpHost() {
  static Host* host = [] {
    static int argc = 1;
    static char name[] = "model_events_fuzzer";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
    // An unusable back-end address: requests complete at once as invalid.
    velmosdk::utils::environment::SetCgiBaseUrl("");
    auto* made = new Host;
    for (int type : {h::meeting::kModel, h::after_meeting_app::kModel, h::notification::kModel,
                     h::record_state::kModel, h::banner::kModel, h::member::kModel,
                     h::inmeeting_window::kModel})
      made->subscribed.push_back(testing_support::InstallHostModel(type));
    made->meeting = made->subscribed[0];
    made->records = testing_support::InstallHostModel(h::records::kModel);
    made->apps = testing_support::InstallHostModel(h::apps::kModel);
    made->member_query = testing_support::InstallHostModel(h::member_query::kModel);
    made->config = testing_support::InstallConfigurationModel();
    return made;
  }();
  return *host;
}

void ScriptHost(Host& host, testing_support::VariantByteReader& in) {
  const uint8_t flags = in.ReadByte();
  velmo_common::utils::MeetingFacts facts;
  facts.meeting_id = "8812345678";
  facts.app_uid = "144115198765432100";
  facts.app_id = in.ReadString();
  facts.sub_meeting_id = (flags & 1) ? "p-1" : "";
  facts.in_breakout_room = flags & 2;
  facts.breakout_main_av_room_id = 9100;
  facts.under_store_review = flags & 4;
  facts.participant_record_enable = flags & 8;
  velmo_common::utils::SetMeetingFacts(facts);
  velmosdk::utils::service::GetMeetingService()->SetSelfRole((flags >> 4) & 3);

  // One read per statement: the order of the bytes must not depend on the compiler.
  auto answer = [&in](ScriptableHostModel& model, int call_id) {
    const bool ok = in.ReadBool();
    model.SetAnswer(call_id, ok, in.ReadVariant());
  };
  answer(*host.meeting, h::meeting::kCallGetMeetingItem);
  answer(*host.meeting, h::meeting::kCallGetMeetingInfo);
  answer(*host.apps, h::apps::kCallGetOpenedApps);
  host.records->SetAnswerWithoutResult(h::records::kCallCheckRecordPreload, in.ReadBool());
  answer(*host.member_query, h::member_query::kCallIsSelfHostOrCoHost);
  host.config->ClearEntries();
  for (const char* key : kConfigKeys) {
    if (in.ReadBool()) host.config->SetEntry(h::configuration::kGroupAfterMeeting, key, in.ReadVariant());
  }
}

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// What the pages rely on in the answers, whatever came before.
void CheckAnswers(am::AfterMeetingModel& model) {
  Variant pay;
  const bool has_pay = model.Call(am::kCallGetKickOutPayInfo, nullptr, &pay);
  Check(pay.Get(am::kick_out_pay_info::kHasPayInfo).IsBool());
  if (!has_pay) Check(pay.Size() == 1);
  if (pay.GetBool(am::kick_out_pay_info::kHasPayInfo)) {
    Check(!velmo_common::utils::abilityswitch::IsUnderReviewByStore());
    Check(pay.Get(am::kick_out_pay_info::kPayUrl).IsString());
    Check(pay.Get(am::kick_out_pay_info::kPayText).IsString());
  }
  Variant room;
  Check(model.Call(am::kCallGetRoomInfo, nullptr, &room));
  Check(room.IsNull() || room.IsMap());
  Variant apps;
  if (model.Call(am::kCallGetHoldOnAppList, nullptr, &apps)) Check(apps.IsArray());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Host& host = SetUpHost();
  testing_support::VariantByteReader in(data, size, Limits());
  ScriptHost(host, in);

  auto model = std::make_shared<am::AfterMeetingModel>();
  model->Init(nullptr);
  for (int i = 0; i < kMaxOperations && !in.empty(); ++i) {
    const Target& target = kTargets[in.ReadByte() % kTargetCount];
    const uint8_t mode = in.ReadByte();
    Variant payload = (mode & 1) ? Variant() : in.ReadVariant();
    Variant* param = (mode & 1) ? nullptr : &payload;
    if (target.model == 0) {
      Variant result;
      model->Call(target.id, param, (mode & 2) ? &result : nullptr);
    } else {
      for (auto& source : host.subscribed)
        if (source->type() == target.model) source->Fire(target.id, param);
    }
  }
  CheckAnswers(*model);
  model->UnInit();
  for (auto& source : host.subscribed) Check(source->SubscriberCount() == 0);

  // Requests started above complete (as invalid) through the event loop, after UnInit.
  QCoreApplication::processEvents();
  for (auto& source : host.subscribed) source->ClearCalls();
  for (auto* other : {host.records.get(), host.apps.get(), host.member_query.get(),
                      static_cast<ScriptableHostModel*>(host.config.get())})
    other->ClearCalls();
  return 0;
}
