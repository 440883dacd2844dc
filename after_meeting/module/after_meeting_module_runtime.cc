#include "after_meeting/module/after_meeting_module_runtime.h"

#include "after_meeting/module/after_meeting_extension_provider.h"
#include "after_meeting/module/after_meeting_model_provider.h"
#include "after_meeting/module/after_meeting_service_provider.h"
#include "after_meeting/module/after_meeting_view_model_provider.h"
#include "after_meeting/module/module_constants.h"

namespace after_meeting {

AfterMeetingModuleRuntime::AfterMeetingModuleRuntime(
    std::shared_ptr<framework::module::ModuleManifest> manifest,
    framework::IResourceProvider* resources)
    : ModuleRuntimeBaseImpl(std::move(manifest), resources) {}

AfterMeetingModuleRuntime::~AfterMeetingModuleRuntime() {
  // Stop the providers while this runtime's overrides still exist.
  Unactivate();
}

std::string AfterMeetingModuleRuntime::GetModuleName() const { return kModuleName; }

bool AfterMeetingModuleRuntime::Activate() { return ModuleRuntimeBaseImpl::Activate(); }

framework::IResourceProvider* AfterMeetingModuleRuntime::GetResourceProvider() {
  return framework::Resource::GetInstance();
}

void AfterMeetingModuleRuntime::OnModuleNotify(const base::variant::Variant*) {}

framework::ModelProvider* AfterMeetingModuleRuntime::CreateModelProvider() {
  return new AfterMeetingModelProvider(this);
}

framework::ServiceProvider* AfterMeetingModuleRuntime::CreateServiceProvider() {
  return new AfterMeetingServiceProvider();
}

framework::ViewModelProvider* AfterMeetingModuleRuntime::CreateViewModelProvider() {
  return new AfterMeetingViewModelProviderImpl(this);
}

framework::extension::ExtensionProviderBase* AfterMeetingModuleRuntime::CreateExtensionProvider() {
  return new AfterMeetingExtensionProvider();
}

}  // namespace after_meeting
