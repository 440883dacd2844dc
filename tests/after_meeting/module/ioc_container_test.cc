#include "after_meeting/host/ioc_container.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/testing/recorder.h"

namespace {

constexpr char kUri[] = "velmo://page/test/ioc";

class CountingController : public framework::Controller {
 public:
  CountingController() { ++made; }
  static int made;
};
int CountingController::made = 0;

class OtherController : public framework::Controller {};

class IocContainerRules : public ::testing::Test {
 protected:
  void SetUp() override {
    CountingController::made = 0;
    registry_ = ControllerManager::Instance();
  }
  void TearDown() override {
    auto& c = registry_->container();
    c.factory_func_map_.erase(kUri);
    c.object_map_.erase(kUri);
    c.closed_ = false;
  }
  ControllerManager* registry_ = nullptr;
  testing_support::Recorder rec_;
};

}  // namespace

TEST_F(IocContainerRules, FirstRegistrationWinsAndNothingIsMadeUntilLookup) {
  auto* runtime = reinterpret_cast<framework::module::IModuleRuntime*>(0x1234);
  EXPECT_TRUE(registry_->Register<CountingController>(runtime, kUri));
  EXPECT_FALSE(registry_->Register<OtherController>(nullptr, kUri));
  EXPECT_TRUE(registry_->HasUri(kUri));
  EXPECT_EQ(CountingController::made, 0);

  auto found = registry_->IocFind(kUri);
  ASSERT_TRUE(found);  // the null controller, never a null pointer
  EXPECT_EQ(CountingController::made, 0);

  auto made = registry_->IocGet(kUri);
  EXPECT_EQ(CountingController::made, 1);
  ASSERT_TRUE(dynamic_cast<CountingController*>(made.get()));
  EXPECT_EQ(made->module_runtime(), runtime);
  EXPECT_EQ(registry_->IocGet(kUri), made);
  EXPECT_EQ(registry_->IocFind(kUri), made);
  EXPECT_NE(found, made);
  EXPECT_EQ(CountingController::made, 1);
  EXPECT_TRUE(rec_.Of("log").empty());
}

TEST_F(IocContainerRules, UnknownAndUnregisteredUrisLogAndYieldTheNullController) {
  auto null_controller = registry_->IocGet(kUri);
  ASSERT_TRUE(null_controller);
  EXPECT_EQ(rec_.LogLevelOf(std::string("Unkonwn uri[") + kUri + "], Please check!"), 3);
  EXPECT_EQ(null_controller->CallHasResult("anything", nullptr), nullptr);

  registry_->Register<CountingController>(nullptr, kUri);
  rec_.Clear();
  registry_->IocUnregister(kUri);  // never made: only the object map misses
  EXPECT_EQ(rec_.LogLevelOf(std::string("object_map_ not found") + kUri), 6);
  EXPECT_EQ(rec_.LogLevelOf(std::string("factory_func_map_ not found") + kUri), -1);
  EXPECT_FALSE(registry_->HasUri(kUri));

  rec_.Clear();
  registry_->IocUnregister(kUri);  // nothing left at all
  EXPECT_EQ(rec_.LogLevelOf(std::string("object_map_ not found") + kUri), 6);
  EXPECT_EQ(rec_.LogLevelOf(std::string("factory_func_map_ not found") + kUri), 1);
}

TEST_F(IocContainerRules, UnregisterDropsTheRegistrysReferenceAndClosedRegistryServesNothing) {
  registry_->Register<CountingController>(nullptr, kUri);
  std::weak_ptr<framework::Controller> weak = registry_->IocGet(kUri);
  registry_->IocUnregister(kUri);
  EXPECT_TRUE(weak.expired());

  registry_->Register<CountingController>(nullptr, kUri);
  registry_->container().Close();
  auto got = registry_->IocGet(kUri);
  EXPECT_EQ(CountingController::made, 1);  // nothing new made while closed
  EXPECT_FALSE(dynamic_cast<CountingController*>(got.get()));
  EXPECT_FALSE(registry_->ResolveForHost(kUri));
}

namespace {

// Closing its window on the way out finishes the controller's own URI, which looks it up again.
class LookingUpOnDestruction : public framework::Controller {
 public:
  ~LookingUpOnDestruction() override {
    ++destroyed;
    seen_by_get = ControllerManager::Instance()->IocGet(kUri).get();
    seen_by_find = ControllerManager::Instance()->IocFind(kUri).get();
  }
  static int destroyed;
  static framework::Controller* seen_by_get;
  static framework::Controller* seen_by_find;
};
int LookingUpOnDestruction::destroyed = 0;
framework::Controller* LookingUpOnDestruction::seen_by_get = nullptr;
framework::Controller* LookingUpOnDestruction::seen_by_find = nullptr;

}  // namespace

TEST_F(IocContainerRules, ControllerLookingItselfUpWhileUnregisteredDiesOnceAndFindsNothing) {
  LookingUpOnDestruction::destroyed = 0;
  registry_->Register<LookingUpOnDestruction>(nullptr, kUri);
  framework::Controller* made = registry_->IocGet(kUri).get();
  ASSERT_TRUE(dynamic_cast<LookingUpOnDestruction*>(made));
  registry_->IocUnregister(kUri);
  EXPECT_EQ(LookingUpOnDestruction::destroyed, 1);
  EXPECT_NE(LookingUpOnDestruction::seen_by_get, made);
  EXPECT_NE(LookingUpOnDestruction::seen_by_find, made);
  EXPECT_FALSE(dynamic_cast<LookingUpOnDestruction*>(LookingUpOnDestruction::seen_by_get));
  EXPECT_FALSE(registry_->HasUri(kUri));
  EXPECT_FALSE(dynamic_cast<LookingUpOnDestruction*>(registry_->IocFind(kUri).get()));
}
