// Drives the three pages' view models as the host and their views would, with arbitrary data:
// the bytes pick the host's answers, then a run of user actions (any id, any parameter), host
// events the pages and the model hear, the model's own events and clock advances. Nothing may
// fault, every published property must keep its shape, and detaching must leave no
// subscription behind.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "after_meeting/conclusion/conclusion_contract.h"
#include "after_meeting/feedback/feedback_contract.h"
#include "after_meeting/host/host_ids.h"
#include "after_meeting/model/model_ids.h"
#include "after_meeting/module/module_constants.h"
#include "fuzz/fuzz_host.h"
#include "platform/base/looper_thread.h"
#include "platform/common/meeting_facts.h"
#include "platform/framework/module_service.h"
#include "platform/framework/view_model.h"
#include "platform/sdk/environment.h"
#include "platform/sdk/meeting_service.h"
#include "platform/testing/manual_clock.h"
#include "platform/testing/scriptable_host_model.h"
#include "platform/testing/variant_from_bytes.h"

namespace {

namespace h = after_meeting::host;
namespace am = after_meeting;
namespace c = after_meeting::conclusion;
namespace f = after_meeting::feedback;
using base::variant::Variant;
using testing_support::ScriptableHostModel;

const int kPageTypes[] = {am::kTypeAfterMeetingConclusionViewModel,
                          am::kTypeAfterMeetingFeedbackViewModel,
                          am::kTypeCloseMeetingContainerViewModel};

const int kActions[] = {
    c::kActionJumpPayPage,       c::kActionBenefitArea,
    c::kActionClosePage,         c::kActionCarbonClick,
    c::kActionThumbsDown,        c::kActionStopCountDown,
    c::kActionThumbsUp,          f::kActionFeedbackBack,
    f::kActionClickTagListItem,  f::kActionUpdateOtherProblemsContent,
    f::kActionClickSubmitButton, f::kActionFeedbackState1,
    f::kActionFeedbackState2,    0x7fff0002,
};

struct HostEvent {
  int model;
  int event;
};
const HostEvent kHostEvents[] = {
    {h::meeting::kModel, h::meeting::kEventPreLeave},
    {h::meeting::kModel, h::meeting::kEventPreJoin},
    {h::after_meeting_app::kModel, h::after_meeting_app::kEventSetFeedbackInfo},
    {h::after_meeting_app::kModel, h::after_meeting_app::kEventSetAiAssistantInfo},
    {h::after_meeting_app::kModel, h::after_meeting_app::kEventNotifyKickOut},
    {h::banner::kModel, h::banner::kEventQueryBannerComplete},
    {h::push::kModel, h::push::kEventReceivePushNotifyMsg},
    {h::priority_events::kModel, h::priority_events::kEventPreLeaveImmersiveCheck},
    {h::priority_events::kModel, h::priority_events::kEventRoomInfoChanged},
    {h::record_state::kModel, h::record_state::kEventRecordStateChanged},
    {h::apps::kModel, h::apps::kEventContentSourceChanged},
};

const int kModelEvents[] = {am::kEventConclusionInfoComplete, am::kEventConclusionInfo,
                            am::kEventSetCloseMeetingContainerPage, am::kEventFeedbackFinish,
                            am::kEventFeedbackInfo};

testing_support::VariantByteLimits Limits() {
  testing_support::VariantByteLimits limits;
  limits.keys = {"basic_info",
                 "begin_time",
                 "duration_time",
                 "join_uid_num",
                 "join_time",
                 "cumulative_time",
                 "biz_code",
                 "status_code",
                 "feedback",
                 "tags",
                 "list",
                 "list_rand",
                 "id",
                 "text",
                 "template_key",
                 "show_banner",
                 "summary_text",
                 "redirect_type",
                 "redirect_href",
                 "scheme",
                 "carbon_submit",
                 "enable",
                 "assistant_name",
                 "open_app_id",
                 "name",
                 "extension_id",
                 "notify_type",
                 "meeting_item",
                 "is_host",
                 "dismiss_time_out",
                 "show_record",
                 "meeting_id"};
  limits.texts = {"meeting_summary_guide", "meeting_summary_credit",
                  R"({"feedback": {"list": [{"id": 1, "text": "echo"}]}})",
                  "extension:appbox.meeting_assistant_content", "native-457520021246070445"};
  return limits;
}

using fuzz_support::Check;
using fuzz_support::Drain;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_support::FuzzHost& host = fuzz_support::SetUpFuzzHost(/*widgets=*/false);
  testing_support::VariantByteReader in(data, size, Limits());

