// velmo_common::utils::inmeeting: requests to the client's in-meeting window. Each request is
// announced on the observer seam as kind "platform" and handed to the host's handler.
//
//   velmo_common::utils::inmeeting::HandleEventBusForMeetingRequestLeaveImmersiveMode(false,
//   false);
//
// UI thread only.
#pragma once

#include <functional>

namespace velmo_common {
namespace utils {
namespace inmeeting {

// Asks the in-meeting window to leave immersive (full-screen presentation) mode.
void HandleEventBusForMeetingRequestLeaveImmersiveMode(bool first, bool second);

using LeaveImmersiveModeHandler = std::function<void(bool first, bool second)>;
void SetLeaveImmersiveModeHandler(LeaveImmersiveModeHandler handler);

}  // namespace inmeeting
}  // namespace utils
}  // namespace velmo_common
