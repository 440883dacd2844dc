// The close-meeting container's contract with its view: the page it shows, held as the container
// view model's state.
#pragma once

#include "after_meeting/model/model_ids.h"

namespace after_meeting {

enum CloseMeetingContainerPage : int {
  kPageConclusion = kContainerPageConclusion,
  kPageFeedback = kContainerPageFeedback,
};

}  // namespace after_meeting
