#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "platform/common/timer.h"
#include "platform/testing/manual_clock.h"
#include "platform/util/time.h"

using velmo_common::utils::timer::CreateTimer;
using velmo_common::utils::timer::VLTimer;

TEST(ManualClock, MovesWallAndTickTimeAndFiresTimersInDueOrder) {
  testing_support::ManualClock clock(1767225600000ULL);
  EXPECT_EQ(util::time::GetTimestampMsec(), 1767225600000ULL);
  const uint64_t tick0 = util::time::GetTickTimestampMsec();
  std::vector<std::string> fired;
  auto every_second = CreateTimer([&] { fired.push_back("1s@" + std::to_string(
      util::time::GetTickTimestampMsec() - tick0)); }, FROM_HERE);
  auto once = CreateTimer([&] { fired.push_back("once"); }, FROM_HERE);
  every_second->Start(1000, true);
  once->Start(1500, false);
  EXPECT_EQ(VLTimer::RunningCount(), 2);
  clock.Advance(3000);
  EXPECT_EQ(fired, (std::vector<std::string>{"1s@1000", "once", "1s@2000", "1s@3000"}));
  EXPECT_FALSE(once->IsRunning());
  EXPECT_EQ(util::time::GetTimestampMsec(), 1767225603000ULL);
  every_second.reset();  // destroying a timer cancels it
  clock.Advance(5000);
  EXPECT_EQ(fired.size(), 4u);
  EXPECT_EQ(clock.ArmedCount(), 0);
}

TEST(ManualClock, TimerMayStopOrDestroyItselfWhenFiring) {
  testing_support::ManualClock clock;
  std::unique_ptr<VLTimer> timer;
  int calls = 0;
  timer = CreateTimer([&] {
    ++calls;
    timer.reset();
  }, FROM_HERE);
  timer->Start(100, true);
  clock.Advance(1000);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(VLTimer::LiveCount(), 0);
}

TEST(Time, MakeTimeFollowsTheZoneSet) {
  const std::string saved = util::time::GetTimeZone();
  ASSERT_TRUE(util::time::SetTimeZone("UTC"));
  util::time::Time t = util::time::MakeTime(1767225600);  // 2026-01-01T00:00:00Z
  EXPECT_EQ(t.year, 2026);
  EXPECT_EQ(t.hour, 0);
  ASSERT_TRUE(util::time::SetTimeZone("Asia/Kolkata"));  // +05:30
  t = util::time::MakeTime(1767225600);
  EXPECT_EQ(t.hour, 5);
  EXPECT_EQ(t.minute, 30);
  EXPECT_FALSE(util::time::SetTimeZone("Not/AZone"));
  EXPECT_EQ(util::time::GetTimeZone(), "Asia/Kolkata");
  // Absurd inputs stay defined: clamped to the last second of year 9999 UTC.
  util::time::SetTimeZone("UTC");
  EXPECT_EQ(util::time::MakeTime(UINT64_MAX).year, 9999);
  util::time::SetTimeZone(saved);
}
