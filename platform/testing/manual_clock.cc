#include "platform/testing/manual_clock.h"

namespace testing_support {

class ManualClock::Timer : public util::time::ClockTimer {
 public:
  Timer(ManualClock* clock, std::function<void()> on_fire)
      : clock_(clock), on_fire_(std::move(on_fire)) {}
  ~Timer() override { Stop(); }

  void Start(uint32_t interval_ms, bool repeat) override {
    Stop();
    interval_ = interval_ms;
    repeat_ = repeat;
    clock_->Arm(this, clock_->tick_ms_ + interval_ms);
  }
  void Stop() override {
    if (armed_) clock_->Disarm(this);
  }
  bool IsRunning() const override { return armed_; }

  void Fire() {
    // Re-arm before running: the callback may stop or destroy this timer.
    if (repeat_) {
      clock_->Arm(this, clock_->tick_ms_ + (interval_ == 0 ? 1 : interval_));
    }
    auto fire = on_fire_;
    if (fire) fire();
  }

  bool armed_ = false;
  std::pair<uint64_t, uint64_t> key_{0, 0};

 private:
  ManualClock* clock_;
  std::function<void()> on_fire_;
  uint32_t interval_ = 0;
  bool repeat_ = false;
};

ManualClock::ManualClock(uint64_t start_wall_ms, bool install) : wall_ms_(start_wall_ms) {
  if (install) {
    previous_ = util::time::SetClock(this);
    installed_ = true;
  }
}

ManualClock::~ManualClock() {
  for (auto& [key, timer] : armed_) timer->armed_ = false;
  armed_.clear();
  if (installed_) util::time::SetClock(previous_);
}

std::unique_ptr<util::time::ClockTimer> ManualClock::CreateTimer(std::function<void()> on_fire) {
  return std::make_unique<Timer>(this, std::move(on_fire));
}

void ManualClock::Arm(Timer* timer, uint64_t due) {
  if (timer->armed_) Disarm(timer);
  timer->key_ = {due, seq_++};
  timer->armed_ = true;
  armed_[timer->key_] = timer;
}

void ManualClock::Disarm(Timer* timer) {
  armed_.erase(timer->key_);
  timer->armed_ = false;
}

void ManualClock::Advance(uint64_t ms) {
  const uint64_t end = tick_ms_ + ms;
  while (!armed_.empty() && armed_.begin()->first.first <= end) {
    auto it = armed_.begin();
    Timer* timer = it->second;
    const uint64_t due = it->first.first;
    wall_ms_ += due - tick_ms_;
    tick_ms_ = due;
    Disarm(timer);
    timer->Fire();
  }
  wall_ms_ += end - tick_ms_;
  tick_ms_ = end;
}

int64_t ManualClock::NextDueInMs() const {
  if (armed_.empty()) return -1;
  return static_cast<int64_t>(armed_.begin()->first.first - tick_ms_);
}

}  // namespace testing_support
