#include "tests/after_meeting/conclusion/conclusion_fixture.h"

namespace after_meeting::test {
namespace {

using ConclusionCountdown = ConclusionTest;

std::vector<int> Seconds(const std::vector<Variant>& values) {
  std::vector<int> out;
  for (const Variant& v : values) out.push_back(v.GetInt32(c::confirm_button::kSeconds));
  return out;
}

TEST_F(ConclusionCountdown, CountsDownEachSecondThenClosesWithItsReportEvenIfStartedTwice) {
  SetDismiss(3);
  Load();
  EXPECT_EQ(Last(c::kPropConfirmButtonText),
            V(R"x({"text":"Close (3s)","seconds":3,"is_count_down":true})x"));
  clock_.Advance(1000);
  // A second answer may not start a second countdown.
  FireModel(kEventConclusionInfoComplete, Fired(kEventConclusionInfoComplete).at(0));
  EXPECT_EQ(rec_.LogLevelOf("summary_page_timer_ has excuted"), 1);
  clock_.Advance(2000);
  EXPECT_EQ(Seconds(props_[c::kPropConfirmButtonText]), (std::vector<int>{-1, 3, 2, 1, 0}));
  EXPECT_TRUE(Reports(c::report::kAutoCloseClick).empty());
  EXPECT_EQ(Closes(), 0);
  clock_.Advance(1000);
  const auto reports = Reports(c::report::kAutoCloseClick);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].GetString("end_time_stamp"), "4000");
  EXPECT_EQ(reports[0].Size(), 6u);  // the common properties only
  EXPECT_EQ(Closes(), 1);
}

TEST_F(ConclusionCountdown, StopOrCloseEndsItWithoutTheAutoCloseReport) {
  for (int action : {c::kActionStopCountDown, c::kActionClosePage}) {
    for (uint64_t after_ms : {0u, 1500u, 3999u}) {
      Restart();
      SetDismiss(3);
      Load();
      clock_.Advance(after_ms);
      Act(action);
      const size_t published = props_[c::kPropConfirmButtonText].size();
      clock_.Advance(10000);
      EXPECT_TRUE(Reports(c::report::kAutoCloseClick).empty()) << after_ms;
      EXPECT_EQ(props_[c::kPropConfirmButtonText].size(), published);
      EXPECT_EQ(Last(c::kPropConfirmButtonText).GetInt32(c::confirm_button::kSeconds),
                action == c::kActionStopCountDown ? -1 : 3 - static_cast<int>(after_ms / 1000));
    }
  }
}

TEST_F(ConclusionCountdown, ZeroOrMissingTimeOutStartsNone) {
  for (bool missing : {false, true}) {
    Restart();
    if (!missing) SetDismiss(0);
    Load();
    EXPECT_EQ(Seconds(props_[c::kPropConfirmButtonText]), (std::vector<int>{-1, -1}));
    EXPECT_EQ(clock_.ArmedCount(), 0);
  }
}

TEST_F(ConclusionCountdown, DestroyedWithTimersPendingNothingIsTouched) {
  // The countdown and the thanks toast are both pending when the page goes.
  for (bool detach_first : {true, false}) {
    SCOPED_TRACE(detach_first);
    Restart();
    SetDismiss(3);
    SetFeedback(R"({"feedback":{"ResultState":{"title":"Thanks!"}}})");
    Load();
    Act(c::kActionThumbsUp);
    EXPECT_EQ(clock_.ArmedCount(), 2);
    std::weak_ptr<framework::StatefulViewModel> weak = vm_;
    if (detach_first) vm_->OnViewDetached();
    vm_.reset();
    ASSERT_TRUE(weak.expired());
    rec_.Clear();
    clock_.Advance(10000);
    EXPECT_TRUE(rec_.All().empty());
    EXPECT_EQ(clock_.ArmedCount(), 0);
  }
}

TEST_F(ConclusionCountdown, CountdownStoppedByDetachNeverClosesTheNextPage) {
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
