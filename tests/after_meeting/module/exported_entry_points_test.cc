// Drives the real library through its two exported symbols, as the client's loader does.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include "platform/framework/controller_manager.h"
#include "platform/framework/module_runtime.h"
#include "platform/framework/module_service.h"

namespace {

constexpr char kUri[] = "velmo://page/after_meeting/close_meeting_conclusion";

TEST(ExportedEntryPoints, OnlyActivateAndDeactivateAreReachableAndTheyRunTheShell) {
  velmo::AddModuleConfigDirectory(VELMO_OUTPUT_DIR);
  void* lib = dlopen(VELMO_OUTPUT_DIR "/libafter_meeting.so", RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(lib, nullptr) << dlerror();
  using Entry = void (*)();
  auto activate = reinterpret_cast<Entry>(dlsym(lib, "Activate"));
  auto deactivate = reinterpret_cast<Entry>(dlsym(lib, "Deactivate"));
  ASSERT_NE(activate, nullptr);
  ASSERT_NE(deactivate, nullptr);
  EXPECT_EQ(dlsym(lib, "_ZN13after_meeting14ModuleActivateEv"), nullptr);
  EXPECT_EQ(dlsym(lib, "_ZN13after_meeting16GetModuleRuntimeEv"), nullptr);

  auto* service = framework::module::GetModuleService();
  deactivate();  // before Activate: harmless
  activate();
  auto* runtime = service->GetModuleRuntime("after_meeting");
  ASSERT_NE(runtime, nullptr);
  EXPECT_TRUE(runtime->Activate());
  EXPECT_TRUE(ControllerManager::Instance()->IsRegisteredForHost(kUri));
  deactivate();
  EXPECT_FALSE(service->HasModuleRuntimeCreator("after_meeting"));
  EXPECT_FALSE(ControllerManager::Instance()->IsRegisteredForHost(kUri));
  // The client keeps module libraries loaded until exit; so do we.
}

}  // namespace
