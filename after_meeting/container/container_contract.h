// The close-meeting container's contract with its view: the page it shows, held as the container
// view model's state.
#pragma once

#include <cstdint>

#include "after_meeting/model/model_ids.h"

namespace after_meeting {

enum CloseMeetingContainerPage : int {
  kPageConclusion = kContainerPageConclusion,
  kPageFeedback = kContainerPageFeedback,
};

// Texts of the module's own string table that name the window for assistive tools.
namespace container_a11y {
inline constexpr uint32_t kWindowName = 0x2C19D6F0u;
inline constexpr uint32_t kWindowDescription = 0x2C19D6F1u;
}  // namespace container_a11y

}  // namespace after_meeting
