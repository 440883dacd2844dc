// The module runtime: how the host and the module's own code reach the module's providers.
#pragma once

#include <memory>
#include <string>

#include "platform/framework/module_runtime.h"

namespace after_meeting {

class AfterMeetingModuleRuntime : public framework::module::ModuleRuntimeBaseImpl {
 public:
  AfterMeetingModuleRuntime(std::shared_ptr<framework::module::ModuleManifest> manifest,
                            framework::IResourceProvider* resources);
  ~AfterMeetingModuleRuntime() override;

  std::string GetModuleName() const override;
  bool Activate() override;
  framework::IResourceProvider* GetResourceProvider() override;
  void OnModuleNotify(const base::variant::Variant* params) override;

 protected:
  framework::ModelProvider* CreateModelProvider() override;
  framework::ServiceProvider* CreateServiceProvider() override;
  framework::ViewModelProvider* CreateViewModelProvider() override;
  framework::extension::ExtensionProviderBase* CreateExtensionProvider() override;
};

}  // namespace after_meeting
