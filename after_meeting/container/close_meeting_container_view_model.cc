#include "after_meeting/container/close_meeting_container_view_model.h"

namespace after_meeting {

CloseMeetingContainerViewModel::CloseMeetingContainerViewModel() = default;
CloseMeetingContainerViewModel::~CloseMeetingContainerViewModel() = default;

}  // namespace after_meeting
