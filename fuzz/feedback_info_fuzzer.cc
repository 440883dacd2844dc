// Feeds arbitrary text to the feedback configuration the host hands over, as the host sends it
// (JSON text) and as an already parsed value, then walks both pages that read it: the tag list
// must come out as tags with text ids, a click on every listed tag must be taken, and submit
// must hand the report model a map. Detaching must leave no subscription behind.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "after_meeting/feedback/feedback_contract.h"
#include "after_meeting/model/model_ids.h"
#include "fuzz/fuzz_host.h"
#include "platform/base/json.h"
#include "platform/framework/view_model.h"

namespace {

namespace h = after_meeting::host;
namespace am = after_meeting;
namespace f = after_meeting::feedback;
using base::variant::Variant;
using fuzz_support::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_support::FuzzHost& host = fuzz_support::SetUpFuzzHost(/*widgets=*/false);
  if (size == 0) return 0;
  const uint8_t flags = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  // The first byte says how the host hands the text over: as text, or parsed.
  Variant payload(text);
  if (flags & 1) {
    base::json::JsonValue parsed;
    if (!base::json::JsonValue::Parse(text, &parsed)) return 0;
    payload = Variant::FromJson(parsed);
  }
  host.Model(h::after_meeting_app::kModel)
      ->Fire(h::after_meeting_app::kEventSetFeedbackInfo, &payload);

  framework::Model* model = host.runtime->GetModelProvider()->ModelOf(am::kTypeAfterMeetingModel);
  const int subscribers = model ? model->SubscriberCount() : 0;
  Variant info;
  if (model) model->Call(am::kCallGetFeedbackInfo, nullptr, &info);

  std::vector<Variant> tag_lists;
  std::vector<Variant> confirms;
  auto conclusion = host.runtime->GetViewModelProvider()->BuildViewModel(
      am::kTypeAfterMeetingConclusionViewModel);
  auto feedback =
      host.runtime->GetViewModelProvider()->BuildViewModel(am::kTypeAfterMeetingFeedbackViewModel);
  Check(conclusion && feedback);
  feedback->BindProp(f::kPropFeedbackTagList, [&](const Variant* v) {
    Check(v && v->IsArray());
    tag_lists.push_back(*v);
  });
  feedback->BindProp(f::kPropFeedbackConfirm, [&](const Variant* v) {
    Check(v && v->IsMap() && v->Get(f::confirm::kEnable).IsBool());
    confirms.push_back(*v);
  });
  conclusion->OnViewAttached(nullptr);
  feedback->OnViewAttached(nullptr);
  if (info.IsMap() && info.Get(h::after_meeting_app::kKeyFeedback).IsMap() && model)
    model->FireEvent(am::kEventFeedbackInfo, &info);

  // Every listed tag is a map with a text id; clicking each one selected must enable confirm.
  if (!tag_lists.empty()) {
    const Variant list = tag_lists.back();
    for (const Variant& tag : list.AsArray()) {
      Check(tag.IsMap() && tag.Get(f::tag::kId).IsString() && tag.Get(f::tag::kMessage).IsString());
      Variant click = Variant::MakeMap();
      click[f::click::kId] = tag.GetString(f::tag::kId);
      click[f::click::kIsSelected] = true;
      feedback->Handle(f::kActionClickTagListItem, &click);
    }
    if (!list.Empty() && !confirms.empty()) Check(confirms.back().GetBool(f::confirm::kEnable));
  }
  Variant typed(text.substr(0, 40));
  feedback->Handle(f::kActionUpdateOtherProblemsContent, &typed);
  feedback->Handle(f::kActionClickSubmitButton, nullptr);
  for (const auto& call :
       host.Model(h::feedback_report::kModel)->CallsOf(h::feedback_report::kCallReport))
    Check(call.params.IsMap());

  feedback->OnViewDetached();
  conclusion->OnViewDetached();
  feedback.reset();
  conclusion.reset();
  if (model) Check(model->SubscriberCount() == subscribers);
  fuzz_support::Drain();
  host.clock->Advance(6000);
  host.ClearCalls();
  return 0;
}
