// testing::ManualClock: a clock that moves only when told. Installing it makes every
// util::time read and every VLTimer follow it; Advance fires, in due order, each timer due at
// or before the new time (a repeating timer once per period).
//
//   testing::ManualClock clock(1767225600000);   // installs itself
//   timer->Start(1000, true);
//   clock.Advance(3000);                         // three ticks
//
// UI thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "platform/util/time.h"

namespace testing_support {

class ManualClock : public util::time::Clock {
 public:
  explicit ManualClock(uint64_t start_wall_ms = 1767225600000ULL, bool install = true);
  ~ManualClock() override;

  uint64_t NowMs() override { return wall_ms_; }
  uint64_t TickMs() override { return tick_ms_; }
  std::unique_ptr<util::time::ClockTimer> CreateTimer(std::function<void()> on_fire) override;

  // Moves wall and tick time by ms, firing what falls due on the way.
  void Advance(uint64_t ms);
  void SetWallMs(uint64_t ms) { wall_ms_ = ms; }
  // Timers armed right now.
  int ArmedCount() const { return static_cast<int>(armed_.size()); }
  // Milliseconds until the next armed timer, or -1 when none is armed.
  int64_t NextDueInMs() const;

 private:
  class Timer;
  friend class Timer;
  struct Armed {
    uint64_t due;
    uint64_t seq;
  };
  void Arm(Timer* timer, uint64_t due);
  void Disarm(Timer* timer);

  util::time::Clock* previous_ = nullptr;
  bool installed_ = false;
  uint64_t wall_ms_;
  uint64_t tick_ms_ = 1000000;
  uint64_t seq_ = 0;
  // Keyed by (due, arming order): the next timer to fire is the first entry.
  std::map<std::pair<uint64_t, uint64_t>, Timer*> armed_;
};

}  // namespace testing_support
