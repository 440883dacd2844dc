#include "after_meeting/container/close_meeting_container_controller.h"

namespace after_meeting {

CloseMeetingContainerController::CloseMeetingContainerController() = default;
CloseMeetingContainerController::~CloseMeetingContainerController() = default;

void CloseMeetingContainerController::Call(const std::string& action,
                                           std::unique_ptr<base::variant::Variant> params) {}

std::unique_ptr<base::variant::Variant> CloseMeetingContainerController::CallHasResult(
    const std::string& action, std::unique_ptr<base::variant::Variant> params) {
  return nullptr;
}

}  // namespace after_meeting
