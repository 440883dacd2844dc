#include "after_meeting/conclusion/after_meeting_conclusion_view_model.h"

namespace after_meeting {

AfterMeetingConclusionViewModel::AfterMeetingConclusionViewModel() = default;
AfterMeetingConclusionViewModel::~AfterMeetingConclusionViewModel() = default;

}  // namespace after_meeting
