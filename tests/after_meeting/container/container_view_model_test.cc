#include <vector>

#include <gtest/gtest.h>

#include "after_meeting/container/container_contract.h"
#include "tests/after_meeting/view_model_fixture.h"

namespace after_meeting::test {
namespace {

class ContainerViewModel : public ViewModelTest {
 protected:
  std::shared_ptr<framework::StatefulViewModel> AttachNew(RecordingView* view) {
    auto vm = Build(kTypeCloseMeetingContainerViewModel);
    view->Attach(vm.get());
    return vm;
  }
  void SetPage(Variant page) { model()->Call(kCallSetCloseMeetingContainerPage, &page, nullptr); }
};

TEST_F(ContainerViewModel, StartsOnTheConclusionAndFollowsEveryPageCall) {
  RecordingView view;
  auto vm = AttachNew(&view);
  EXPECT_EQ(rec_.CountLog("[After meeting] - ContainerChange: ", true), 0);
  for (const Variant& page :
       {Variant(kPageFeedback), Variant(kPageFeedback), Variant(1), Variant(7), Variant("2")})
    SetPage(page);
  EXPECT_EQ(view.states, (std::vector<int>{1, 2, 2, 1, 7, 0}));
  EXPECT_EQ(rec_.LogLevelOf("[After meeting] - ContainerChange: 2"), 6);
  EXPECT_TRUE(rec_.HasLog("[After meeting] - ContainerChange: \"2\""));
}

TEST_F(ContainerViewModel, StopsFollowingOnceDetachedOrDestroyed) {
  RecordingView detached_view, destroyed_view, staying_view;
  auto detached = AttachNew(&detached_view);
  auto destroyed = AttachNew(&destroyed_view);
  auto staying = AttachNew(&staying_view);
  detached->OnViewDetached();
  destroyed.reset();
  SetPage(kPageFeedback);
  EXPECT_EQ(detached_view.states, std::vector<int>{kPageConclusion});
  EXPECT_EQ(staying_view.states, (std::vector<int>{kPageConclusion, kPageFeedback}));
  EXPECT_EQ(model()->SubscriberCount(kEventSetCloseMeetingContainerPage), 1);
}

}  // namespace
}  // namespace after_meeting::test
