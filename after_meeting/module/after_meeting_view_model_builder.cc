#include "after_meeting/module/after_meeting_view_model_builder.h"

#include "after_meeting/conclusion/after_meeting_conclusion_view_model.h"
#include "after_meeting/container/close_meeting_container_view_model.h"
#include "after_meeting/feedback/after_meeting_feedback_view_model.h"
#include "after_meeting/host/log.h"
#include "after_meeting/module/module_constants.h"

namespace after_meeting {

std::shared_ptr<framework::StatefulViewModel> Build(int type) {
  std::shared_ptr<framework::StatefulViewModel> vm;
  switch (type) {
    case kTypeCloseMeetingContainerViewModel:
      vm = std::make_shared<CloseMeetingContainerViewModel>();
      break;
    case kTypeAfterMeetingFeedbackViewModel:
      vm = std::make_shared<AfterMeetingFeedbackViewModel>();
      break;
    case kTypeAfterMeetingConclusionViewModel:
      vm = std::make_shared<AfterMeetingConclusionViewModel>();
      break;
    default:
      break;
  }
  if (vm) {
    vm->SetType(type);
    return vm;
  }
  AM_LOG(1) << "vm can not be null!";
  return nullptr;
}

}  // namespace after_meeting
