#include <memory>
#include <regex>
#include <string>

#include <QFile>

#include <gtest/gtest.h>

#include "after_meeting/host/ioc_container.h"
#include "after_meeting/model/after_meeting_model.h"
#include "after_meeting/module/after_meeting_module.h"
#include "after_meeting/module/after_meeting_module_runtime.h"
#include "after_meeting/module/after_meeting_view_model_builder.h"
#include "after_meeting/module/module_constants.h"
#include "platform/framework/extension.h"
#include "platform/framework/module_service.h"
#include "platform/framework/navigation.h"
#include "platform/testing/recorder.h"

namespace after_meeting {
namespace {

class ModuleShell : public ::testing::Test {
 protected:
  void SetUp() override {
    velmo::ClearModuleConfigDirectories();
    velmo::AddModuleConfigDirectory(VELMO_OUTPUT_DIR);
  }
  void TearDown() override { ModuleDeactivate(); }

  framework::module::ModuleService* service() { return framework::module::GetModuleService(); }
  std::vector<std::string> ModuleLogs() const {
    std::vector<std::string> out;
    for (const auto& f : rec_.Of("log"))
      if (f.GetString("file").rfind("after_meeting/", 0) == 0) out.push_back(f.GetString("text"));
    return out;
  }
  testing_support::Recorder rec_;
};

TEST_F(ModuleShell, ActivationRegistersOnlyTheFactoryUntilTheRuntimeIsAskedFor) {
  ModuleActivate();
  EXPECT_TRUE(service()->HasModuleRuntimeCreator(kModuleName));
  EXPECT_TRUE(UiModuleLoaderRegister::GetInstance()->IsRegistered(kModuleName));
  EXPECT_TRUE(QFile::exists(":/after_meeting/strings/en.json"));
  EXPECT_TRUE(std::regex_match(std::string(kBuildIdentifier), std::regex("[0-9a-f]{32}")));
  EXPECT_EQ(GetModuleRuntime(), nullptr);
  EXPECT_FALSE(ControllerManager::Instance()->HasUri(kCloseMeetingContainerUri));
  rec_.Clear();
  ModuleDeactivate();
  EXPECT_FALSE(service()->HasModuleRuntimeCreator(kModuleName));
  EXPECT_TRUE(UiModuleLoaderRegister::GetInstance()->IsRegistered(kModuleName));
  EXPECT_TRUE(ModuleLogs().empty());  // no unload routine ran
}

TEST_F(ModuleShell, RuntimeIsMadeOnceWithItsModelAndDeactivateReleasesEverything) {
  ModuleActivate();
  auto& nav = framework::NavigationHost::Instance();
  auto* runtime = service()->GetModuleRuntime(kModuleName);
  ASSERT_NE(runtime, nullptr);
  EXPECT_EQ(runtime, GetModuleRuntime());
  EXPECT_EQ(service()->GetModuleRuntime(kModuleName), runtime);
  EXPECT_EQ(nav.RoutedUris().count(kCloseMeetingContainerUri), 1u);
  // The loader may run the routine again: nothing is made twice.
  auto factories = ControllerManager::Instance()->container().factory_func_map_.size();
  EXPECT_TRUE(UiModuleLoaderRegister::GetInstance()->Load(kModuleName, runtime));
  EXPECT_EQ(nav.router_manager_count(), 1);
  EXPECT_EQ(nav.navigator_manager_count(), 1);
  EXPECT_EQ(ControllerManager::Instance()->container().factory_func_map_.size(), factories);

  ASSERT_TRUE(runtime->Activate());
  framework::Model* model = runtime->GetModelProvider()->ModelOf(kTypeAfterMeetingModel);
  ASSERT_TRUE(dynamic_cast<AfterMeetingModel*>(model));
  EXPECT_TRUE(model->IsInitialized());
  EXPECT_EQ(runtime->GetModelProvider()->ModelOf(kTypeAfterMeetingModel), model);
  EXPECT_EQ(runtime->GetModelProvider()->ModelOf(kTypeAfterMeetingConclusionViewModel), nullptr);

  std::weak_ptr<framework::Controller> controller =
      ControllerManager::Instance()->IocGet(kCloseMeetingContainerUri);
  ASSERT_FALSE(controller.expired());
  ModuleDeactivate();
  EXPECT_EQ(GetModuleRuntime(), nullptr);
  EXPECT_TRUE(controller.expired());
  EXPECT_FALSE(ControllerManager::Instance()->HasUri(kCloseMeetingContainerUri));
  EXPECT_EQ(nav.router_manager_count(), 0);
  EXPECT_EQ(nav.navigator_manager_count(), 0);
  EXPECT_TRUE(nav.RoutedUris().empty());
}

TEST_F(ModuleShell, BuildMakesEachViewModelTypeAndRefusesOthers) {
  for (int type : {kTypeCloseMeetingContainerViewModel, kTypeAfterMeetingFeedbackViewModel,
                   kTypeAfterMeetingConclusionViewModel}) {
    auto vm = Build(type);
    ASSERT_TRUE(vm) << type;
    EXPECT_EQ(vm->type(), type);
    EXPECT_NE(Build(type), vm);  // a new one per request
  }
  EXPECT_EQ(rec_.CountLog("vm can not be null!"), 0);  // view models log their own life
  EXPECT_FALSE(Build(0));
  EXPECT_FALSE(Build(kTypeAfterMeetingModel));
  EXPECT_EQ(rec_.CountLog("vm can not be null!"), 2);
  EXPECT_EQ(rec_.LogLevelOf("vm can not be null!"), 1);

  ModuleActivate();
  auto* runtime = service()->GetModuleRuntime(kModuleName);
  auto vm = runtime->GetViewModelProvider()->BuildViewModel(kTypeAfterMeetingFeedbackViewModel);
  ASSERT_TRUE(vm);
  EXPECT_EQ(vm->type(), kTypeAfterMeetingFeedbackViewModel);
}

TEST_F(ModuleShell, ExtensionRequestsAreLoggedAndRefused) {
  ModuleActivate();
  auto* runtime = service()->GetModuleRuntime(kModuleName);
  auto built = runtime->GetExtensionProvider()->BuildExtension(
      framework::ExtensionBuilderParam{"extension:after_meeting.record", {}});
  EXPECT_EQ(built, nullptr);
  EXPECT_EQ(rec_.LogLevelOf("extension_id: extension:after_meeting.record"), 1);
}

}  // namespace
}  // namespace after_meeting
