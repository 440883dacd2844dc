#include "after_meeting/conclusion/after_meeting_conclusion_view_model.h"

#include "after_meeting/conclusion/conclusion_contract.h"
#include "after_meeting/host/host_ids.h"
#include "after_meeting/host/log.h"
#include "after_meeting/model/model_ids.h"
#include "after_meeting/module/after_meeting_module.h"
#include "after_meeting/module/after_meeting_module_runtime.h"
#include "after_meeting/module/module_constants.h"
#include "platform/common/inmeeting.h"
#include "platform/common/meeting_facts.h"
#include "platform/common/web.h"
#include "platform/framework/module_service.h"
#include "platform/framework/navigation.h"
#include "platform/framework/string_formatter.h"
#include "platform/sdk/environment.h"
#include "platform/util/crypto.h"
#include "platform/util/file.h"
#include "platform/util/time.h"
#include "platform/util/url.h"

namespace after_meeting {

namespace {

using base::variant::Variant;
using namespace conclusion;  // NOLINT: the page's own contract
namespace facts = velmo_common::utils;
namespace ci = conclusion_info;
namespace lp = leave_params;
namespace pay = kick_out_pay_info;

framework::Model* ConclusionModel() {
  AfterMeetingModuleRuntime* runtime = GetModuleRuntime();
  if (!runtime) return nullptr;
  framework::ModelProvider* models = runtime->GetModelProvider();
  return models ? models->ModelOf(kTypeAfterMeetingModel) : nullptr;
}

bool CallConclusionModel(int call_id, const Variant* params, Variant* result) {
  framework::Model* model = ConclusionModel();
  return model && model->Call(call_id, params, result);
}

framework::Model* HostModel(int type) { return framework::module::GetAppModuleModel(type); }

std::string ModuleText(uint32_t id) {
  AfterMeetingModuleRuntime* runtime = GetModuleRuntime();
  framework::AssetProvider* assets = runtime ? runtime->GetAssetProvider() : nullptr;
  return assets ? assets->GetLocalizedString(id) : std::string();
}

// HH:MM of a time stamp in milliseconds, in the zone the host set.
std::string FormatClock(uint64_t ms) {
  const util::time::Time t = util::time::MakeTime(ms / 1000);
  return util::time::TwoDigitFields(t.hour, t.minute);
}

std::string GetIconPath(const std::string& name) {
  if (name.empty()) {
    AM_LOG(1) << "icon_name is empty!";
    return std::string();
  }
  const std::string dir = util::file::MakeChildDirPath(
      util::file::MakeChildDirPath(velmosdk::utils::environment::GetAppResDirectory(),
                                   icons::kRawDir),
      icons::kModuleDir);
  return util::file::MakeFilePath(dir, name);
}

std::string GetTrialTypeText(int32_t type) {
  switch (type) {
    case 0:
      return "trial";
    case 2:
      return "enterprise";
    case 11:
      return "business";
    case 15:
      return "kivo_trial";
    case 17:
      return "pro";
    default:
      return std::string();
  }
}

std::string GetRoleType(int32_t role) {
  AM_LOG(6) << "role_type = " << role;
  if (role == 1) return "1";
  if (role == 2) return "2";
  return "3";
}

void SendFeedbackPayload(const Variant& payload) {
  // Without the report model the payload has nowhere to go.
  if (framework::Model* reports = HostModel(host::feedback_report::kModel))
    reports->Call(host::feedback_report::kCallReport, &payload, nullptr);
}

Variant ContentItem(int32_t type, const std::string& content, const std::string& icon_path,
                    const std::string& icon_url) {
  Variant item = Variant::MakeMap();
  item[content_item::kItemType] = type;
  item[content_item::kContent] = content;
  item[content_item::kIconPath] = icon_path;
  item[content_item::kIconUrl] = icon_url;
  return item;
}

}  // namespace

AfterMeetingConclusionViewModel::AfterMeetingConclusionViewModel()
    : Base(12), end_type_(kEndTypeInitiative) {
  AM_LOG(6) << "AfterMeetingConclusionViewModel";
  SetContributesId(kContributesId);
}

AfterMeetingConclusionViewModel::~AfterMeetingConclusionViewModel() {
  framework::module::Dispatcher::GetInstance()->Finish(kCloseMeetingContainerUri);
  AM_LOG(6) << "~AfterMeetingConclusionViewModel";
}

void* AfterMeetingConclusionViewModel::GetViewContext() const { return view_context(); }

void AfterMeetingConclusionViewModel::SortContributedExtensions() {
  SortByExtensionsId({kRecordExtensionId});
}

// ---------------------------------------------------------------------------------------------
// Loading

void AfterMeetingConclusionViewModel::OnViewAttached(const Variant* params) {
  Base::OnViewAttached(params);
  has_feedback_ = false;
  feedback_done_ = false;
  attach_time_ms_ = util::time::GetTimestampMsec();
  LoadFeedbackConfig();
  SubscribeEvents();
  // The model answers at once with kEventConclusionInfo.
  const Variant visible(true);
  CallConclusionModel(kCallSetConclusionPageVisible, &visible, nullptr);
  UpdateCountDownText(-1);
}

void AfterMeetingConclusionViewModel::OnViewDetached() {
  StopSummaryPageCountdown();
  const Variant hidden(false);
  CallConclusionModel(kCallSetConclusionPageVisible, &hidden, nullptr);
  RecordClearSubscribe(ConclusionModel(), this);
  for (int type :
       {host::banner::kModel, host::record_state::kModel, host::after_meeting_app::kModel,
        host::apps::kModel, host::push::kModel, host::kModelClearedOnDetach,
        host::priority_events::kModel, host::meeting::kModel}) {
    RecordClearSubscribe(HostModel(type), this);
  }
  RecordClearPrioritySubscribe(
      dynamic_cast<framework::PriorityModel*>(HostModel(host::priority_events::kModel)));
  Base::OnViewDetached();
}

void AfterMeetingConclusionViewModel::LoadFeedbackConfig() {
  Variant info;
  CallConclusionModel(kCallGetFeedbackInfo, nullptr, &info);
  if (!info.Has(host::after_meeting_app::kKeyFeedback)) return;
  feedback_config_ = info.Get(host::after_meeting_app::kKeyFeedback);
  has_feedback_ = true;
}

void AfterMeetingConclusionViewModel::SubscribeEvents() {
  using Handler = void (AfterMeetingConclusionViewModel::*)(const Variant*);
  // Subscriptions end on detach, at the latest with this view model (RecordSubscribe).
  auto subscribe = [this](framework::Model* model, int event, Handler handler) {
    if (!model) return;
    RecordSubscribe(
        model, event, [this, handler](const Variant* p) { (this->*handler)(p); }, FROM_HERE);
  };
  using Self = AfterMeetingConclusionViewModel;
  framework::Model* model = ConclusionModel();
  subscribe(model, kEventConclusionInfoComplete, &Self::OnGetAfterMeetingConclusionInfoComplete);
  subscribe(model, kEventConclusionInfo, &Self::OnGetAfterMeetingConclusionInfo);
  subscribe(model, kEventFeedbackFinish, &Self::OnFeedbackFinish);
  subscribe(model, kEventFeedbackInfo, &Self::OnFeedbackInfo);

  framework::ModelProvider* host_models = framework::module::GetModuleService()->GetModelProvider();
  auto host = [host_models](int type) { return host_models->ModelOf(type); };
  subscribe(host(host::banner::kModel), host::banner::kEventQueryBannerComplete,
            &Self::OnEventQueryAfterMeetingBannerComplete);
  subscribe(host(host::push::kModel), host::push::kEventReceivePushNotifyMsg,
            &Self::OnEventMeetingReceivePushNotifyMsg);
  if (auto* priority =
          dynamic_cast<framework::PriorityModel*>(host(host::priority_events::kModel))) {
    RecordPrioritySubscribe(
        priority, host::priority_events::kEventPreLeaveImmersiveCheck, 99,
        [this](Variant* p, bool* handled) { OnPreLeaveImmersiveCheck(p, handled); });
  }
  subscribe(host(host::record_state::kModel), host::record_state::kEventRecordStateChanged,
            &Self::OnEventRecordStateChanged);
  subscribe(host(host::apps::kModel), host::apps::kEventContentSourceChanged,
            &Self::OnContentSourceChanged);
  subscribe(host(host::meeting::kModel), host::meeting::kEventJoinComplete,
            &Self::OnEventJoinComplete);
  subscribe(host(host::meeting::kModel), host::meeting::kEventPreJoin, &Self::OnEventPreJoin);
  subscribe(host(host::priority_events::kModel), host::priority_events::kEventRoomInfoChanged,
            &Self::OnRoomInfoChanged);
}

void AfterMeetingConclusionViewModel::OnGetAfterMeetingConclusionInfo(const Variant* param) {
  AM_LOG(6) << "[After meeting] get meeting info: " << framework::VariantToString(param);
  HideThirdAppsAndLeaveImmersive();
  conclusion_info_ = Variant();
  if (!param || !param->IsMap()) {
    AM_LOG(1) << "param should be a map!";
    return;
  }
  conclusion_info_[record::kIsHasRecord] = param->GetBool(lp::kIsHasRecord, false);
  conclusion_info_[record::kShowRecord] = param->GetBool(lp::kShowRecord, false);
  conclusion_info_[record::kIsDarkStyle] = param->GetBool(lp::kIsDarkStyle, true);
  conclusion_info_[record::kIsHost] = param->GetBool(lp::kIsHost, false);
  conclusion_info_[record::kMeetingId] = param->GetUInt64(lp::kMeetingId, 0);
  conclusion_info_[record::kSubMeetingId] = param->GetString(lp::kSubMeetingId);
  conclusion_info_[record::kMeetingCode] = param->GetString(lp::kMeetingCode);
  conclusion_info_[record::kCreatorUid] = param->GetString(lp::kCreatorUid);
  conclusion_info_[record::kCreatorAccountType] = param->GetInt32(lp::kCreatorAccountType, -1);
  conclusion_info_[record::kRoleType] = param->GetInt32(lp::kRoleType, 0);
  conclusion_info_[record::kRoomId] = param->GetUInt64(lp::kOpenRoomNum, 0);
  conclusion_info_[record::kDismissTimeOut] = param->GetUInt32(lp::kDismissTimeOut, 0);

  UpdateUiData();
  QueryOperateBanner();
  if (!CallConclusionModel(kCallGetAfterMeetingConclusionInfo, param, nullptr))
    AM_LOG(1) << "kCallFuncGetAfterMeetingConclusionInfo error";
  if (!extensions_activated_) {
    extensions_activated_ = true;
    ActivateExtensions(nullptr);
    UpdateContributesDataSource();
  }
}

void AfterMeetingConclusionViewModel::OnGetAfterMeetingConclusionInfoComplete(
    const Variant* result) {
  AM_LOG(6) << "[After meeting] get conclusion info complete: "
            << framework::VariantToString(result);
  const bool success = result && result->IsMap() && result->Has(ci::kBizCode) &&
                       result->Get(ci::kBizCode).AsInt32() == 0 && result->Has(ci::kBasicInfo);
  if (!success) {
    std::string msg;
    if (!result || result->IsNull()) {
      AM_LOG(3) << "[After meeting] param is null.";
    } else {
      msg = result->GetString(ci::kMsg);
    }
    if (result && result->IsMap() && result->Get(ci::kBizCode).AsInt32() == -101 &&
        result->Has(ci::kBasicInfo)) {
      ClosePage();
      return;
    }
    ShowToast(0, msg, 2000, 0, "", "");
    return;
  }

  const Variant& basic = result->Get(ci::kBasicInfo);
  if (!basic.IsMap()) {
    AM_LOG(1) << "basic_info should be a map!";
    return;
  }
  const uint64_t begin = basic.GetUInt64(ci::kBeginTime, 0);
  const uint64_t duration = basic.GetUInt64(ci::kDurationTime, 0);
  const uint64_t join = basic.GetUInt64(ci::kJoinTime, 0);
  const uint64_t cumulative = basic.GetUInt64(ci::kCumulativeTime, 0);
  conclusion_info_[record::kIsInfoGot] = true;
  conclusion_info_[record::kDurationTime] = facts::TimeForMeetingDuration(duration / 1000);
  conclusion_info_[record::kCumulativeTime] = facts::TimeForMeetingDuration(cumulative / 1000);
  conclusion_info_[record::kBeginTime] = FormatClock(begin);
  conclusion_info_[record::kEndTime] = FormatClock(begin + duration);
  conclusion_info_[record::kJoinTime] = FormatClock(join);
  conclusion_info_[record::kJoinUidNum] = basic.GetUInt64(ci::kJoinUidNum, 0);
  conclusion_info_[record::kEnterMeetingTime] = join;

  UpdateUiData();
  ReportWithCommonProps(report::kMeetingInfoExposure, {{report::kEndType, end_type_}});
  StartSummaryPageCloseBtnCountdown();
  if (conclusion_info_.GetBool(record::kIsHasRecord, false)) {
    FireExtensionEvent(kEventInitCloudRecordingParams, &conclusion_info_);
    AM_LOG(6) << "[After meeting] InitCloudRecordingParams " << conclusion_info_.ToString();
  } else {
    AM_LOG(6) << "[After meeting] InitCloudRecordingParams cancel, user has no record.";
  }
}

void AfterMeetingConclusionViewModel::OnFeedbackInfo(const Variant* param) {
  if (!param || !param->Has(host::after_meeting_app::kKeyFeedback)) return;
  feedback_config_ = param->Get(host::after_meeting_app::kKeyFeedback);
  has_feedback_ = true;
  UpdateContentList();
}

void AfterMeetingConclusionViewModel::OnContentSourceChanged(const Variant* param) {
  if (info_received_) UpdateContentList();
}

void AfterMeetingConclusionViewModel::OnRoomInfoChanged(const Variant* param) {
  if (conclusion_info_.GetBool(record::kIsInfoGot, false)) return;
  Variant room;
  CallConclusionModel(kCallGetRoomInfo, nullptr, &room);
  OnGetAfterMeetingConclusionInfo(&room);
}

void AfterMeetingConclusionViewModel::OnEventRecordStateChanged(const Variant* param) {
  const int32_t state = param ? param->GetInt32(host::record_state::kKeyRecordState, 0) : 0;
  AM_LOG(6) << "record state changed [" << state << "]";
  if (state == host::record_state::kStateStarted) record_started_ = true;
}

void AfterMeetingConclusionViewModel::OnEventJoinComplete(const Variant* param) {
  AM_LOG(6) << "[AfterMeeting] close because Join meeting.";
  ClosePage();
}

void AfterMeetingConclusionViewModel::OnEventPreJoin(const Variant* param) {
  AM_LOG(6) << "[AfterMeeting] close because PreJoin meeting.";
  ClosePage();
}

void AfterMeetingConclusionViewModel::OnPreLeaveImmersiveCheck(Variant* param, bool* handled) {
  if (!info_received_) return;
  if (param) {
    (*param)[host::priority_events::kKeyCanEnterImmersiveMode] = false;
    (*param)[host::priority_events::kKeyReason] = kImmersiveRefusalReason;
  }
  if (handled) *handled = false;
}

void AfterMeetingConclusionViewModel::OnAuthorizeStateUpdate(const Variant* params) {
  const int32_t auth_state = params ? params->GetInt32("auth_state", 0) : 0;
  AM_LOG(6) << "[After-meeting] OnAuthorizeStateUpdate auth_state = " << auth_state;
  if (auth_state == 1 || auth_state == 8) ClosePage();
}

void AfterMeetingConclusionViewModel::OnUpdateItem(const Variant* item) {
  Base::OnUpdateItem(item);
  AM_LOG(6) << "[After meeting] conclusion Extension update" << framework::VariantToString(item);
  if (!item || !item->GetBool(framework::extension::kItemVisible, true)) return;
  conclusion_info_[record::kShowRecord] = true;
  Variant ui = PickPropValue(kPropConclusionUiData);
  ui[ui_data::kCouldRecordVisible] = true;
  SetPropValue(kPropConclusionUiData, std::move(ui));
  UpdateContentList();
}

void AfterMeetingConclusionViewModel::HideThirdAppsAndLeaveImmersive() {
  info_received_ = true;
  SetPropValue(kPropThirdAppShow, false);
  facts::inmeeting::HandleEventBusForMeetingRequestLeaveImmersiveMode(false, false);
}

void AfterMeetingConclusionViewModel::UpdateUiData() {
  const bool is_host = conclusion_info_.GetBool(record::kIsHost, false);
  kick_pay_info_ = Variant::MakeMap();
  CallConclusionModel(kCallGetKickOutPayInfo, nullptr, &kick_pay_info_);
  AM_LOG(6) << "after_meeting_kick: " << kick_pay_info_.ToString();
  const bool has_kick_texts = kick_pay_info_.IsMap() && kick_pay_info_.Has(pay::kTitle) &&
                              kick_pay_info_.Has(pay::kContent);
  if (has_kick_texts) end_type_ = kEndTypeAuto;

  Variant ui = Variant::MakeMap();
  if (!conclusion_info_.GetBool(record::kIsInfoGot, false)) {
    ui[ui_data::kShowDefaultUi] = true;
    ui[ui_data::kTitle] =
        GetAssetLocalizedString(is_host ? text::kHostTitle : text::kParticipantTitle);
    ui[ui_data::kCouldRecordVisible] = false;
    ui[ui_data::kIsParticipant] = !is_host;
    if (!all_exposure_reported_) {
      ReportWithCommonProps(report::kAllExposure, {{report::kEndType, end_type_}});
      all_exposure_reported_ = true;
    }
  } else {
    AM_LOG(6) << "[After meeting] conclusion_info:" << conclusion_info_.ToString();
    std::string start_time, duration, participant;
    if (is_host) {
      start_time = conclusion_info_.GetString(record::kBeginTime) + "-" +
                   conclusion_info_.GetString(record::kEndTime);
      duration =
          ModuleText(text::kDurationPrefix) + conclusion_info_.GetString(record::kDurationTime);
      participant =
          framework::StringFormatter(ModuleText(text::kParticipantCount))
              .Arg(text::kArgParticipantNumber,
                   Variant(std::to_string(conclusion_info_.GetUInt64(record::kJoinUidNum, 0))))
              .Str();
      ui[ui_data::kParticipant] = participant;
      ui[ui_data::kTitle] = GetAssetLocalizedString(text::kHostTitle);
    } else {
      ui[ui_data::kTitle] = GetAssetLocalizedString(text::kParticipantTitle);
      start_time = ModuleText(text::kCumulativeTimePrefix) +
                   conclusion_info_.GetString(record::kCumulativeTime);
    }
    ui[ui_data::kParticipantVisible] = !participant.empty();
    ui[ui_data::kStartTime] = start_time;
    ui[ui_data::kMeetingDuration] = duration;
    ui[ui_data::kShowDefaultUi] = false;

    const bool has_carbon = carbon_banner_.IsMap();
    ui[ui_data::kCarbonVisible] = has_carbon;
    ui[ui_data::kCarbonTitle] =
        has_carbon ? carbon_banner_.GetString(host::banner::kKeySummaryJumpText) : "";
    ui[ui_data::kCarbonUrl] =
        has_carbon ? carbon_banner_.GetString(host::banner::kKeySummaryIcon) : "";
    ui[ui_data::kCarbonPath] = has_carbon ? GetIconPath(icons::kCarbon) : "";

    ui[ui_data::kPayContentText] = "";
    if (has_kick_texts) {
      ReportWithCommonProps(report::kLimitEndIntroExposure, {});
      ui[ui_data::kTitle] = kick_pay_info_.GetString(pay::kTitle);
      ui[ui_data::kPayContentText] = kick_pay_info_.GetString(pay::kContent);
    }
    ui[ui_data::kPayInfoVisible] = false;
    if (kick_pay_info_.Has(pay::kHasPayInfo) && kick_pay_info_.GetBool(pay::kHasPayInfo, false)) {
      ui[ui_data::kPayInfoVisible] = true;
      ui[ui_data::kPayLinkText] = kick_pay_info_.GetString(pay::kPayText);
      if (kick_pay_info_.Has(pay::kPayButtonText)) {
        ui[ui_data::kPayButtonTitle] = kick_pay_info_.GetString(pay::kPayButtonText);
      } else {
        const bool trial = conclusion_info_.GetInt32(record::kCreatorAccountType, -1) == 0;
        ui[ui_data::kPayButtonTitle] =
            GetAssetLocalizedString(trial ? text::kPayButtonCreatorTrial : text::kPayButtonOther);
      }
    }
    ui[ui_data::kCouldRecordVisible] = conclusion_info_.GetBool(record::kShowRecord, false);
  }
  AM_LOG(6) << "[After meeting] conclusion_info ui_data:" << ui.ToString();
  SetPropValue(kPropConclusionUiData, std::move(ui));
  UpdateContentList();
}

void AfterMeetingConclusionViewModel::UpdateContentList() {
  if (!conclusion_info_.GetBool(record::kIsInfoGot, false)) return;
  Variant list = Variant::MakeArray();

  if (has_feedback_) {
    const auto texts =
        GetFeedbackTexts(feedback_done_ ? feedback::kResultState : feedback::kEvaluateState);
    Variant item = ContentItem(kItemTypeFeedback, texts.first, GetIconPath(icons::kFeedback), "");
    item[content_item::kDesc] = texts.second;
    const Variant& evaluate = feedback_config_.Get(feedback::kEvaluateState);
    const bool both_sides = evaluate.Has(feedback::kLeft) && evaluate.Has(feedback::kRight);
    item[content_item::kFeedbackLikeTips] =
        both_sides ? evaluate.Get(feedback::kLeft).GetString(feedback::kText) : "";
    item[content_item::kFeedbackDislikeTips] =
        both_sides ? evaluate.Get(feedback::kRight).GetString(feedback::kText) : "";
    item[content_item::kIsFeedbackDone] = feedback_done_;
    list.Add(std::move(item));
    ReportWithCommonProps(report::kFeedbackExposure, {});
  }

  apps_count_ = 0;
  retain_apps_.clear();
  const std::string app_description = GetAssetLocalizedString(text::kAppDescription);
  Variant assistant;
  CallConclusionModel(kCallGetAiAssistantInfo, nullptr, &assistant);
  if (assistant.IsMap() && assistant.GetBool(ai_assistant_info::kEnable, false)) {
    const std::string content =
        framework::StringFormatter(ModuleText(text::kSingleApp))
            .Arg(text::kArgAppName, Variant(assistant.GetString(ai_assistant_info::kAssistantName)))
            .Str();
    Variant item = ContentItem(kItemTypeAiAssistant, content, GetIconPath(icons::kAi), "");
    item[content_item::kDesc] = app_description;
    list.Add(std::move(item));
    apps_count_ += 1;
    retain_apps_ = content;
  }

  Variant apps;
  CallConclusionModel(kCallGetHoldOnAppList, nullptr, &apps);
  if (apps.IsArray() && !apps.Empty()) {
    const Variant& first = apps.At(0);
    const std::string name = first.GetString(host::apps::kKeyName);
    std::string content;
    if (apps.Size() == 1) {
      content = framework::StringFormatter(ModuleText(text::kSingleApp))
                    .Arg(text::kArgAppName, Variant(name))
                    .Str();
    } else {
      content = framework::StringFormatter(ModuleText(text::kMultiApp))
                    .Arg(text::kArgAppName, Variant(name))
                    .Arg(text::kArgAppNumber, Variant(std::to_string(apps.Size())))
                    .Str();
    }
    const bool only_assistant =
        apps.Size() == 1 &&
        first.GetString(host::apps::kKeyExtensionId) == host::apps::kMeetingAssistantExtensionId &&
        first.GetString(host::apps::kKeyOpenAppId) == host::apps::kHoldOnAppId;
    Variant item = ContentItem(kItemTypeRetainedApps, content,
                               GetIconPath(only_assistant ? icons::kAi : icons::kApp), "");
    item[content_item::kDesc] = app_description;
    list.Add(std::move(item));
    apps_count_ += static_cast<int32_t>(apps.Size());
    retain_apps_ = content;
  }
  if (apps_count_ > 0) ReportWithCommonProps(report::kRetainAppsExposure, AppsReportProps());

  if (operate_banner_.IsMap() && operate_banner_.GetBool(host::banner::kKeyShowBanner, false)) {
    list.Add(ContentItem(
        kItemTypeSummaryGuide, operate_banner_.GetString(host::banner::kKeySummaryText),
        GetIconPath(icons::kGuide), operate_banner_.GetString(host::banner::kKeySummaryIcon)));
    ReportWithCommonProps(report::kIntroductionExposure, IntroductionReportProps());
  }

  AM_LOG(6) << "[After meeting] update content list" << list.ToString();
  SetPropValue(kPropConclusionContentList, std::move(list));
}

void AfterMeetingConclusionViewModel::ClosePage() {
  framework::module::Navigator::Of(context(), true).PopOther(kCloseMeetingContainerUri);
  // Closing may end this view model: nothing may follow.
  framework::module::Dispatcher::GetInstance()->Finish(kCloseMeetingContainerUri);
}

// ---------------------------------------------------------------------------------------------
// Actions and reports

void AfterMeetingConclusionViewModel::HandleAction(int action, const Variant* param) {
  if (param && param->IsMap() && param->Has(kKeyStatisticsReportId))
    velmo_common::utils::analytics::LogEvent(param->GetString(kKeyStatisticsReportId));
  switch (action) {
    case kActionJumpPayPage:
      HandleActionJumpPayPage();
      break;
    case kActionBenefitArea:
      HandleActionBenefitArea(param);
      break;
    case kActionClosePage:
      HandleActionClosePage(param);
      break;
    case kActionCarbonClick:
      HandleActionCarbonClick();
      break;
    case kActionThumbsDown:
      HandleActionThumbsDown();
      break;
    case kActionStopCountDown:
      HandleActionStopCountDown(param);
      break;
    case kActionThumbsUp:
      HandleActionThumbsUp();
      break;
    default:
      break;
  }
}

void AfterMeetingConclusionViewModel::HandleActionJumpPayPage() {
  AM_LOG(6) << "[After meeting] - HandleActionJumpPayPage " << kick_pay_info_.ToString();
  std::string url;
  if (kick_pay_info_.Has(pay::kHasPayInfo) && kick_pay_info_.GetBool(pay::kHasPayInfo, false)) {
    url = kick_pay_info_.GetString(pay::kPayUrl);
    if (url.empty()) {
      AM_LOG(1) << "[After meeting] - pay_url is empty!";
      return;
    }
  }
  OpenUpgradeWebview(url);
  std::string mid;
  if (auto parsed = base::net::URL::From(url)) mid = parsed->GetQueryValue(report::kMid);
  if (mid.empty()) AM_LOG(1) << "[After meeting] - mid is empty!";
  ReportWithCommonProps(report::kLimitGoToUpgradeClick, {{report::kMid, mid}});
  AM_LOG(6) << "[After meeting] - pay info, url: " << url << " ,mid: " << mid;
}

void AfterMeetingConclusionViewModel::OpenUpgradeWebview(const std::string& url) {
  AM_LOG(6) << "OpenUpgradeWebview :" << url;
  const std::string revised = facts::web::ReviseWebUrl(url);
  const int account_type = facts::account::GetAccountType();
  if (account_type != 0 && account_type != 17) {
    // Other accounts pay in the system browser, signed in through the account centre.
    const std::string login_url = facts::web::Generate2ExternalBrowserUrlByToken(
        facts::web::GetUserCenterMiddleLoginUrl(), util::crypto::RawUrlEncode(revised));
    velmo::OpenWebPage(login_url, context(), false, nullptr, velmo::NavigateParams());
    return;
  }
  facts::professional::NavigatorPayWebForConstUrl(context(), revised, true);
}

void AfterMeetingConclusionViewModel::HandleActionBenefitArea(const Variant* param) {
  AM_LOG(6) << "HandleActionBenefitArea " << framework::VariantToString(param);
  if (!param || !param->IsInteger()) return;
  switch (param->AsInt32()) {
    case kItemTypeSummaryGuide:
      HandleBannerJump(operate_banner_);
      ReportWithCommonProps(report::kIntroductionClick, IntroductionReportProps());
      break;
    case kItemTypeAiAssistant:
      ShowAfterMeetingAssistantApp();
      ReportWithCommonProps(report::kRetainAppsClick, AppsReportProps());
      break;
    case kItemTypeRetainedApps:
      ShowThirdApps();
      ReportWithCommonProps(report::kRetainAppsClick, AppsReportProps());
      break;
    default:
      break;
  }
}

void AfterMeetingConclusionViewModel::ShowAfterMeetingAssistantApp() {
  namespace app = host::after_meeting_app;
  namespace page = assistant_page;
  AM_LOG(6) << "show ai assistant page";
  Variant info;
  if (framework::Model* app_model = HostModel(app::kModel))
    app_model->Call(app::kCallGetAiAssistantPageInfo, nullptr, &info);
  const std::string meeting_id = std::to_string(conclusion_info_.GetUInt64(record::kMeetingId, 0));
  std::string url = info.GetString(app::kKeyUrl);
  url += util::url::AppendQueryParams(url, page::kQueryMid, meeting_id);
  url += util::url::AppendQueryParams(url, page::kQueryFrom, page::kFromAfterMeeting);
  AM_LOG(6) << "[after_meeting]url:" << url;

  Variant params = Variant::MakeMap();
  params[page::kMeetingId] = meeting_id;
  params[page::kWebPageSceneTag] = page::kSceneAfterMeeting;
  params[page::kWndSizeWidth] = info.GetInt64(app::kKeyWndSizeWidth, 0);
  params[page::kWndSizeHeight] = info.GetInt64(app::kKeyWndSizeHeight, 0);
  params[page::kShowMaxBtn] = false;
  params[page::kShowMinBtn] = false;
  params[page::kFixSize] = false;
  params[page::kHideToolbar] = true;
  params[page::kTopMost] = false;
  AM_LOG(6) << "open ai assistant page in after meeting conclusion with params: "
            << params.ToString();
  velmo::NavigateParams navigate;
  navigate.from_scheme = page::kFromScheme;
  velmo::OpenWebPage(url, context(), true, &params, std::move(navigate));
}

void AfterMeetingConclusionViewModel::ShowThirdApps() { SetPropValue(kPropThirdAppShow, true); }

void AfterMeetingConclusionViewModel::HandleActionCarbonClick() {
  HandleBannerJump(carbon_banner_);
  ReportWithCommonProps(report::kCarbonRecordClick, CarbonReportProps());
}

void AfterMeetingConclusionViewModel::HandleActionClosePage(const Variant* param) {
  AM_LOG(6) << "HandleActionClosePage " << framework::VariantToString(param);
  StopSummaryPageCountdown();
  ReportWithCommonProps(report::kCloseClick, {{report::kEndType, end_type_}});
  const Variant& close_state = feedback_config_.Get(feedback::kCloseState);
  if (!feedback_done_ && close_state.IsMap() && close_state.Has(feedback::kReport)) {
    Variant payload = Variant::MakeMap();
    payload[host::feedback_report::kKeyReport] = close_state.Get(feedback::kReport);
    AM_LOG(6) << "[AfterMeeting_feedback] report_variant:" << payload.ToString();
    SendFeedbackPayload(payload);
  }
  ClosePage();
}

void AfterMeetingConclusionViewModel::FeedbackReport(const char* side, const char* key) {
  std::string report_id;
  const Variant& evaluate = feedback_config_.Get(feedback::kEvaluateState);
  if (evaluate.Has(side) && evaluate.Get(side).Has(feedback::kReport))
    report_id = evaluate.Get(side).GetString(feedback::kReport);
  AM_LOG(6) << "[AfterMeeting_feedback] report:" << report_id;
  if (report_id.empty()) return;
  Variant payload = Variant::MakeMap();
  payload[host::feedback_report::kKeyReport] = report_id;
  payload[host::feedback_report::kKeyData][key] = "1";
  AM_LOG(6) << "[AfterMeeting_feedback] report_variant:" << payload.ToString();
  SendFeedbackPayload(payload);
}

void AfterMeetingConclusionViewModel::HandleActionThumbsUp() {
  FeedbackReport(feedback::kLeft, feedback::kThumbsUp);
  Variant finish = Variant::MakeMap();
  finish[feedback::kThumbsUp] = "1";
  OnFeedbackFinish(&finish);
  ReportWithCommonProps(report::kFeedbackThumbUpClick, {});
}

void AfterMeetingConclusionViewModel::HandleActionThumbsDown() {
  FeedbackReport(feedback::kRight, feedback::kThumbsDown);
  const Variant page(kContainerPageFeedback);
  CallConclusionModel(kCallSetCloseMeetingContainerPage, &page, nullptr);
  ReportWithCommonProps(report::kFeedbackThumbDownClick, {});
  ReportWithCommonProps(report::kTagSelectionExposure, {});
}

void AfterMeetingConclusionViewModel::OnFeedbackFinish(const Variant* param) {
  AM_LOG(6) << "[After meeting] OnFeedbackFinish";
  feedback_done_ = true;
  UpdateContentList();
  const std::string title = GetFeedbackTexts(feedback::kResultState).first;

  // Only the last of quick successive finishes shows its toast.
  if (feedback_toast_timer_) {
    feedback_toast_timer_->Stop();
    feedback_toast_timer_.reset();
  }
  std::weak_ptr<framework::ViewModel> weak = weak_from_this();
  feedback_toast_timer_ = velmo_common::utils::timer::CreateTimer(
      [weak, title] {
        // The page may have closed within the delay.
        std::shared_ptr<framework::ViewModel> vm = weak.lock();
        if (!vm) return;
        static_cast<AfterMeetingConclusionViewModel*>(vm.get())->ShowToast(0, title, 2000, 0, "",
                                                                           "");
      },
      FROM_HERE);
  feedback_toast_timer_->Start(200, false);

  Properties properties;
  if (param && param->IsMap()) {
    for (const auto& [key, value] : param->AsMap())
      if (value.IsString()) properties[key] = value.AsStr();
  }
  ReportWithCommonProps(report::kTagSelectionSubmitClick, std::move(properties));
}

std::pair<std::string, std::string> AfterMeetingConclusionViewModel::GetFeedbackTexts(
    const char* state) const {
  const Variant& texts = feedback_config_.Get(state);
  return {texts.GetString(feedback::kTitle), texts.GetString(feedback::kDesc)};
}

AfterMeetingConclusionViewModel::Properties AfterMeetingConclusionViewModel::AppsReportProps()
    const {
  return {{report::kAppsCount, std::to_string(apps_count_)}, {report::kRetainApps, retain_apps_}};
}

AfterMeetingConclusionViewModel::Properties
AfterMeetingConclusionViewModel::IntroductionReportProps() const {
  return {{report::kTaskId, task_id_},
          {report::kExperimentId, experiment_id_},
          {report::kExperimentGroupId, experiment_group_id_},
          {report::kIsCloudRecord, record_started_ ? "1" : "0"}};
}

AfterMeetingConclusionViewModel::Properties AfterMeetingConclusionViewModel::CarbonReportProps()
    const {
  return {{report::kExperimentId, experiment_id_},
          {report::kExperimentGroupId, experiment_group_id_},
          {report::kCarbonSubmit, std::to_string(carbon_submit_)}};
}

void AfterMeetingConclusionViewModel::ReportWithCommonProps(const std::string& event_id,
                                                            Properties properties) {
  // Asked anew for every report: the model's snapshot may change while the page shows.
  Variant room;
  CallConclusionModel(kCallGetRoomInfo, nullptr, &room);
  properties[report::kMeetingTrialType] =
      GetTrialTypeText(room.GetInt32(lp::kCreatorAccountType, -1));
  properties[report::kIsCreator] =
      room.GetString(lp::kCreatorUid) == facts::GetSelfAppUid() ? "1" : "0";
  properties[report::kUserRole] = GetRoleType(room.GetInt32(lp::kRoleType, 0));
  properties[report::kPreMeetingId] = std::to_string(room.GetUInt64(lp::kMeetingId, 0));
  properties[report::kPreMeetingCode] = room.GetString(lp::kMeetingCode);
  properties[report::kEndTimeStamp] =
      std::to_string(util::time::GetTimestampMsec() - attach_time_ms_);
  velmo_common::utils::analytics::LogEventWithProperties(event_id, properties);
}

// ---------------------------------------------------------------------------------------------
// Countdown

void AfterMeetingConclusionViewModel::StartSummaryPageCloseBtnCountdown() {
  if (summary_page_timer_) {
    AM_LOG(1) << "summary_page_timer_ has excuted";
    return;
  }
  const int32_t dismiss = conclusion_info_.GetInt32(record::kDismissTimeOut, 0);
  AM_LOG(6) << "dismiss_time_out=" << dismiss;
  if (dismiss <= 0) {
    UpdateCountDownText(-1);
    return;
  }
  count_down_elapsed_ = 0;
  std::weak_ptr<framework::ViewModel> weak = weak_from_this();
  summary_page_timer_ = velmo_common::utils::timer::CreateTimer(
      [weak, dismiss] {
        // The page may be gone; its timer then dies with it, but a tick may already be due.
        std::shared_ptr<framework::ViewModel> vm = weak.lock();
        if (!vm) return;
        static_cast<AfterMeetingConclusionViewModel*>(vm.get())->OnCountDownTick(dismiss);
      },
      FROM_HERE);
  UpdateCountDownText(dismiss);
  summary_page_timer_->Start(1000, true);
}

void AfterMeetingConclusionViewModel::OnCountDownTick(int32_t dismiss) {
  ++count_down_elapsed_;
  const int64_t remaining = static_cast<int64_t>(dismiss) - count_down_elapsed_;
  if (remaining >= 0) {
    UpdateCountDownText(static_cast<int32_t>(remaining));
    return;
  }
  AM_LOG(6) << "close summary page from time out";
  ReportWithCommonProps(report::kAutoCloseClick, {});
  // Closing the page ends this view model and with it the timer.
  ClosePage();
}

void AfterMeetingConclusionViewModel::StopSummaryPageCountdown() {
  if (!summary_page_timer_) return;
  summary_page_timer_->Stop();
  summary_page_timer_.reset();
  count_down_elapsed_ = 0;
}

void AfterMeetingConclusionViewModel::UpdateCountDownText(int32_t seconds) {
  std::string text = GetLocalizedString(text::kCloseButton);
  if (seconds >= 0) {
    text += framework::StringFormatter(FormatString(text::kCountDownSuffix))
                .Arg(text::kArgSeconds, Variant(seconds))
                .Str();
  }
  Variant value = Variant::MakeMap();
  value[confirm_button::kText] = text;
  value[confirm_button::kSeconds] = seconds;
  value[confirm_button::kIsCountDown] = seconds != -1;
  SetPropValue(kPropConfirmButtonText, std::move(value));
}

void AfterMeetingConclusionViewModel::HandleActionStopCountDown(const Variant* param) {
  AM_LOG(6) << "StopCountDown";
  StopSummaryPageCountdown();
  UpdateCountDownText(-1);
}

// ---------------------------------------------------------------------------------------------
// Banners

void AfterMeetingConclusionViewModel::QueryOperateBanner() {
  namespace hb = host::banner;
  operate_banner_ = Variant();
  carbon_banner_ = Variant();
  framework::Model* banners = HostModel(hb::kModel);
  if (!banners) return;
  Variant request = Variant::MakeMap();
  request[hb::kKeyTemplateKey] = hb::kTemplateMeetingSummaryGuide;
  request[hb::kKeyMeetingId] = std::to_string(conclusion_info_.GetUInt64(record::kMeetingId, 0));
  const std::string sub_meeting_id = conclusion_info_.GetString(record::kSubMeetingId);
  if (!sub_meeting_id.empty()) request[hb::kKeySubMeetingId] = sub_meeting_id;
  banners->Call(hb::kCallQueryBanner, &request, nullptr);
  AM_LOG(6) << "query historical banner with template_key: " << hb::kTemplateMeetingSummaryGuide;
}

void AfterMeetingConclusionViewModel::OnEventQueryAfterMeetingBannerComplete(const Variant* param) {
  namespace hb = host::banner;
  if (!param || !param->IsMap()) {
    AM_LOG(6) << "banner params is error";
    return;
  }
  AM_LOG(6) << "banner params  = " << param->ToString();
  experiment_id_ = param->GetString(hb::kKeyExperimentId);
  experiment_group_id_ = param->GetString(hb::kKeyExperimentGroupId);
  task_id_ = param->GetString(hb::kKeyBannerId);
  const std::string template_key = param->GetString(hb::kKeyTemplateKey);
  if (template_key == hb::kTemplateMeetingSummaryCredit) {
    OnCarbonBannerComplete(*param);
  } else if (template_key == hb::kTemplateMeetingSummaryGuide) {
    OnOperateBannerComplete(*param);
  }
}

void AfterMeetingConclusionViewModel::OnOperateBannerComplete(const Variant& param) {
  namespace hb = host::banner;
  if (!param.GetBool(hb::kKeyShowBanner, false) || param.GetString(hb::kKeySummaryText).empty()) {
    AM_LOG(6) << "no need show_banner";
    return;
  }
  operate_banner_ = param;
  AM_LOG(6) << "show " << operate_banner_.ToString();
  UpdateContentList();
  ReportBannerShown(operate_banner_);
}

void AfterMeetingConclusionViewModel::OnCarbonBannerComplete(const Variant& param) {
  namespace hb = host::banner;
  if (!param.GetBool(hb::kKeyShowBanner, false) ||
      param.GetString(hb::kKeySummaryJumpText).empty()) {
    AM_LOG(6) << "no need show_banner";
    return;
  }
  carbon_banner_ = param;
  AM_LOG(6) << "[After meeting] show CarbonBanner " << carbon_banner_.ToString();
  UpdateUiData();
  carbon_submit_ = carbon_banner_.GetUInt64(hb::kKeyCarbonSubmit, 0);
  ReportWithCommonProps(report::kCarbonRecordExposure, CarbonReportProps());
  ReportBannerShown(carbon_banner_);
}

void AfterMeetingConclusionViewModel::ReportBannerShown(const Variant& banner) {
  namespace shown = host::banner_shown;
  framework::Model* model = HostModel(shown::kModel);
  if (!model) return;
  Variant params = Variant::MakeMap();
  params[shown::kKeyId] = banner.GetInt32(host::banner::kKeyBannerId, 0);
  params[shown::kKeyBmId] = banner.GetInt32(host::banner::kKeyBmId, 0);
  model->Call(shown::kCallBannerShown, &params, nullptr);
}

void AfterMeetingConclusionViewModel::OnEventMeetingReceivePushNotifyMsg(const Variant* param) {
  // An accepted carbon banner needs no fresh answer.
  if (!param || !carbon_banner_.IsNull()) return;
  if (param->GetInt32(host::push::kKeyNotifyType, 0) != host::push::kNotifyTypeCarbonBanner) return;
  framework::Model* banners = HostModel(host::banner::kModel);
  if (!banners) return;
  banners->Call(host::banner::kCallQueryBanner, param, nullptr);
  AM_LOG(6) << "query carbon banner with push: " << param->ToString();
}

void AfterMeetingConclusionViewModel::HandleBannerJump(const Variant& banner) {
  namespace hb = host::banner;
  Variant parameters = Variant::MakeMap();
  const int32_t redirect_type = banner.GetInt32(hb::kKeyRedirectType, 0);
  if (redirect_type == hb::kRedirectNative) {
    const std::string scheme =
        banner.GetString(hb::kKeyScheme, banner.GetString(hb::kKeyRedirectHref));
    if (banner.Has(hb::kKeySelectedTabId))
      parameters[hb::kKeySelectedTabId] = banner.GetInt32(hb::kKeySelectedTabId, 0);
    AM_LOG(6) << "route to native page, scheme = " << scheme;
    parameters[banner_jump::kFrom] = banner_jump::kFromOperatingBanner;
    framework::module::Navigator::Of(context(), true).Push(scheme, parameters);
  } else if (redirect_type == hb::kRedirectWeb) {
    const std::string url = banner.GetString(hb::kKeyRedirectHref);
    AM_LOG(6) << "route to web with url: " << url;
    velmo::NavigateParams navigate;
    navigate.from_scheme = banner_jump::kFromSchemeWeb;
    velmo::OpenWebPage(url, context(), true, &parameters, std::move(navigate));
  } else {
    AM_LOG(3) << "unsupported redirect type: " << redirect_type;
  }
}

}  // namespace after_meeting
