#include "platform/common/inmeeting.h"

#include "platform/base/observer.h"
#include "platform/base/variant.h"

namespace velmo_common {
namespace utils {
namespace inmeeting {

namespace {
LeaveImmersiveModeHandler& Handler() {
  static auto* handler = new LeaveImmersiveModeHandler();
  return *handler;
}
}  // namespace

void HandleEventBusForMeetingRequestLeaveImmersiveMode(bool first, bool second) {
  base::observer::Notify("platform", [&] {
    base::variant::Variant::Map m;
    m["name"] = "HandleEventBusForMeetingRequestLeaveImmersiveMode";
    base::variant::Variant args = base::variant::Variant::MakeArray();
    args.Add(first);
    args.Add(second);
    m["args"] = std::move(args);
    return base::variant::Variant(std::move(m));
  });
  LeaveImmersiveModeHandler handler = Handler();
  if (handler) handler(first, second);
}

void SetLeaveImmersiveModeHandler(LeaveImmersiveModeHandler handler) {
  Handler() = std::move(handler);
}

}  // namespace inmeeting
}  // namespace utils
}  // namespace velmo_common
