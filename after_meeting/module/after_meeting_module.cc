#include "after_meeting/module/after_meeting_module.h"

#include <memory>

#include "after_meeting/container/close_meeting_container_controller.h"
#include "after_meeting/host/ioc_container.h"
#include "after_meeting/module/after_meeting_module_runtime.h"
#include "after_meeting/module/module_constants.h"
#include "platform/framework/module_service.h"
#include "platform/framework/navigation.h"
#include "platform/framework/service.h"
#include "platform/widgets/vl_qt_ui_util.h"

namespace after_meeting {

namespace {

// Module-wide state; touched only on the host's UI thread.
std::shared_ptr<framework::module::ModuleManifest> g_manifest;
std::unique_ptr<AfterMeetingModuleRuntime> g_runtime;
std::shared_ptr<DesktopSchemeRouterManager> g_router_manager;
std::shared_ptr<NavigatorManager> g_navigator_manager;
framework::Service* g_navigate_proxy = nullptr;

// Command of the navigate proxy service that hands it a URI this module serves.
constexpr int kNavigateProxyAddUri = 0;

}  // namespace

void ModuleActivate() {
  g_manifest = velmo::GetModuleConfigByName(kModuleName);
  g_manifest->identifier = kBuildIdentifier;
  VLQtUiUtil::LoadQtModuleResource(g_manifest->resource_file, g_manifest->resource_root);
  UiModuleLoaderRegister::GetInstance()->Register(kModuleName, &OnUiModuleLoad, &OnUiModuleUnload);
  framework::module::GetModuleService()->RegisterModuleRuntimeCreator(kModuleName,
                                                                      &CreateModuleRuntime);
}

void ModuleDeactivate() {
  framework::module::GetModuleService()->UnregisterModuleRuntimeCreator(kModuleName);
  if (!g_runtime) return;
  OnUiModuleUnload();
  g_runtime.reset();
}

AfterMeetingModuleRuntime* GetModuleRuntime() { return g_runtime.get(); }

framework::module::IModuleRuntime* CreateModuleRuntime() {
  if (!g_runtime) {
    g_runtime = std::make_unique<AfterMeetingModuleRuntime>(g_manifest,
                                                            framework::Resource::GetInstance());
    OnUiModuleLoad(g_runtime.get());
  }
  return g_runtime.get();
}

void OnUiModuleLoad(framework::module::IModuleRuntime* runtime) {
  if (!runtime) return;
  if (!g_router_manager) {
    g_router_manager = std::make_shared<DesktopSchemeRouterManager>(
        runtime->GetServiceProvider()->GetRouterService());
    g_router_manager->InitRouterManager();
  }
  if (!g_navigator_manager) {
    g_navigate_proxy =
        CreateNavigateProxyService(runtime->GetServiceProvider()->GetNavigateService());
    g_navigator_manager = std::make_shared<NavigatorManager>(g_navigate_proxy);
    g_navigator_manager->InitNavigatorManager();
  }
  if (g_navigate_proxy) {
    base::variant::Variant uri(kCloseMeetingContainerUri);
    g_navigate_proxy->Call(kNavigateProxyAddUri, &uri, nullptr);
  }
  ControllerManager::Instance()->Register<CloseMeetingContainerController>(
      runtime, kCloseMeetingContainerUri);
}

void OnUiModuleUnload() {
  if (g_router_manager) {
    g_router_manager->UninitRouterManager();
    g_router_manager.reset();
  }
  if (g_navigator_manager) {
    g_navigator_manager->UninitNavigatorManager();
    g_navigator_manager.reset();
  }
  if (g_navigate_proxy) {
    DeleteNavigateProxyService(g_navigate_proxy);
    g_navigate_proxy = nullptr;
  }
  ControllerManager::Instance()->IocUnregister(kCloseMeetingContainerUri);
}

}  // namespace after_meeting
