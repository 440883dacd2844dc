// Feeds arbitrary removal custom data to the after-meeting model and reads the pay information
// back as the conclusion page does. The first byte picks whether the rest is handed over as the
// Base64 text itself or encoded first (so that the JSON and the button rules see any bytes),
// which host source sends the notice, and the store-review switch.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "after_meeting/host/host_ids.h"
#include "after_meeting/model/after_meeting_model.h"
#include "after_meeting/model/model_ids.h"
#include "platform/common/meeting_facts.h"
#include "platform/testing/scriptable_host_model.h"
#include "platform/util/crypto.h"

namespace {

namespace h = after_meeting::host;
namespace pay = after_meeting::kick_out_pay_info;
using base::variant::Variant;

constexpr uint8_t kEncodeFirst = 1;
constexpr uint8_t kFromNotificationSource = 2;
constexpr uint8_t kStoreReview = 4;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto* sources = [] {
    auto* made = new std::shared_ptr<testing_support::ScriptableHostModel>[2];
    made[0] = testing_support::InstallHostModel(h::after_meeting_app::kModel);
    made[1] = testing_support::InstallHostModel(h::notification::kModel);
    return made;
  }();
  if (size == 0) return 0;
  const uint8_t flags = data[0];
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);

  velmo_common::utils::MeetingFacts facts;
  facts.under_store_review = flags & kStoreReview;
  velmo_common::utils::SetMeetingFacts(facts);

  Variant notice = Variant::MakeMap();
  notice[h::kick_out::kKeyReason] = h::kick_out::kReasonWithPayContent;
  notice[h::kick_out::kKeyCustomData] = (flags & kEncodeFirst) ? util::crypto::Encode64(rest) : rest;

  auto model = std::make_shared<after_meeting::AfterMeetingModel>();
  model->Init(nullptr);
  if (flags & kFromNotificationSource) {
    sources[1]->Fire(h::notification::kEventKickOut, &notice);
  } else {
    sources[0]->Fire(h::after_meeting_app::kEventNotifyKickOut, &notice);
  }

  Variant result;
  const bool stored = model->Call(after_meeting::kCallGetKickOutPayInfo, nullptr, &result);
  Check(result.Get(pay::kHasPayInfo).IsBool());
  if (!stored) {
    Check(result.Size() == 1 && !result.GetBool(pay::kHasPayInfo));
  } else {
    Check(result.Get(pay::kTitle).IsString() && result.Get(pay::kContent).IsString());
    const bool has_pay = result.GetBool(pay::kHasPayInfo);
    Check(!has_pay || !(flags & kStoreReview));
    Check(has_pay == result.Has(pay::kPayUrl) && has_pay == result.Has(pay::kPayText));
    Check(has_pay || !result.Has(pay::kPayButtonText));
  }
  // Clearing the data drops what was kept.
  model->Call(after_meeting::kCallResetAfterMeetingData, nullptr, nullptr);
  Variant after;
  Check(!model->Call(after_meeting::kCallGetKickOutPayInfo, nullptr, &after));
  model->UnInit();
  return 0;
}
