#include "after_meeting/module/after_meeting_view_model_provider.h"

#include "after_meeting/module/after_meeting_view_model_builder.h"

namespace after_meeting {

std::shared_ptr<framework::StatefulViewModel> AfterMeetingViewModelProviderImpl::CreateViewModel(
    int type) {
  return Build(type);
}

}  // namespace after_meeting
