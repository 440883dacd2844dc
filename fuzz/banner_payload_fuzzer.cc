// Feeds arbitrary JSON to the banner answers the conclusion page and the model hear (the banner
// model's query-complete event, and the push notice that asks for a carbon banner), then follows
// the banners as a person would. Published data must keep its shape, a followed banner may open
// at most one page, and detaching must leave no subscription behind.
#include <cstddef>
#include <cstdint>
#include <string>

#include "after_meeting/conclusion/conclusion_contract.h"
#include "after_meeting/model/model_ids.h"
#include "fuzz/fuzz_host.h"
#include "platform/base/json.h"
#include "platform/framework/view_model.h"
#include "platform/testing/recorder.h"

namespace {

namespace h = after_meeting::host;
namespace am = after_meeting;
namespace c = after_meeting::conclusion;
using base::variant::Variant;
using fuzz_support::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_support::FuzzHost& host = fuzz_support::SetUpFuzzHost(/*widgets=*/false);
  if (size == 0) return 0;
  const uint8_t flags = data[0];
  base::json::JsonValue parsed;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  if (!base::json::JsonValue::Parse(text, &parsed)) return 0;
  Variant banner = Variant::FromJson(parsed);
  testing_support::Recorder rec;

  auto vm = host.runtime->GetViewModelProvider()->BuildViewModel(
      am::kTypeAfterMeetingConclusionViewModel);
  Check(vm != nullptr);
  framework::Model* model = host.runtime->GetModelProvider()->ModelOf(am::kTypeAfterMeetingModel);
  const int subscribers = model ? model->SubscriberCount() : 0;
  const int banner_subscribers = host.Model(h::banner::kModel)->SubscriberCount();
  vm->BindProp(c::kPropConclusionContentList, [](const Variant* v) { Check(v && v->IsArray()); });
  vm->BindProp(c::kPropConclusionUiData, [](const Variant* v) { Check(v && v->IsMap()); });
  vm->OnViewAttached(nullptr);

  // The push notice first when asked, so that a carbon answer may follow it.
  if (flags & 1) host.Model(h::push::kModel)->Fire(h::push::kEventReceivePushNotifyMsg, &banner);
  host.Model(h::banner::kModel)->Fire(h::banner::kEventQueryBannerComplete, &banner);
  if (flags & 2) {
    // A second answer replaces the first; the same one twice must change nothing more.
    host.Model(h::banner::kModel)->Fire(h::banner::kEventQueryBannerComplete, &banner);
  }

  const size_t pages_before = rec.Of("web").size() + rec.Of("navigate").size();
  Variant row(1);  // the operate banner's row
  vm->Handle(c::kActionBenefitArea, &row);
  const size_t pages_after = rec.Of("web").size() + rec.Of("navigate").size();
  Check(pages_after - pages_before <= 1);
  for (const Variant& line : rec.Of("web")) Check(line.Get("url").IsString());
  for (const Variant& line : rec.Of("navigate")) Check(line.Get("uri").IsString());
  vm->Handle(c::kActionCarbonClick, nullptr);
  for (const auto& call :
       host.Model(h::banner_shown::kModel)->CallsOf(h::banner_shown::kCallBannerShown))
    Check(call.params.IsMap());

  vm->OnViewDetached();
  vm.reset();
  if (model) Check(model->SubscriberCount() == subscribers);
  Check(host.Model(h::banner::kModel)->SubscriberCount() == banner_subscribers);
  fuzz_support::Drain();
  host.clock->Advance(6000);
  host.ClearCalls();
  return 0;
}
