#include "after_meeting/feedback/after_meeting_feedback_view_model.h"

namespace after_meeting {

AfterMeetingFeedbackViewModel::AfterMeetingFeedbackViewModel() = default;
AfterMeetingFeedbackViewModel::~AfterMeetingFeedbackViewModel() = default;

}  // namespace after_meeting
