#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/looper_thread.h"
#include "platform/framework/contributes_view_model.h"
#include "platform/framework/extension_contributes.h"
#include "platform/testing/recorder.h"
#include "platform/testing/run_loop.h"

namespace {

using base::variant::Variant;
using framework::extension::ExtensionRegistry;

class PageViewModel : public velmo::ContributesViewModelT<framework::StatefulViewModel> {
 public:
  PageViewModel() { SetContributesId("contributes:page"); }
  void SortContributedExtensions() override { SortByExtensionsId({"ext:b"}); }
};

// A view stands in through the aliasing constructor: its address is what the items carry.
std::shared_ptr<AppBaseQTView> FakeView(const std::shared_ptr<int>& owner) {
  return std::shared_ptr<AppBaseQTView>(owner, reinterpret_cast<AppBaseQTView*>(owner.get()));
}

TEST(Contributes, ActivatesSortsPublishesAndRoutesUpdatesAndEvents) {
  testing_support::Recorder rec;
  auto view = std::make_shared<int>(1);
  std::vector<std::string> events;
  auto& registry = ExtensionRegistry::Instance();
  registry.Register({"ext:a", "", nullptr, [&](const std::string& name, const Variant* p) {
                       events.push_back(name + p->ToString());
                     }});
  registry.Register({"ext:elsewhere", "contributes:other", nullptr, nullptr});
  registry.Register({"ext:b", "contributes:page",
                     [&](void*, const Variant*) { return FakeView(view); }, nullptr});
  auto vm = std::make_shared<PageViewModel>();
  std::vector<std::pair<int, Variant>> published;
  for (int prop : {velmo::kPropContributesDataSource, velmo::kPropContributesUpdateItem})
    vm->BindProp(prop, [&, prop](const Variant* v) { published.push_back({prop, *v}); });

  EXPECT_EQ(vm->ActivateExtensions(nullptr), 2);
  EXPECT_EQ(vm->ActivateExtensions(nullptr), 2);  // nothing is made twice
  vm->UpdateContributesDataSource();
  EXPECT_TRUE(published.empty());  // posted to the main loop
  ASSERT_TRUE(testing_support::RunLoopUntil([&] { return !published.empty(); }));
  const Variant items = published[0].second;
  EXPECT_EQ(items.At(0).GetString("extension_id"), "ext:b");
  EXPECT_EQ(items.At(1).GetUInt64("view"), 0u);
  auto* held = reinterpret_cast<std::shared_ptr<AppBaseQTView>*>(items.At(0).GetUInt64("view"));
  EXPECT_EQ(static_cast<void*>(held->get()), static_cast<void*>(view.get()));
  std::vector<std::string> ops;
  for (const Variant& op : rec.Of("extension")) ops.push_back(op.GetString("op"));
  EXPECT_EQ(ops, (std::vector<std::string>{"activate", "activate", "sort", "update_data_source"}));

  Variant item = Variant::MakeMap();
  item["visible"] = true;
  item["view"] = uint64_t{1234};
  EXPECT_EQ(registry.SendItemUpdate("ext:a", Variant("not a map")), 0);
  EXPECT_EQ(registry.SendItemUpdate("ext:a", item), 1);
  EXPECT_EQ(published.back().first, velmo::kPropContributesUpdateItem);
  EXPECT_EQ(published.back().second.GetUInt64("view"), 0u);  // the page's own, not the sender's
  EXPECT_TRUE(vm->data_source().At(1).GetBool("visible"));

  const Variant params("p");
  vm->FireExtensionEvent("Init", &params);
  EXPECT_EQ(events, std::vector<std::string>{"Init\"p\""});
  EXPECT_EQ(rec.Of("extension").back().Get("ids").Size(), 2u);

  vm->UpdateContributesDataSource();
  const size_t before = published.size();
  vm.reset();  // the posted publication finds the page gone
  testing_support::RunLoopUntil([] { return base::threading::PendingTasks() == 0; });
  EXPECT_EQ(published.size(), before);
  EXPECT_EQ(registry.SendItemUpdate("ext:a", item), 0);
  EXPECT_EQ(view.use_count(), 1);  // the page's copy of the view went with it
  registry.Clear();
}

}  // namespace
