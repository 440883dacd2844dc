#include "after_meeting/feedback/after_meeting_feedback_view_model.h"

#include <algorithm>
#include <cstdint>
#include <random>

#include "after_meeting/feedback/feedback_contract.h"
#include "after_meeting/host/host_ids.h"
#include "after_meeting/host/log.h"
#include "after_meeting/model/model_ids.h"
#include "after_meeting/module/after_meeting_module.h"
#include "after_meeting/module/after_meeting_module_runtime.h"
#include "after_meeting/module/module_constants.h"
#include "platform/base/json.h"
#include "platform/base/location.h"
#include "platform/common/analytics.h"
#include "platform/framework/module_service.h"
#include "platform/util/time.h"

namespace after_meeting {

namespace fb = feedback;
using base::variant::Variant;

namespace {

// Host string ids of the built-in tags, used when the configuration has no "list": the text a
// click reports back ("id") and the text shown ("message").
struct BuiltInTag {
  uint32_t id_text;
  uint32_t message_text;
};
constexpr BuiltInTag kBuiltInTags[] = {
    {0x8EFD793D, 0x7676C159}, {0x609373B6, 0xB9A2ABB6}, {0xD7F2E9E4, 0x1F691C31},
    {0x67B7E137, 0xCC35EE9C}, {0x1D0F90A3, 0xC5E0C20D}, {0x89912C8C, 0xDAED6E3C},
    {0x7E11431D, 0x2E16CA6B}, {0x3F92FC4F, 0xC9386690}, {0x214D7BD6, 0xD57AE143},
};
constexpr uint32_t kOtherQuestionPlaceholderText = 2005758517;

framework::Model* AfterMeetingModelOrNull() {
  AfterMeetingModuleRuntime* runtime = GetModuleRuntime();
  if (!runtime) return nullptr;
  framework::ModelProvider* models = runtime->GetModelProvider();
  return models ? models->ModelOf(kTypeAfterMeetingModel) : nullptr;
}

void CallAfterMeetingModel(int call_id, const Variant& params) {
  if (framework::Model* model = AfterMeetingModelOrNull()) model->Call(call_id, &params, nullptr);
}

void SendFeedbackReport(const Variant& report) {
  if (framework::Model* reports =
          framework::module::GetAppModuleModel(host::feedback_report::kModel))
    reports->Call(host::feedback_report::kCallReport, &report, nullptr);
}

Variant TagRecord(const std::string& key) {
  Variant record = Variant::MakeMap();
  record[key] = fb::kTagNotSelected;
  return record;
}

Variant TagItem(const std::string& id, const std::string& message) {
  Variant item = Variant::MakeMap();
  item[fb::tag::kId] = id;
  item[fb::tag::kMessage] = message;
  return item;
}

}  // namespace

AfterMeetingFeedbackViewModel::AfterMeetingFeedbackViewModel() = default;
AfterMeetingFeedbackViewModel::~AfterMeetingFeedbackViewModel() = default;

void AfterMeetingFeedbackViewModel::OnViewAttached(const Variant* params) {
  StatefulViewModel::OnViewAttached(params);
  framework::Model* model = AfterMeetingModelOrNull();
  if (!model) return;
  Variant info;
  model->Call(kCallGetFeedbackInfo, nullptr, &info);
  if (info.IsMap()) OnFeedbackInfo(&info);
  RecordSubscribe(model, this);
  // The record drops this subscription when the view model ends, so `this` cannot dangle.
  model->SubscribeWithLocation(
      kEventFeedbackInfo, this, [this](const Variant* info) { OnFeedbackInfo(info); },
      base::Location());
}

void AfterMeetingFeedbackViewModel::OnViewDetached() {
  StatefulViewModel::OnViewDetached();
  if (framework::Model* model = AfterMeetingModelOrNull()) {
    model->Unsubscribe(this);
    RecordClearSubscribe(model, this);
  }
}

void AfterMeetingFeedbackViewModel::OnFeedbackInfo(const Variant* info) {
  if (!info || !info->Has(host::after_meeting_app::kKeyFeedback)) return;
  share_params_ = info->Get(host::after_meeting_app::kKeyFeedback);
  FeedBackUiData();
}

void AfterMeetingFeedbackViewModel::FeedBackUiData() {
  if (!share_params_.IsMap()) {
    AM_LOG(6) << "[aftermeeting_feedback] share_params_ is not or not map";
    return;
  }
  if (share_params_.Has(fb::config::kFeedbackState)) {
    const Variant& state = share_params_.Get(fb::config::kFeedbackState);
    if (state.Has(fb::config::kReport)) {
      Variant report = Variant::MakeMap();
      report[fb::report::kReport] = state.Get(fb::config::kReport);
      AM_LOG(6) << "[aftermeeting_feedback] report_variant:" << framework::VariantToString(report);
      SendFeedbackReport(report);
    }

    Variant ui_data = Variant::MakeMap();
    ui_data[fb::ui_data::kTitle] = state.GetString(fb::config::kTitle);
    ui_data[fb::ui_data::kEditContentHintText] = state.GetString(fb::config::kInput);
    ui_data[fb::ui_data::kOtherQuestionPlaceholder] =
        GetLocalizedString(static_cast<int>(kOtherQuestionPlaceholderText));
    ui_data[fb::ui_data::kOtherQuestionLengthLimit] = fb::kOtherQuestionLengthLimit;
    SetPropValue(fb::kPropFeedbackUiData, std::move(ui_data));

    if (state.Has(fb::config::kList)) {
      BuildTagListFromConfig(state);
    } else {
      BuildBuiltInTagList();
    }
    UpdateFeedBackConfirmButton();
  }
  SetStatefulData(fb::kState1, nullptr);
  start_tick_ = util::time::GetTickTimestampMsec();
}

void AfterMeetingFeedbackViewModel::BuildTagListFromConfig(const Variant& state) {
  // A copy: the stored configuration keeps its order, and every build shuffles the same way.
  Variant::Array list = state.Get(fb::config::kList).AsArray();
  if (state.GetBool(fb::config::kListRand, false)) {
    std::minstd_rand0 engine(1);
    std::shuffle(list.begin(), list.end(), engine);
  }
  Variant tags = Variant::MakeArray();
  for (const Variant& entry : list) {
    if (!entry.IsString()) continue;
    tags.Add(TagItem(entry.AsStr(), entry.AsStr()));
    tag_states_.push_back(TagRecord(entry.AsStr()));
  }
  SetPropValue(fb::kPropFeedbackTagList, std::move(tags));
}

void AfterMeetingFeedbackViewModel::BuildBuiltInTagList() {
  Variant tags = Variant::MakeArray();
  for (const BuiltInTag& built_in : kBuiltInTags) {
    const std::string id = GetLocalizedString(static_cast<int>(built_in.id_text));
    const std::string message = GetLocalizedString(static_cast<int>(built_in.message_text));
    tags.Add(TagItem(id, message));
    // Keyed by the "id" text, not the shown one: a click names the tag by its "id", so only a
    // record under that text lets the choice count. The "id" texts read the same in every
    // language, which also keeps "problems" in the report comparable across languages.
    tag_states_.push_back(TagRecord(id));
  }
  SetPropValue(fb::kPropFeedbackTagList, std::move(tags));
}

void AfterMeetingFeedbackViewModel::UpdateFeedBackConfirmButton() {
  if (!share_params_.IsMap()) {
    AM_LOG(6) << "[aftermeeting_feedback] share_params_ is not or not map";
    return;
  }
  const Variant& state = share_params_.Get(fb::config::kFeedbackState);
  if (!state.Has(fb::config::kConfirm)) return;
  Variant confirm = Variant::MakeMap();
  confirm[fb::confirm::kText] = state.Get(fb::config::kConfirm).GetString(fb::config::kConfirmText);
  confirm[fb::confirm::kEnable] = item_selected_number_ > 0 || !other_question_.empty();
  SetPropValue(fb::kPropFeedbackConfirm, std::move(confirm));
}

void AfterMeetingFeedbackViewModel::HandleAction(int action, const Variant* params) {
  if (params && params->IsMap() && params->Get(fb::kStatisticsReportId).IsString())
    velmo_common::utils::analytics::LogEvent(params->GetString(fb::kStatisticsReportId));

  switch (action) {
    case fb::kActionFeedbackBack:
      GoBackToConclusion();
      break;
    case fb::kActionClickTagListItem:
      HandleClickTagListItemAction(params);
      break;
    case fb::kActionUpdateOtherProblemsContent:
      HandleUpdateOtherProblemsContentAction(params);
      break;
    case fb::kActionClickSubmitButton:
      HandleClickSubmitButton(params);
      break;
    case fb::kActionFeedbackState1:
      SetStatefulData(fb::kState1, nullptr);
      UpdateFeedBackConfirmButton();
      break;
    case fb::kActionFeedbackState2:
      SetStatefulData(fb::kState2, nullptr);
      break;
    default:
      break;
  }
}

void AfterMeetingFeedbackViewModel::HandleClickTagListItemAction(const Variant* params) {
  if (!params || !params->IsMap()) {
    AM_LOG(1) << "params is error.";
    return;
  }
  AM_LOG(6) << "[AfterMeeting_feedback]  params:" << framework::VariantToString(params);
  const std::string id = params->GetString(fb::click::kId);
  const bool selected = params->GetBool(fb::click::kIsSelected, false);
  AM_LOG(6) << "id:" << id << " selected:" << selected;

  // The view toggles the tag itself; its new state is taken as told.
  for (Variant& record : tag_states_) {
    if (!record.Has(id)) continue;
    record[id] = selected ? fb::kTagSelected : fb::kTagNotSelected;
    item_selected_number_ += selected ? 1 : -1;
    break;
  }
  UpdateFeedBackConfirmButton();
  AM_LOG(6) << "id:" << id << " selected:" << selected
            << "item_selected_number_:" << item_selected_number_;
}

void AfterMeetingFeedbackViewModel::HandleUpdateOtherProblemsContentAction(const Variant* params) {
  if (!params || !params->IsString()) {
    AM_LOG(1) << "[aftermeeting_feedback] params is error.";
    return;
  }
  other_question_ = params->AsStr();
  AM_LOG(6) << "[aftermeeting_feedback] other_question:" << other_question_;
  UpdateFeedBackConfirmButton();
}

void AfterMeetingFeedbackViewModel::HandleClickSubmitButton(const Variant*) {
  if (!share_params_.IsMap())
    AM_LOG(3) << "[AfterMeeting_feedback] share_params_ is not or not map";
  AM_LOG(6) << "[AfterMeeting_feedback] GetCurrentState:" << GetCurrentState();

  // The id is logged where it is found and once more in any case, so a missing id still
  // leaves its line.
  std::string report_id;
  const Variant& state = share_params_.Get(fb::config::kFeedbackState);
  const Variant& confirm = state.Get(fb::config::kConfirm);
  if (confirm.Has(fb::config::kConfirmReport)) {
    report_id = confirm.GetString(fb::config::kConfirmReport);
    AM_LOG(6) << "[AfterMeeting_feedback] report:" << report_id;
  }
  AM_LOG(6) << "[AfterMeeting_feedback] report:" << report_id;
  HandleReport(report_id);
}

void AfterMeetingFeedbackViewModel::HandleReport(const std::string& report_id) {
  Variant data;
  if (!report_id.empty()) {
    Variant report = Variant::MakeMap();
    report[fb::report::kReport] = report_id;
    data[fb::report::kThumbsDown] = fb::report::kYes;
    const int state = GetCurrentState();
    if (state == fb::kState1 || state == fb::kState2) {
      data[fb::report::kTimeConsumed] =
          std::to_string(util::time::GetTickTimestampMsec() - start_tick_);
      data[fb::report::kOtherProblems] = other_question_;
      data[fb::report::kProblems] = Variant(tag_states_).ToJson().ToStyledString();
    }
    report[fb::report::kData] = data;
    AM_LOG(6) << "[AfterMeeting_feedback] report_variant:" << framework::VariantToString(report);
    SendFeedbackReport(report);
  }
  GoBackToConclusion();
  CallAfterMeetingModel(kCallSetFeedbackFinish, data);
}

void AfterMeetingFeedbackViewModel::GoBackToConclusion() {
  CallAfterMeetingModel(kCallSetCloseMeetingContainerPage, Variant(kContainerPageConclusion));
}

}  // namespace after_meeting