  const uint8_t flags = in.ReadByte();
  velmo_common::utils::MeetingFacts facts;
  facts.meeting_id = "8812345678";
  facts.app_uid = "144115198765432100";
  facts.account_type = flags & 0x1f;
  velmo_common::utils::SetMeetingFacts(facts);
  velmosdk::utils::service::GetMeetingService()->SetSelfRole((flags >> 5) & 3);
  const bool ok = in.ReadBool();
  host.Model(h::meeting::kModel)->SetAnswer(h::meeting::kCallGetMeetingItem, ok, in.ReadVariant());
  const bool apps_ok = in.ReadBool();
  host.Model(h::apps::kModel)->SetAnswer(h::apps::kCallGetOpenedApps, apps_ok, in.ReadVariant());
  host.config->ClearEntries();
  if (in.ReadBool())
    host.config->SetEntry(h::configuration::kGroupAfterMeeting,
                          h::configuration::kAutoDismissEnable, 1);
  host.config->SetEntry(h::configuration::kGroupAfterMeeting, h::configuration::kDismissTimeoutHost,
                        in.ReadVariant());

  framework::Model* model = host.runtime->GetModelProvider()->ModelOf(am::kTypeAfterMeetingModel);
  const int model_subscribers = model ? model->SubscriberCount() : 0;
  std::vector<std::shared_ptr<framework::StatefulViewModel>> pages;
  for (int type : kPageTypes) {
    auto vm = host.runtime->GetViewModelProvider()->BuildViewModel(type);
    Check(vm != nullptr);
    // A view binds what it shows; shapes the views rely on are checked as they arrive.
    vm->BindProp(c::kPropConclusionContentList, [](const Variant* v) { Check(v && v->IsArray()); });
    vm->BindProp(c::kPropThirdAppShow, [](const Variant* v) { Check(v && v->IsBool()); });
    vm->BindProp(f::kPropFeedbackTagList, [](const Variant* v) { Check(v && v->IsArray()); });
    vm->OnViewAttached(nullptr);
    pages.push_back(std::move(vm));
  }

  for (int i = 0; i < 48 && !in.empty(); ++i) {
    const uint8_t op = in.ReadByte();
    const uint8_t mode = in.ReadByte();
    Variant payload = (mode & 1) ? Variant() : in.ReadVariant();
    Variant* param = (mode & 1) ? nullptr : &payload;
    switch (op % 5) {
      case 0: {
        auto& page = pages[(mode >> 1) % pages.size()];
        page->Handle(kActions[in.ReadByte() % (sizeof(kActions) / sizeof(kActions[0]))], param);
        break;
      }
      case 1: {
        const HostEvent& e =
            kHostEvents[in.ReadByte() % (sizeof(kHostEvents) / sizeof(kHostEvents[0]))];
        host.Model(e.model)->Fire(e.event, param);
        break;
      }
      case 2:
        if (model)
          model->FireEvent(kModelEvents[in.ReadByte() % (sizeof(kModelEvents) / sizeof(int))],
                           param);
        break;
      case 3:
        host.clock->Advance(static_cast<uint64_t>(in.ReadByte()) * 250);
        break;
      default:
        Drain();
        break;
    }
  }
  for (auto& page : pages) page->OnViewDetached();
  pages.clear();
  if (model) Check(model->SubscriberCount() == model_subscribers);
  for (int type : {h::priority_events::kModel, h::push::kModel})
    Check(host.Model(type)->SubscriberCount() == 0 &&
          host.Model(type)->PrioritySubscriberCount(
              h::priority_events::kEventPreLeaveImmersiveCheck) == 0);
  Drain();
  host.clock->Advance(6000);
  Drain();
  host.ClearCalls();
  return 0;
}
