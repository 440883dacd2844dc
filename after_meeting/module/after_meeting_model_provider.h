// Makes the module's one model; it exists from the moment the provider starts.
#pragma once

#include "platform/framework/providers.h"

namespace after_meeting {

class AfterMeetingModelProvider : public framework::ModelProviderBaseImpl {
 public:
  explicit AfterMeetingModelProvider(framework::module::IModuleRuntime* runtime);
  ~AfterMeetingModelProvider() override;
  bool Init() override;
  void UnInit() override;

 protected:
  framework::Model* CreateModel(int type) override;
};

}  // namespace after_meeting
