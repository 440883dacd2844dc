// Builds the module's view models by type id (a new one per request).
#pragma once

#include "platform/framework/providers.h"

namespace after_meeting {

class AfterMeetingViewModelProviderImpl : public framework::ViewModelProviderBaseImpl {
 public:
  explicit AfterMeetingViewModelProviderImpl(framework::module::IModuleRuntime* runtime)
      : ViewModelProviderBaseImpl(runtime) {}

 protected:
  std::shared_ptr<framework::StatefulViewModel> CreateViewModel(int type) override;
};

}  // namespace after_meeting
