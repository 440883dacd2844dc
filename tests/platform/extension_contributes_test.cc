#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/looper_thread.h"
#include "platform/framework/authorize.h"
#include "platform/framework/authorize_view_model.h"
#include "platform/framework/contributes_view_model.h"
#include "platform/framework/extension_contributes.h"
#include "platform/testing/recorder.h"
#include "platform/testing/run_loop.h"

namespace {

using base::variant::Variant;
using framework::extension::ExtensionRegistry;

class PageViewModel
    : public velmo::AuthorizeViewModelT<velmo::ContributesViewModelT<framework::StatefulViewModel>> {
 public:
  PageViewModel() : AuthorizeViewModelT(7) { SetContributesId("contributes:page"); }
  void SortContributedExtensions() override { SortByExtensionsId({"ext:b"}); }
  void OnAuthorizeStateUpdate(const Variant* params) override { auth.push_back(*params); }
  std::vector<Variant> auth;
};

// A view stands in through the aliasing constructor: the address is what the contract carries.
std::shared_ptr<AppBaseQTView> FakeView(const std::shared_ptr<int>& owner) {
  return std::shared_ptr<AppBaseQTView>(owner, reinterpret_cast<AppBaseQTView*>(owner.get()));
}

class Contributes : public ::testing::Test {
 protected:
  void SetUp() override {
    vm_ = std::make_shared<PageViewModel>();
    for (int prop : {velmo::kPropContributesDataSource, velmo::kPropContributesUpdateItem,
                     velmo::kPropContributesRemoveItem})
      vm_->BindProp(prop, [this, prop](const Variant* v) { published_.push_back({prop, *v}); });
  }
  void TearDown() override { ExtensionRegistry::Instance().Clear(); }
  std::vector<Variant> Ops() const { return rec_.Of("extension"); }

  testing_support::Recorder rec_;
  std::shared_ptr<PageViewModel> vm_;
  std::vector<std::pair<int, Variant>> published_;
};

TEST_F(Contributes, ActivatesSortsAndPublishesOnTheMainLoop) {
  auto view = std::make_shared<int>(1);
  auto& registry = ExtensionRegistry::Instance();
  registry.Register({"ext:a", "", nullptr, nullptr});
  registry.Register({"ext:elsewhere", "contributes:other", nullptr, nullptr});
  registry.Register({"ext:b", "contributes:page",
                     [&](void*, const Variant*) { return FakeView(view); }, nullptr});

  EXPECT_EQ(vm_->ActivateExtensions(nullptr), 2);
  EXPECT_EQ(vm_->ActivateExtensions(nullptr), 2);  // nothing is made twice
  vm_->UpdateContributesDataSource();
  EXPECT_TRUE(published_.empty());  // posted, not yet run
  ASSERT_TRUE(testing_support::RunLoopUntil([&] { return !published_.empty(); }));

  const Variant& items = published_[0].second;
  ASSERT_EQ(items.Size(), 2u);
  EXPECT_EQ(items.At(0).GetString("extension_id"), "ext:b");
  EXPECT_EQ(items.At(1).GetString("extension_id"), "ext:a");
  EXPECT_EQ(items.At(1).GetUInt64("view"), 0u);
  EXPECT_FALSE(items.At(0).GetBool("visible", true));
  auto* held = reinterpret_cast<std::shared_ptr<AppBaseQTView>*>(items.At(0).GetUInt64("view"));
  EXPECT_EQ(static_cast<void*>(held->get()), static_cast<void*>(view.get()));

  auto ops = Ops();
  ASSERT_EQ(ops.size(), 4u);
  EXPECT_EQ(ops[0].GetString("op"), "activate");
  EXPECT_EQ(ops[0].Get("ids").Size(), 2u);
  EXPECT_EQ(ops[1].Get("ids").Size(), 0u);
  EXPECT_EQ(ops[2].GetString("op"), "sort");
  EXPECT_EQ(ops[3].GetString("op"), "update_data_source");
  EXPECT_EQ(ops[3].Get("ids").At(0).AsStr(), "ext:b");

  EXPECT_EQ(view.use_count(), 2);
  vm_.reset();
  EXPECT_EQ(view.use_count(), 1);  // the page's copy went with it
}

TEST_F(Contributes, ItemUpdatesAndEventsReachOnlyActivePages) {
  std::vector<std::string> events;
  ExtensionRegistry::Instance().Register(
      {"ext:a", "", nullptr,
       [&](const std::string& name, const Variant* p) { events.push_back(name + p->ToString()); }});
  Variant item = Variant::MakeMap();
  item["visible"] = true;
  item["view"] = uint64_t{1234};
  EXPECT_EQ(ExtensionRegistry::Instance().SendItemUpdate("ext:a", item), 0);

  vm_->ActivateExtensions(nullptr);
  EXPECT_EQ(ExtensionRegistry::Instance().SendItemUpdate("ext:a", Variant("not a map")), 0);
  EXPECT_EQ(ExtensionRegistry::Instance().SendItemUpdate("ext:a", item), 1);
  ASSERT_EQ(published_.size(), 1u);
  EXPECT_EQ(published_[0].first, velmo::kPropContributesUpdateItem);
  EXPECT_EQ(published_[0].second.GetUInt64("view"), 0u);  // the page's own, not the sender's
  EXPECT_TRUE(published_[0].second.GetBool("visible"));
  EXPECT_TRUE(vm_->data_source().At(0).GetBool("visible"));

  const Variant params("p");
  vm_->FireExtensionEvent("Init", &params);
  EXPECT_EQ(events, std::vector<std::string>{"Init\"p\""});
  EXPECT_EQ(Ops().back().GetString("name"), "Init");
  EXPECT_EQ(Ops().back().Get("params"), params);

  vm_->OnRemoveItem(&params);  // no "view": nothing to remove
  EXPECT_EQ(published_.size(), 1u);

  vm_->UpdateContributesDataSource();
  vm_.reset();  // the posted publication finds the page gone
  testing_support::RunLoopUntil([] { return base::threading::PendingTasks() == 0; });
  EXPECT_EQ(published_.size(), 1u);
  EXPECT_EQ(ExtensionRegistry::Instance().SendItemUpdate("ext:a", item), 0);
}

TEST_F(Contributes, AuthorizeStateReachesTheViewModelOnlyWhileAttached) {
  auto& hub = framework::AuthorizeStateHub::Instance();
  const int listeners = hub.listener_count();
  EXPECT_EQ(vm_->GetCurrentState(), 7);
  hub.Notify(3);
  vm_->OnViewAttached(nullptr);
  vm_->OnViewAttached(nullptr);  // attaching again does not listen twice
  hub.Notify(8);
  vm_->OnViewDetached();
  hub.Notify(1);
  ASSERT_EQ(vm_->auth.size(), 1u);
  EXPECT_EQ(vm_->auth[0].GetInt32("auth_state"), 8);
  vm_->OnViewAttached(nullptr);
  vm_.reset();
  EXPECT_EQ(hub.listener_count(), listeners);
}

}  // namespace
