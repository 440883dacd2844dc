// util::time: wall and tick time behind one clock seam. The default clock is the real one and
// its timers are QTimers; tests and the headless simulator install the manual clock of
// platform/testing and move time themselves, so nothing ever sleeps.
//
//   uint64_t now = util::time::GetTimestampMsec();
//   util::time::Time t = util::time::MakeTime(now / 1000);   // t.hour, t.minute in the zone set
//
// Clock and zone are set on the main thread before use; reads are cheap and thread-safe.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace util {
namespace time {

// One scheduled callback of a clock. Start (re)arms it; destroying it cancels it.
class ClockTimer {
 public:
  virtual ~ClockTimer() = default;
  virtual void Start(uint32_t interval_ms, bool repeat) = 0;
  virtual void Stop() = 0;
  virtual bool IsRunning() const = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint64_t NowMs() = 0;   // wall clock, milliseconds since the epoch
  virtual uint64_t TickMs() = 0;  // monotonic milliseconds
  virtual std::unique_ptr<ClockTimer> CreateTimer(std::function<void()> on_fire) = 0;
};

// Installs a clock (null puts the real clock back); returns the previous one. The caller keeps
// ownership and keeps it alive while it is installed.
Clock* SetClock(Clock* clock);
Clock& GetClock();

uint64_t GetTimestampMsec();
uint64_t GetTickTimestampMsec();

struct Time {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int week_day = 4;  // 0 Sunday .. 6 Saturday
};

// Local time of seconds since the epoch in the zone set with SetTimeZone (default: the
// system's zone).
Time MakeTime(uint64_t seconds);
// "AA:BB", each field two digits (both in 0..99): clock and duration texts.
std::string TwoDigitFields(int first, int second);
// An IANA zone name ("UTC", "Europe/Berlin"); false and no change when unknown.
bool SetTimeZone(const std::string& iana_name);
std::string GetTimeZone();

}  // namespace time
}  // namespace util
