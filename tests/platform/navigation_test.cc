#include "platform/framework/navigation.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/framework/controller_manager.h"
#include "platform/testing/recorder.h"

using base::variant::Variant;

namespace {

class RecordingController : public framework::Controller {
 public:
  void Call(const std::string& action, std::unique_ptr<Variant> params) override {
    calls.push_back(action + (params ? ":" + params->ToString() : ""));
  }
  std::vector<std::string> calls;
};

class Navigation : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& c = ControllerManager::Instance()->container();
    c.factory_func_map_[kUri] = [this] {
      made_ = std::make_shared<RecordingController>();
      return made_;
    };
  }
  void TearDown() override {
    auto& c = ControllerManager::Instance()->container();
    c.factory_func_map_.erase(kUri);
    c.object_map_.erase(kUri);
  }
  static constexpr char kUri[] = "velmo://page/test/nav";
  std::shared_ptr<RecordingController> made_;
};

}  // namespace

TEST_F(Navigation, PushShowsThroughTheControllerAndFinishClosesIt) {
  testing_support::Recorder rec;
  auto& host = framework::NavigationHost::Instance();
  EXPECT_FALSE(ControllerManager::Instance()->FindForHost(kUri));  // made on first use
  framework::module::Navigator::Of(nullptr, true).Push(kUri, Variant(7));
  ASSERT_TRUE(made_);
  EXPECT_EQ(made_->calls, (std::vector<std::string>{"show:7"}));
  EXPECT_EQ(host.page_stack().back(), kUri);
  framework::module::Navigator::Of(nullptr, true).PopOther(kUri);
  EXPECT_TRUE(host.page_stack().empty());
  framework::module::Dispatcher::GetInstance()->Finish(kUri);
  EXPECT_EQ(made_->calls, (std::vector<std::string>{"show:7", "close"}));

  auto nav = rec.Of("navigate");
  ASSERT_EQ(nav.size(), 2u);
  EXPECT_EQ(nav[0].GetString("op"), "push");
  EXPECT_EQ(nav[1].GetString("op"), "pop_other");
  auto ctl = rec.Of("controller");
  ASSERT_EQ(ctl.size(), 1u);
  EXPECT_EQ(ctl[0].GetString("action"), "finish");
}

TEST_F(Navigation, UnservedUrisGoToTheFallbackAndClosedRegistryServesNothing) {
  auto& host = framework::NavigationHost::Instance();
  std::vector<std::string> opened;
  host.SetFallbackHandler([&](const std::string& uri, const Variant*) { opened.push_back(uri); });
  EXPECT_TRUE(host.Open("velmo://page/other/native", nullptr));
  host.SetFallbackHandler(nullptr);
  EXPECT_FALSE(host.Open("velmo://page/other/native", nullptr));
  EXPECT_EQ(opened, (std::vector<std::string>{"velmo://page/other/native"}));
  // Finishing a page whose controller was never made makes none.
  EXPECT_FALSE(host.Close(kUri));
  EXPECT_FALSE(made_);
}

TEST(NavigateProxy, UrisLiveWhileTheNavigatorManagerIsInitialised) {
  auto& host = framework::NavigationHost::Instance();
  framework::Service* proxy = CreateNavigateProxyService(host.navigate_service());
  Variant uri("velmo://page/test/proxy");
  EXPECT_TRUE(proxy->Call(0, &uri, nullptr));
  Variant not_a_string(5);
  EXPECT_FALSE(proxy->Call(0, &not_a_string, nullptr));
  {
    NavigatorManager manager(proxy);
    EXPECT_EQ(host.RoutedUris().count("velmo://page/test/proxy"), 0u);
    manager.InitNavigatorManager();
    manager.InitNavigatorManager();  // once only
    EXPECT_EQ(host.navigator_manager_count(), 1);
    EXPECT_EQ(host.RoutedUris().count("velmo://page/test/proxy"), 1u);
  }
  EXPECT_EQ(host.navigator_manager_count(), 0);
  DeleteNavigateProxyService(proxy);
  EXPECT_TRUE(host.RoutedUris().empty());
}
