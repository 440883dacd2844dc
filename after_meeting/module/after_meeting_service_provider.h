// The module offers no services of its own; the provider hands out the host's.
#pragma once

#include "platform/framework/providers.h"

namespace after_meeting {

class AfterMeetingServiceProvider : public framework::ServiceProviderBaseImpl {
 protected:
  framework::Service* CreateService(int type) override { return nullptr; }
};

}  // namespace after_meeting
