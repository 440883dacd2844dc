// CloseMeetingContainerController: the scheme controller of the close-meeting window, found by
// the host under kCloseMeetingContainerUri and driven with named actions.
#pragma once

#include <memory>
#include <string>

#include "platform/framework/controller.h"

namespace after_meeting {

class CloseMeetingContainerController : public framework::Controller {
 public:
  CloseMeetingContainerController();
  ~CloseMeetingContainerController() override;
  void Call(const std::string& action, std::unique_ptr<base::variant::Variant> params) override;
  std::unique_ptr<base::variant::Variant> CallHasResult(
      const std::string& action, std::unique_ptr<base::variant::Variant> params) override;
};

}  // namespace after_meeting
