// velmo_common::utils::timer: the host's timers, on the platform clock (util::time), so a test
// or the headless simulator moves them with the manual clock.
//
//   auto timer = velmo_common::utils::timer::CreateTimer([weak] { ... }, FROM_HERE);
//   timer->Start(1000, /*repeat=*/true);     // destroying the timer stops it
//
// The callback runs on the UI thread and may destroy its own timer. UI thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/base/location.h"

namespace util {
namespace time {
class ClockTimer;
}
}  // namespace util

namespace velmo_common {
namespace utils {
namespace timer {

class VLTimer {
 public:
  VLTimer(std::function<void()> callback, const base::Location& location);
  ~VLTimer();
  VLTimer(const VLTimer&) = delete;
  VLTimer& operator=(const VLTimer&) = delete;

  void Start(uint32_t interval_ms, bool repeat);
  void Stop();
  bool IsRunning() const;
  const base::Location& location() const { return location_; }

  // Timers that exist right now, and how many of them run: for idle-cost checks.
  static int LiveCount();
  static int RunningCount();

 private:
  base::Location location_;
  std::unique_ptr<util::time::ClockTimer> timer_;
};

std::unique_ptr<VLTimer> CreateTimer(std::function<void()> callback, const base::Location& location);

}  // namespace timer
}  // namespace utils
}  // namespace velmo_common
