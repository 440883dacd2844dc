#include <memory>
#include <string>
#include <vector>

#include <QDateTime>
#include <QMetaObject>
#include <QObject>
#include <QTimeZone>

#include <gtest/gtest.h>

#include "platform/base/looper_thread.h"
#include "platform/common/timer.h"
#include "platform/testing/manual_clock.h"
#include "platform/testing/run_loop.h"
#include "platform/util/time.h"
#include "platform/widgets/custom_event_utils.h"

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

  // Agrees with Qt on both sides of daylight-saving changes, the day before the epoch in zones
  // west of it, a leap day, a century without one, and the last second kept.
  const uint64_t samples[] = {0,          68,         951782400,  951868799,  4107542399,
                              1711846799, 1711846800, 1729990800, 1741503600, 1767225599,
                              1767258000, 253402300799};
  for (const char* zone : {"UTC", "America/New_York", "Europe/Berlin", "Asia/Kolkata",
                           "Pacific/Chatham", "America/St_Johns"}) {
    ASSERT_TRUE(util::time::SetTimeZone(zone)) << zone;
    const QTimeZone qt_zone(zone);
    for (uint64_t s : samples) {
      const QDateTime dt = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(s), qt_zone);
      t = util::time::MakeTime(s);
      EXPECT_EQ(t.year, dt.date().year()) << zone << " " << s;
      EXPECT_EQ(t.month, dt.date().month()) << zone << " " << s;
      EXPECT_EQ(t.day, dt.date().day()) << zone << " " << s;
      EXPECT_EQ(t.hour, dt.time().hour()) << zone << " " << s;
      EXPECT_EQ(t.minute, dt.time().minute()) << zone << " " << s;
      EXPECT_EQ(t.second, dt.time().second()) << zone << " " << s;
      EXPECT_EQ(t.week_day, dt.date().dayOfWeek() % 7) << zone << " " << s;
    }
  }
  util::time::SetTimeZone(saved);
}

TEST(DeferredWork, TasksRunInPostingOrderAndNeverAfterTheirContext) {
  using base::threading::PendingTasks;
  std::vector<std::string> ran;
  auto kept = std::make_unique<QObject>();
  auto dropped = std::make_unique<QObject>();
  base::threading::LooperThread::MainLooper()->PostTask([&] { ran.push_back("task"); });
  QMetaObject::invokeMethod(
      kept.get(), [&] { ran.push_back("queued"); }, Qt::QueuedConnection);
  CustomEventUtils::DelayAction(kept.get(), [&] { ran.push_back("first"); });
  CustomEventUtils::DelayAction(dropped.get(), [&] { ran.push_back("dropped"); });
  CustomEventUtils::DelayAction(kept.get(), [&] { ran.push_back("second"); });
  CustomEventUtils::DelayAction(nullptr, [&] { ran.push_back("no context"); });
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(PendingTasks(), 4);
  dropped.reset();  // its action goes with it, unrun
  EXPECT_EQ(PendingTasks(), 3);
  ASSERT_TRUE(testing_support::RunLoopUntil([&] { return ran.size() == 4; }));
  EXPECT_EQ(ran, (std::vector<std::string>{"task", "queued", "first", "second"}));
  EXPECT_EQ(PendingTasks(), 0);
}
