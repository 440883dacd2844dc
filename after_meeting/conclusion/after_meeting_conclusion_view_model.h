// AfterMeetingConclusionViewModel: the meeting conclusion page's logic.
#pragma once

#include "platform/framework/view_model.h"

namespace after_meeting {

class AfterMeetingConclusionViewModel : public framework::StatefulViewModel {
 public:
  AfterMeetingConclusionViewModel();
  ~AfterMeetingConclusionViewModel() override;
};

}  // namespace after_meeting
