// What the conclusion page leaves running when it goes: each test lets it fire after its owner
// died and checks that nothing reached the page.
#include "platform/sdk/signal_request_base.h"
#include "tests/after_meeting/conclusion/conclusion_fixture.h"

namespace after_meeting::test {
namespace {

using ConclusionLifetimes = ConclusionTest;

TEST_F(ConclusionLifetimes, MeetingEndAnswerAfterThePageWentReachesOnlyTheModel) {
  for (bool detach_first : {true, false}) {
    Restart();
    SetDismiss(5);
    Leave();
    Attach();
    ASSERT_EQ(VELMO_CGI::VelmoSignalRequestBase::InFlightCount(), 1);
    std::weak_ptr<framework::StatefulViewModel> weak = vm_;
    if (detach_first) vm_->OnViewDetached();
    vm_.reset();
    ASSERT_TRUE(weak.expired());
    rec_.Clear();
    ASSERT_TRUE(testing_support::RunLoopUntil(
        [] { return VELMO_CGI::VelmoSignalRequestBase::InFlightCount() == 0; }));
    EXPECT_EQ(Fired(kEventConclusionInfoComplete).size(), 1u) << detach_first;
    EXPECT_FALSE(rec_.HasLog("[After meeting] get conclusion info complete: ", true));
    EXPECT_TRUE(rec_.Of("prop").empty());
    EXPECT_TRUE(ReportIds().empty());
    clock_.Advance(10000);  // a countdown, had one started, would have closed the page by now
    EXPECT_EQ(Closes(), 0);
    EXPECT_TRUE(rec_.Of("toast").empty());
  }
}

TEST_F(ConclusionLifetimes, CountdownStoppedByDetachNeverClosesTheNextPage) {
  SetDismiss(3);
  Load();
  clock_.Advance(1000);
  vm_->OnViewDetached();
  // A new page for the next meeting: the old countdown must not count into it.
  Attach();
  rec_.Clear();
  clock_.Advance(2500);
  EXPECT_EQ(Closes(), 0);
  EXPECT_FALSE(rec_.HasLog("close summary page from time out"));
}

}  // namespace
}  // namespace after_meeting::test
