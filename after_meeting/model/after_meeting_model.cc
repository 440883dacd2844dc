#include "after_meeting/model/after_meeting_model.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "after_meeting/host/host_checks.h"
#include "after_meeting/host/host_ids.h"
#include "after_meeting/host/log.h"
#include "after_meeting/model/model_ids.h"
#include "after_meeting/model/numeric_string.h"
#include "after_meeting/module/module_constants.h"
#include "platform/base/json.h"
#include "platform/common/meeting_facts.h"
#include "platform/framework/module_service.h"
#include "platform/sdk/meeting_service.h"
#include "platform/util/crypto.h"

namespace after_meeting {

namespace {

using base::variant::Variant;
namespace facts = velmo_common::utils;
namespace lp = leave_params;

// Role code of the meeting's host in the SDK meeting service.
constexpr int kRoleHost = 1;

framework::Model* HostModel(int type) { return framework::module::GetAppModuleModel(type); }

// The host passes a mutable Variant with its query events and reads the answer from it after
// the event returns; the framework's callback type only hands out a const view of it.
void AnswerQuery(const Variant* out, Variant answer) {
  *const_cast<Variant*>(out) = std::move(answer);
}

// The entry as the configuration model answers it; null when the model is missing.
Variant ReadConfiguration(std::string_view key) {
  Variant answer;
  framework::Model* configuration = HostModel(host::configuration::kModel);
  if (!configuration) return answer;
  Variant params = Variant::MakeMap();
  params[host::configuration::kKeyGroupId] = host::configuration::kGroupAfterMeeting;
  params[host::configuration::kKeyId] = key;
  configuration->Call(host::configuration::kCallGetEntry, &params, &answer);
  return answer;
}

int64_t ConfigurationInt(std::string_view key, int64_t def) {
  const Variant answer = ReadConfiguration(key);
  return answer.IsInteger() ? answer.AsInt64() : def;
}

bool ConfigurationBool(std::string_view key, bool def) {
  const Variant answer = ReadConfiguration(key);
  return answer.IsBool() ? answer.AsBoolean() : def;
}

// The meeting-end info map the pages get from a request's result.
Variant ConclusionInfoFromResult(const Result* result) {
  namespace ci = conclusion_info;
  const MeetingEndPopUpInfoResult empty;
  const auto* record = dynamic_cast<const MeetingEndPopUpInfoResult*>(result);
  if (!record) record = &empty;
  const Result& base = result ? *result : empty;

  Variant info = Variant::MakeMap();
  info[ci::kBizCode] = static_cast<int64_t>(base.biz_code);
  info[ci::kMsg] = base.msg;
  info[ci::kStatusCode] = static_cast<int32_t>(base.status_code);
  Variant& basic = info[ci::kBasicInfo];
  basic = Variant::MakeMap();
  basic[ci::kBeginTime] = static_cast<uint64_t>(record->begin_time);
  basic[ci::kDurationTime] = static_cast<uint64_t>(record->duration_time);
  basic[ci::kJoinUidNum] = static_cast<uint64_t>(record->join_uid_num);
  basic[ci::kJoinTime] = static_cast<uint64_t>(record->join_time);
  basic[ci::kCumulativeTime] = static_cast<uint64_t>(record->cumulative_time);
  return info;
}

}  // namespace

// Made model by model in this order at Init.
const AfterMeetingModel::HostSubscription AfterMeetingModel::kHostSubscriptions[] = {
    {host::meeting::kModel, host::meeting::kEventJoinComplete,
     &AfterMeetingModel::OnEventJoinComplete},
    {host::meeting::kModel, host::meeting::kEventPreJoin, &AfterMeetingModel::OnEventPreJoin},
    {host::meeting::kModel, host::meeting::kEventClearMeetingData,
     &AfterMeetingModel::OnEventClearMeetingData},
    {host::meeting::kModel, host::meeting::kEventPreLeave, &AfterMeetingModel::OnEventPreLeave},
    {host::meeting::kModel, host::meeting::kEventLeaveComplete,
     &AfterMeetingModel::OnEventLeaveComplete},
    {host::after_meeting_app::kModel, host::after_meeting_app::kEventGetConclusionPageActive,
     &AfterMeetingModel::OnEventGetConclusionPageActive},
    {host::after_meeting_app::kModel, host::after_meeting_app::kEventGetAfterMeetingEnable,
     &AfterMeetingModel::OnEventGetAfterMeetingEnable},
    {host::after_meeting_app::kModel, host::after_meeting_app::kEventGetLeaveParams,
     &AfterMeetingModel::OnEventGetLeaveParams},
    {host::after_meeting_app::kModel, host::after_meeting_app::kEventGetHostNeedShowPage,
     &AfterMeetingModel::OnEventGetHostNeedShowPage},
    {host::after_meeting_app::kModel, host::after_meeting_app::kEventSetFeedbackInfo,
     &AfterMeetingModel::OnEventSetFeedbackInfo},
    {host::after_meeting_app::kModel, host::after_meeting_app::kEventSetAiAssistantInfo,
     &AfterMeetingModel::OnEventSetAiAssistantInfo},
    {host::after_meeting_app::kModel, host::after_meeting_app::kEventSetLeaveParams,
     &AfterMeetingModel::OnEventSetLeaveParams},
    {host::after_meeting_app::kModel, host::after_meeting_app::kEventSaveNeedHoldOnApp,
     &AfterMeetingModel::OnEventSaveNeedHoldOnApp},
    {host::after_meeting_app::kModel, host::after_meeting_app::kEventNotifyKickOut,
     &AfterMeetingModel::OnEventNotifyKickOut},
    {host::after_meeting_app::kModel, host::after_meeting_app::kEventSetShouldShowConclusion,
     &AfterMeetingModel::OnEventSetShouldShowConclusion},
    {host::notification::kModel, host::notification::kEventKickOut,
     &AfterMeetingModel::OnEventNotifyKickOut},
    {host::record_state::kModel, host::record_state::kEventRecordStateChanged,
     &AfterMeetingModel::OnEventRecordStateChanged},
    {host::banner::kModel, host::banner::kEventQueryBannerComplete,
     &AfterMeetingModel::OnEventQueryAfterMeetingBannerComplete},
    {host::member::kModel, host::member::kEventHostChanged,
     &AfterMeetingModel::OnEventMeetingHostChange},
    {host::member::kModel, host::member::kEventCoHostChanged,
     &AfterMeetingModel::OnEventMeetingHostChange},
    {host::inmeeting_window::kModel, host::inmeeting_window::kEventActiveStateChanged,
     &AfterMeetingModel::OnEventInmeetingWindowActiveStateChanged},
};

AfterMeetingModel::AfterMeetingModel() : ModelImpl(kTypeAfterMeetingModel) {}

// The subscriptions hold this model; a model dropped without UnInit must not leave them behind.
AfterMeetingModel::~AfterMeetingModel() {
  if (IsInitialized()) AfterMeetingModel::UnInit();
}

bool AfterMeetingModel::Init(const Variant* params) {
  const bool ok = ModelImpl::Init(params);
  if (AfterMeetingService* service = AfterMeetingService::GetInstance())
    service->SetDelegate(this);

  framework::ModelProvider* host_models = framework::module::GetModuleService()->GetModelProvider();
  if (!host_models) return ok;
  for (const HostSubscription& s : kHostSubscriptions) {
    framework::Model* source = host_models->ModelOf(s.model);
    if (!source) continue;
    const Handler handler = s.handler;
    source->SubscribeWithLocation(
        s.event, this, [this, handler](const Variant* params) { (this->*handler)(params); },
        base::Location());
  }
  return ok;
}

void AfterMeetingModel::UnInit() {
  if (AfterMeetingService* service = AfterMeetingService::GetInstance())
    service->SetDelegate(nullptr);

  framework::ModelProvider* host_models = framework::module::GetModuleService()->GetModelProvider();
  if (host_models) {
    static constexpr int kUnsubscribeOrder[] = {
        host::record_state::kModel, host::meeting::kModel, host::after_meeting_app::kModel,
        host::notification::kModel, host::banner::kModel,  host::member::kModel,
        host::inmeeting_window::kModel};
    for (int type : kUnsubscribeOrder) {
      if (framework::Model* source = host_models->ModelOf(type)) source->Unsubscribe(this);
    }
  }
  ModelImpl::UnInit();
}

bool AfterMeetingModel::Call(int call_id, const Variant* params, Variant* result) {
  switch (call_id) {
    case kCallGetAfterMeetingConclusionInfo:
      return InvokeCallGetAfterMeetingConclusionInfo(params, result);
    case kCallSetConclusionPageVisible:
      return InvokeCallSetConclusionPageVisible(params, result);
    case kCallGetHoldOnAppList:
      return InvokeGetHoldOnAppList(params, result);
    case kCallGetAfterMeetingEnable:
      return InvokeGetAfterMeetingEnable(params, result);
    case kCallResetHoldOnAppList:
      return InvokeResetHoldOnAppList(params, result);
    case kCallGetKickOutPayInfo:
      return InvokeCallGetKickOutPayInfo(params, result);
    case kCallGetRoomInfo:
      return InvokeCallGetRoomInfo(params, result);
    case kCallResetAfterMeetingData:
      return InvokeCallResetAfterMeetingData(params, result);
    case kCallSetCloseMeetingContainerPage:
      return InvokeCallSetCloseMeetingContainerPage(params, result);
    case kCallSetFeedbackFinish:
      return InvokeCallSetFeedbackFinish(params, result);
    case kCallGetFeedbackInfo:
      return InvokeCallGetFeedbackInfo(params, result);
    case kCallGetAiAssistantInfo:
      return InvokeCallGetAiAssistantInfo(params, result);
    default:
      return false;
  }
}

// ---------------------------------------------------------------------------------------------
// Meeting life cycle

void AfterMeetingModel::ClearMeetingData() {
  feedback_info_ = Variant();
  leave_params_ = Variant();
  ai_assistant_info_ = Variant();
}

void AfterMeetingModel::ResetMeetingData() {
  ClearMeetingData();
  need_hold_on_app_ = false;
  operate_banner_info_ = Variant();
  kick_out_info_ = Variant();
}

void AfterMeetingModel::OnEventPreJoin(const Variant* params) {
  AM_LOG(6) << "[After meeting] pre join meeting" << framework::VariantToString(params);
  ResetMeetingData();
  InvokeResetHoldOnAppList(nullptr, nullptr);
}

void AfterMeetingModel::OnEventJoinComplete(const Variant* params) {
  ResetMeetingData();
  framework::Model* app_model = HostModel(host::after_meeting_app::kModel);
  if (app_model && conclusion_page_visible_) {
    AM_LOG(6) << "[After meeting] - join meeting but conclusion_view is visible, check it.";
    Variant hide = Variant::MakeMap();
    hide[host::after_meeting_app::kKeyVisible] = false;
    app_model->Call(host::after_meeting_app::kCallSetConclusionVisible, &hide, nullptr);
    InvokeResetHoldOnAppList(nullptr, nullptr);
  }
  HostQueryOperateBanner();
}

void AfterMeetingModel::OnEventClearMeetingData(const Variant* params) { ClearMeetingData(); }

void AfterMeetingModel::OnEventPreLeave(const Variant* params) {
  namespace hm = host::meeting;
  leave_params_[lp::kIsDarkStyle] = false;

  const int role = velmosdk::utils::service::GetMeetingService()->GetSelfRole();
  leave_params_[lp::kIsHost] = role == kRoleHost;
  leave_params_[lp::kRoleType] = static_cast<int32_t>(role);
  leave_params_[lp::kIsOnlyHost] = role == kRoleHost;
  leave_params_[lp::kMeetingCode] = facts::GetCurrentMeetingCode();

  framework::Model* meeting_model = HostModel(hm::kModel);
  std::string period_id;
  Variant meeting = Variant::MakeMap();
  if (meeting_model && meeting_model->Call(hm::kCallGetMeetingItem, nullptr, &meeting)) {
    const Variant& item = meeting.Get(hm::kKeyMeetingItem);
    period_id = item.GetString(hm::kKeyCurrentPeriodId);
    if (item.Has(hm::kKeyCreatorUid))
      leave_params_[lp::kCreatorUid] = item.GetString(hm::kKeyCreatorUid);
    if (item.Has(hm::kKeyMeetingCode))
      leave_params_[lp::kMeetingCode] = item.GetString(hm::kKeyMeetingCode);
    if (item.Has(hm::kKeyCreatorAccountType))
      leave_params_[lp::kCreatorAccountType] = item.GetInt32(hm::kKeyCreatorAccountType, -1);
    if (item.Has(hm::kKeyMeetingType))
      leave_params_[lp::kMeetingType] = item.GetUInt32(hm::kKeyMeetingType, 0);
    if (item.Has(hm::kKeyDistrict)) leave_params_[lp::kDistrict] = item.GetInt32(hm::kKeyDistrict);
  }
  leave_params_[lp::kSubMeetingId] = period_id;

  Variant info = Variant::MakeMap();
  if (meeting_model) meeting_model->Call(hm::kCallGetMeetingInfo, nullptr, &info);
  leave_params_[lp::kMeetingId] = static_cast<uint64_t>(facts::breakoutroom::GetMainMeetingId());
  if (info.Has(hm::kKeyMsMeetingId))
    leave_params_[lp::kMsMeetingId] = info.GetString(hm::kKeyMsMeetingId);
  if (info.Has(hm::kKeyMeetingSubject))
    leave_params_[lp::kMeetingSubject] = info.GetString(hm::kKeyMeetingSubject);
  if (info.Has(hm::kKeyMeetingTypeFlags))
    leave_params_[lp::kMeetingTypeFlags] = info.GetInt64(hm::kKeyMeetingTypeFlags, 0);
  if (info.Has(hm::kKeyPmiCode)) leave_params_[lp::kPmiCode] = info.GetString(hm::kKeyPmiCode);
  if (info.Has(hm::kKeyCreateType))
    leave_params_[lp::kCreateType] = info.GetInt32(hm::kKeyCreateType, 0);

  leave_params_[lp::kDismissTimeOut] = static_cast<int32_t>(GetDismissTimeout());

  if (facts::breakoutroom::IsInBreakoutRoomMeeting()) {
    // The meeting-end figures belong to the main room, not to the breakout room being left.
    const uint64_t main_room = facts::breakoutroom::GetCurrentBreakoutMainAVRoomId();
    AM_LOG(6) << "[After meeting] in BreakoutRoomMeeting, main room num: " << main_room
              << ", breakout room num: " << leave_params_.GetUInt64(lp::kOpenRoomNum, 0);
    leave_params_[lp::kOpenRoomNum] = main_room;
  } else if (info.Has(hm::kKeyAvRoomId)) {
    leave_params_[lp::kOpenRoomNum] = info.GetUInt64(hm::kKeyAvRoomId, 0);
  }

  CheckRecordPreloadState();
  AM_LOG(6) << "[After meeting] pre leave meeting" << leave_params_.ToString();
}

void AfterMeetingModel::OnEventLeaveComplete(const Variant* params) {
  AM_LOG(6) << "[After meeting] leave meeting" << framework::VariantToString(params);
}

// A query without a payload has nowhere to put the answer.
void AfterMeetingModel::OnEventGetConclusionPageActive(const Variant* out) {
  if (!out) return;
  AM_LOG(6) << "[After meeting] page_visible=" << conclusion_page_visible_;
  AnswerQuery(out, conclusion_page_visible_);
}

void AfterMeetingModel::OnEventGetAfterMeetingEnable(const Variant* out) {
  if (!out) return;
  AnswerQuery(out, InvokeGetAfterMeetingEnable(nullptr, nullptr));
}

void AfterMeetingModel::OnEventGetLeaveParams(const Variant* out) {
  if (!out) return;
  AnswerQuery(out, leave_params_);
}

void AfterMeetingModel::OnEventGetHostNeedShowPage(const Variant* out) {
  if (!out) return;
  const bool show = HostNeedShowConclusionPage();
  AM_LOG(6) << "host_show_page: " << show;
  AnswerQuery(out, show);
}

void AfterMeetingModel::OnEventSetFeedbackInfo(const Variant* params) {
  if (!params || !params->IsString()) return;
  base::json::JsonValue json;
  if (!base::json::JsonValue::Parse(params->AsStr(), &json)) {
    AM_LOG(3) << "ParseFromJson failed.";
    return;
  }
  Variant info = Variant::FromJson(json);
  AM_LOG(6) << "feedback info: " << info.ToString();
  feedback_info_ = info;
  FireEvent(kEventFeedbackInfo, &info);
}

void AfterMeetingModel::OnEventSetAiAssistantInfo(const Variant* params) {
  namespace app = host::after_meeting_app;
  if (!params || !params->IsMap()) return;
  if (params->Has(app::kKeyEnable))
    ai_assistant_info_[ai_assistant_info::kEnable] = params->GetBool(app::kKeyEnable, false);
  if (params->Has(app::kKeyAssistantName))
    ai_assistant_info_[ai_assistant_info::kAssistantName] = params->GetString(app::kKeyAssistantName);
}

void AfterMeetingModel::OnEventSetLeaveParams(const Variant* params) {
  if (!params || !params->Has(host::after_meeting_app::kKeyLeaveReason)) {
    AM_LOG(1) << "params should has leave_reason!";
    return;
  }
  leave_params_[lp::kLeaveReason] = params->Get(host::after_meeting_app::kKeyLeaveReason).AsInt32();
}

void AfterMeetingModel::OnEventSaveNeedHoldOnApp(const Variant* params) {
  if (!params || !params->IsBool()) {
    AM_LOG(1) << "params error";
    return;
  }
  need_hold_on_app_ = params->AsBoolean();
  AM_LOG(6) << "need hold app: " << need_hold_on_app_;
}

void AfterMeetingModel::OnEventSetShouldShowConclusion(const Variant* params) {
  if (!params || !params->IsBool()) {
    AM_LOG(1) << "params should has show_conclusion!";
    return;
  }
  AM_LOG(6) << "SetShouldShowConclusion: " << params->ToString();
  leave_params_[lp::kShowConclusion] = params->AsBoolean();
}

void AfterMeetingModel::OnEventNotifyKickOut(const Variant* params) {
  namespace ko = host::kick_out;
  static const Variant kNoNotice;
  const Variant& notice = params ? *params : kNoNotice;

  const int32_t reason = notice.GetInt32(ko::kKeyReason, 0);
  if (reason != ko::kReasonWithPayContent) {
    AM_LOG(6) << "after_meeting_kick: kick_out_reason_code=" << reason;
    return;
  }
  const std::string custom_data = notice.GetString(ko::kKeyCustomData);
  if (custom_data.empty()) {
    AM_LOG(6) << "after_meeting_kick: custom_data empty";
    return;
  }
  std::string decoded;
  base::json::JsonValue json;
  if (!util::crypto::Decode64(custom_data, &decoded) ||
      !base::json::JsonValue::Parse(decoded, &json)) {
    AM_LOG(1) << "after_meeting_kick: custom_data json error";
    return;
  }
  Variant content = Variant::FromJson(json);
  const uint64_t sub_reason = content.GetUInt64(ko::kKeySubReasonCode, 0);
  AM_LOG(6) << "after_meeting_kick custom_data_params = " << content.ToString();
  if (sub_reason == ko::kSubReasonPayOffer) kick_out_info_ = std::move(content);
}

void AfterMeetingModel::OnEventRecordStateChanged(const Variant* params) {
  namespace rs = host::record_state;
  if (!leave_params_.Has(lp::kIsCreator)) {
    framework::Model* meeting_model = HostModel(host::meeting::kModel);
    Variant meeting = Variant::MakeMap();
    if (meeting_model && meeting_model->Call(host::meeting::kCallGetMeetingItem, nullptr, &meeting))
      leave_params_[lp::kIsCreator] =
          facts::IsMeetingCreator(&meeting.Get(host::meeting::kKeyMeetingItem));
  }
  const bool participant_record = facts::IsAfterMeetingConclusionParticipantRecordEnable();
  const bool is_creator = leave_params_.GetBool(lp::kIsCreator, false);
  AM_LOG(6) << "[After meeting] RecordStateChanged, ParticipantRecordEnable: "
            << participant_record << " ,is_creator: " << is_creator;
  if (!participant_record && !is_creator) {
    leave_params_[lp::kIsHasRecord] = false;
    return;
  }
  if (!params || !params->IsMap()) return;
  const int32_t state = params->GetInt32(rs::kKeyRecordState);
  if (state == rs::kStateRecorded) leave_params_[lp::kIsHasRecord] = true;
  const int32_t type = params->GetInt32(rs::kKeyRecordType);
  if (type == rs::kTypeCloud && state == rs::kStateRecorded) leave_params_[lp::kShowRecord] = true;
}

void AfterMeetingModel::OnEventQueryAfterMeetingBannerComplete(const Variant* params) {
  namespace hb = host::banner;
  if (!params || !params->IsMap()) {
    AM_LOG(6) << "banner params is error";
    return;
  }
  AM_LOG(6) << "banner params  = " << params->ToString();
  const Variant& summary = params->Get(hb::kKeySummaryText);
  const bool accepted = params->GetString(hb::kKeyTemplateKey) == hb::kTemplateMeetingSummaryGuide &&
                        params->GetBool(hb::kKeyShowBanner, false) && summary.IsString() &&
                        !summary.AsStr().empty();
  if (accepted) operate_banner_info_ = *params;
}

void AfterMeetingModel::OnEventMeetingHostChange(const Variant* params) { HostQueryOperateBanner(); }

void AfterMeetingModel::OnEventInmeetingWindowActiveStateChanged(const Variant* params) {
  if (!params || params->AsBoolean()) return;
  if (!leave_params_.IsMap() || !leave_params_.GetBool(lp::kShowConclusion, false)) return;
  AM_LOG(6) << "[After meeting] kCallFuncShowSummaryPage";
  if (framework::Model* meeting_model = HostModel(host::meeting::kModel))
    meeting_model->Call(host::meeting::kCallShowSummaryPage, nullptr, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Conclusion-page decision and configuration

bool AfterMeetingModel::HostNeedShowConclusionPage() {
  if (!leave_params_.GetBool(lp::kIsOnlyHost, false)) {
    AM_LOG(6) << "is not host";
    return true;
  }
  if (leave_params_.GetBool(lp::kShowRecord, false)) {
    AM_LOG(6) << "has record";
    return true;
  }
  if (feedback_info_.IsMap() && feedback_info_.Has(host::after_meeting_app::kKeyFeedback)) {
    AM_LOG(6) << "has feedback";
    return true;
  }
  Variant apps;
  if (InvokeGetHoldOnAppList(nullptr, &apps) && apps.IsArray() && !apps.Empty()) return true;
  if (kick_out_info_.IsMap() && kick_out_info_.Has(host::kick_out::kKeyContent) &&
      kick_out_info_.Has(host::kick_out::kKeyTitle)) {
    AM_LOG(6) << "has kick out content";
    return true;
  }
  if (ai_assistant_info_.GetBool(ai_assistant_info::kEnable, false)) {
    AM_LOG(6) << "has ai assistant";
    return true;
  }
  if (operate_banner_info_.Has(host::banner::kKeyShowBanner)) {
    AM_LOG(6) << "has operate info";
    return HostShowDefaultContentAndFuncGuideEnable();
  }
  const bool show = HostShowDefaultContentEnable();
  AM_LOG(6) << "show default content: " << show;
  return show;
}

bool AfterMeetingModel::HostShowDefaultContentEnable() {
  const bool enable = ConfigurationBool(host::configuration::kHostShowDefaultContent, false);
  AM_LOG(6) << "[host_show_default_content_enable]: " << enable;
  return enable;
}

bool AfterMeetingModel::HostShowDefaultContentAndFuncGuideEnable() {
  const bool enable =
      ConfigurationBool(host::configuration::kHostShowDefaultContentAndFuncGuide, true);
  AM_LOG(6) << "[host_show_default_content_and_func_guide]: " << enable;
  return enable;
}

int AfterMeetingModel::GetDismissTimeout() {
  namespace cfg = host::configuration;
  if (ConfigurationInt(cfg::kAutoDismissEnable, 0) != 1) return -1;
  const bool is_host = leave_params_.IsMap() && leave_params_.GetBool(lp::kIsHost, true);
  return static_cast<int>(
      ConfigurationInt(is_host ? cfg::kDismissTimeoutHost : cfg::kDismissTimeout, -1));
}

void AfterMeetingModel::CheckRecordPreloadState() {
  namespace rec = host::records;
  if (leave_params_.GetBool(lp::kShowRecord, false)) {
    AM_LOG(6) << "show_record is ture already， maybe local record was ran.";
    return;
  }
  const std::string sub_meeting_id = leave_params_.GetString(lp::kSubMeetingId);
  Variant query = Variant::MakeMap();
  query[rec::kKeyMeetingId] = std::to_string(leave_params_.GetUInt64(lp::kMeetingId));
  query[rec::kKeySubMeetingId] = sub_meeting_id.empty() ? rec::kNoSubMeetingId : sub_meeting_id;
  query[rec::kKeyRoomId] = std::to_string(leave_params_.GetUInt64(lp::kOpenRoomNum));
  query[rec::kKeyNeedErase] = false;

  framework::Model* records = HostModel(rec::kModel);
  const bool ready = records && records->Call(rec::kCallCheckRecordPreload, &query, nullptr);
  AM_LOG(6) << "[After meeting] - CheckRecordPreloadState: " << ready;
  leave_params_[lp::kShowRecord] = ready;
}

void AfterMeetingModel::HostQueryOperateBanner() {
  if (!host::IsSelfHostOrCoHost()) return;
  AM_LOG(6) << "is host";
  QueryOperateBanner();
}

void AfterMeetingModel::QueryOperateBanner() {
  namespace hb = host::banner;
  operate_banner_info_ = Variant();
  if (framework::Model* banners = HostModel(hb::kModel)) {
    std::string meeting_id;
    facts::GetStrMeetingId(meeting_id);
    const std::string sub_meeting_id = facts::GetSubMeetingId();
    Variant query = Variant::MakeMap();
    query[hb::kKeyTemplateKey] = hb::kTemplateMeetingSummaryGuide;
    query[hb::kKeyMeetingId] = meeting_id;
    if (!sub_meeting_id.empty()) query[hb::kKeySubMeetingId] = sub_meeting_id;
    // The answer comes later as the banner model's query-complete event.
    banners->Call(hb::kCallQueryBanner, &query, nullptr);
  }
  AM_LOG(6) << "query historical banner with template_key: " << hb::kTemplateMeetingSummaryGuide;
}

void AfterMeetingModel::OnGetMeetingEndPopUpInfo(const PluginGetMeetingEndPopUpInfoReqInfo& info,
                                                 const Result* result) {
  namespace ci = conclusion_info;
  Variant conclusion = ConclusionInfoFromResult(result);
  AM_LOG(6) << "[After meeting] get-conclusion-info - result: " << conclusion.ToString();
  const bool need_retry = conclusion.IsMap() && conclusion.Has(ci::kBizCode) &&
                          conclusion.Get(ci::kBizCode).AsInt32() == ci::kBizCodeRetry;
  if (!need_retry) {
    FireEvent(kEventConclusionInfoComplete, &conclusion);
    return;
  }

  AM_LOG(6) << "[After meeting] need_retry: " << need_retry << ", retry_times_: " << retry_times_;
  if (retry_times_ >= 1) {
    AM_LOG(6) << "[After meeting] retry times Limit! - retry_times_: " << retry_times_;
    return;
  }
  AfterMeetingService* service = AfterMeetingService::GetInstance();
  if (!service) {
    AM_LOG(3) << "AfterMeetingService is empty";
    return;
  }
  AM_LOG(6) << "[After meeting] retry GetMeetingEndPopUpInfo";
  ++retry_times_;
  service->GetMeetingEndPopUpInfo(info, this);
}

// ---------------------------------------------------------------------------------------------
// Calls offered to the pages

bool AfterMeetingModel::InvokeCallGetAfterMeetingConclusionInfo(const Variant* params,
                                                               Variant* result) {
  namespace cr = conclusion_request;
  if (!params || !params->Has(cr::kMeetingId)) {
    AM_LOG(1) << "invalid params, " << framework::VariantToString(params);
    return false;
  }
  AfterMeetingService* service = AfterMeetingService::GetInstance();
  if (!service) {
    AM_LOG(3) << "AfterMeetingService is empty";
    return false;
  }
  PluginGetMeetingEndPopUpInfoReqInfo info;
  info.meeting_id = params->GetUInt64(cr::kMeetingId, 0);
  const std::string sub_meeting_id = params->GetString(cr::kSubMeetingId);
  if (!sub_meeting_id.empty()) info.sub_meeting_id = sub_meeting_id;
  info.open_room_num = params->GetUInt64(cr::kOpenRoomNum, 0);
  info.meeting_type = params->GetUInt32(cr::kMeetingType, 0);
  info.app_id = NumericStringToUInt64(facts::GetSelfAppId());
  info.app_uid = facts::GetSelfAppUid();

  retry_times_ = 0;
  service->GetMeetingEndPopUpInfo(info, this);
  return true;
}

bool AfterMeetingModel::InvokeCallSetConclusionPageVisible(const Variant* params,
                                                          Variant* result) {
  if (!params || !params->IsBool()) {
    AM_LOG(1) << "params should be bool value!";
    return false;
  }
  const bool visible = params->AsBoolean();
  if (visible != conclusion_page_visible_) {
    if (visible) {
      const Variant snapshot = leave_params_;
      FireEvent(kEventConclusionInfo, &snapshot);
    }
    conclusion_page_visible_ = visible;
  }
  return true;
}

bool AfterMeetingModel::InvokeGetHoldOnAppList(const Variant* params, Variant* result) {
  namespace ha = host::apps;
  AM_LOG(6) << "[hold on app]: get app list";
  framework::Model* app_model = HostModel(ha::kModel);
  Variant apps;
  if (!app_model || !app_model->Call(ha::kCallGetOpenedApps, nullptr, &apps)) {
    AM_LOG(1) << "get opened app info failed.";
    return false;
  }
  if (!apps.IsArray()) {
    AM_LOG(6) << "no opened app.";
    return false;
  }
  Variant::Array& list = apps.MutableArray();
  auto held = std::find_if(list.begin(), list.end(), [](const Variant& app) {
    return app.GetString(ha::kKeyOpenAppId) == ha::kHoldOnAppId;
  });
  if (held != list.end()) std::rotate(list.begin(), held, held + 1);
  if (result) *result = std::move(apps);
  return true;
}

bool AfterMeetingModel::InvokeGetAfterMeetingEnable(const Variant* params, Variant* result) {
  const bool enable = ConfigurationInt(host::configuration::kConclusionEnable, 0) == 1;
  AM_LOG(6) << "[after_meeting]: << after_meeting_enable =" << enable;
  return enable;
}

bool AfterMeetingModel::InvokeResetHoldOnAppList(const Variant* params, Variant* result) {
  AM_LOG(6) << "[hold on app]: reset hold_on_app_info_array_";
  return true;
}

bool AfterMeetingModel::InvokeCallGetKickOutPayInfo(const Variant* params, Variant* result) {
  namespace ko = host::kick_out;
  namespace pay = kick_out_pay_info;
  if (!result) {
    AM_LOG(6) << "after_meeting_kick  fail";
    return false;
  }
  (*result)[pay::kHasPayInfo] = false;
  if (!kick_out_info_.IsMap()) {
    AM_LOG(6) << "after_meeting_kick fail";
    return false;
  }
  (*result)[pay::kTitle] = kick_out_info_.GetString(ko::kKeyTitle);
  (*result)[pay::kContent] = kick_out_info_.GetString(ko::kKeyContent);
  if (facts::abilityswitch::IsUnderReviewByStore()) {
    AM_LOG(6) << "appstore_review_switch_on, after_meeting_kick:" << result->ToString();
    return true;
  }
  // Every matching button overwrites the one before: the last one stands.
  for (const Variant& button : kick_out_info_.Get(ko::kKeyButtons).AsArray()) {
    if (!button.GetBool(ko::kKeyButtonVisible, false) ||
        button.GetInt32(ko::kKeyButtonActionType) != ko::kActionTypePay)
      continue;
    (*result)[pay::kPayText] = button.GetString(ko::kKeyButtonTitle);
    (*result)[pay::kPayUrl] = button.GetString(ko::kKeyButtonUrl);
    if (button.Has(ko::kKeyButtonContext))
      (*result)[pay::kPayButtonText] = button.GetString(ko::kKeyButtonContext);
    (*result)[pay::kHasPayInfo] = true;
  }
  AM_LOG(6) << "after_meeting_kick:" << result->ToString();
  return true;
}

bool AfterMeetingModel::InvokeCallGetRoomInfo(const Variant* params, Variant* result) {
  if (!result) {
    AM_LOG(1) << "invalid params";
    return false;
  }
  *result = leave_params_;
  return true;
}

bool AfterMeetingModel::InvokeCallResetAfterMeetingData(const Variant* params, Variant* result) {
  AM_LOG(6) << "[after_meeting]: reset data";
  kick_out_info_ = Variant();
  return true;
}

bool AfterMeetingModel::InvokeCallSetCloseMeetingContainerPage(const Variant* params,
                                                              Variant* result) {
  AM_LOG(6) << "[after_meeting]: SetCloseMeetingContainerPage: "
            << framework::VariantToString(params);
  FireEvent(kEventSetCloseMeetingContainerPage, params);
  return true;
}

bool AfterMeetingModel::InvokeCallSetFeedbackFinish(const Variant* params, Variant* result) {
  AM_LOG(6) << "[after_meeting]: SetFeedbackFinish: ";
  FireEvent(kEventFeedbackFinish, params);
  return true;
}

bool AfterMeetingModel::InvokeCallGetFeedbackInfo(const Variant* params, Variant* result) {
  AM_LOG(6) << "[after_meeting]: GetFeedbackInfo: ";
  if (result && feedback_info_.IsMap()) *result = feedback_info_;
  return true;
}

bool AfterMeetingModel::InvokeCallGetAiAssistantInfo(const Variant* params, Variant* result) {
  AM_LOG(6) << "[after_meeting]: GetAiAssistantInfo: ";
  if (result) *result = ai_assistant_info_;
  return true;
}

}  // namespace after_meeting
