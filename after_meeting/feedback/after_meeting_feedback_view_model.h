// AfterMeetingFeedbackViewModel: the feedback page's logic.
#pragma once

#include "platform/framework/view_model.h"

namespace after_meeting {

class AfterMeetingFeedbackViewModel : public framework::StatefulViewModel {
 public:
  AfterMeetingFeedbackViewModel();
  ~AfterMeetingFeedbackViewModel() override;
};

}  // namespace after_meeting
