// CloseMeetingContainerViewModel: which page the close-meeting container shows.
#pragma once

#include "platform/framework/view_model.h"

namespace after_meeting {

class CloseMeetingContainerViewModel : public framework::StatefulViewModel {
 public:
  CloseMeetingContainerViewModel();
  ~CloseMeetingContainerViewModel() override;
};

}  // namespace after_meeting
