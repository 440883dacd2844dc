#include "platform/util/time.h"

#include <atomic>
#include <chrono>
#include <mutex>

#include <QDateTime>
#include <QPointer>
#include <QTimeZone>
#include <QTimer>

namespace util {
namespace time {

namespace {

class QtClockTimer : public ClockTimer {
 public:
  // The callback may destroy this object while its QTimer is still emitting timeout; the QTimer
  // then goes with deleteLater instead.
  explicit QtClockTimer(std::function<void()> on_fire) : timer_(new QTimer()) {
    auto state = state_;
    QObject::connect(timer_, &QTimer::timeout, timer_, [state, on_fire = std::move(on_fire)] {
      if (!state->alive) return;
      auto fire = on_fire;
      state->firing = true;
      if (fire) fire();
      state->firing = false;
    });
  }
  ~QtClockTimer() override {
    state_->alive = false;
    timer_->stop();
    if (state_->firing) {
      timer_->deleteLater();
    } else {
      delete timer_;
    }
  }
  void Start(uint32_t interval_ms, bool repeat) override {
    timer_->setSingleShot(!repeat);
    timer_->start(static_cast<int>(interval_ms));
  }
  void Stop() override { timer_->stop(); }
  bool IsRunning() const override { return timer_->isActive(); }

 private:
  struct State {
    bool alive = true;
    bool firing = false;
  };
  std::shared_ptr<State> state_ = std::make_shared<State>();
  QTimer* timer_;
};

class RealClock : public Clock {
 public:
  uint64_t NowMs() override {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
  }
  uint64_t TickMs() override {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  }
  std::unique_ptr<ClockTimer> CreateTimer(std::function<void()> on_fire) override {
    return std::make_unique<QtClockTimer>(std::move(on_fire));
  }
};

RealClock& TheRealClock() {
  static RealClock* clock = new RealClock();
  return *clock;
}

std::atomic<Clock*> g_clock{nullptr};

std::mutex& ZoneMutex() {
  static std::mutex* m = new std::mutex();
  return *m;
}
QTimeZone& Zone() {
  static QTimeZone* zone = new QTimeZone(QTimeZone::systemTimeZone());
  return *zone;
}

}  // namespace

Clock* SetClock(Clock* clock) { return g_clock.exchange(clock); }

Clock& GetClock() {
  Clock* c = g_clock.load();
  return c ? *c : TheRealClock();
}

uint64_t GetTimestampMsec() { return GetClock().NowMs(); }
uint64_t GetTickTimestampMsec() { return GetClock().TickMs(); }

std::string TwoDigitFields(int first, int second) {
  const char text[] = {static_cast<char>('0' + first / 10), static_cast<char>('0' + first % 10),
                       ':', static_cast<char>('0' + second / 10),
                       static_cast<char>('0' + second % 10)};
  return std::string(text, sizeof(text));
}

Time MakeTime(uint64_t seconds) {
  // QDateTime covers far more than any meeting needs; clamp so absurd inputs stay defined.
  constexpr uint64_t kMaxSeconds = 253402300799ULL;  // 9999-12-31T23:59:59Z
  if (seconds > kMaxSeconds) seconds = kMaxSeconds;
  const int64_t utc = static_cast<int64_t>(seconds);
  int offset;
  {
    // Only the offset needs the zone's rules; a QDateTime in the zone would apply them again for
    // each of its fields.
    std::lock_guard<std::mutex> lock(ZoneMutex());
    offset = Zone().offsetFromUtc(QDateTime::fromSecsSinceEpoch(utc, Qt::UTC));
  }
  const int64_t local = utc + offset;
  int64_t days = local / 86400;
  int64_t in_day = local % 86400;
  if (in_day < 0) {
    in_day += 86400;
    --days;
  }
  Time t;
  t.hour = static_cast<int>(in_day / 3600);
  t.minute = static_cast<int>(in_day / 60 % 60);
  t.second = static_cast<int>(in_day % 60);
  t.week_day = static_cast<int>(((days + 4) % 7 + 7) % 7);  // 1970-01-01 was a Thursday
  // Proleptic Gregorian date from days since the epoch, counted in 400-year eras from March.
  const int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
  return t;
}

bool SetTimeZone(const std::string& iana_name) {
  QTimeZone zone(QByteArray::fromStdString(iana_name));
  if (!zone.isValid()) return false;
  std::lock_guard<std::mutex> lock(ZoneMutex());
  Zone() = zone;
  return true;
}

std::string GetTimeZone() {
  std::lock_guard<std::mutex> lock(ZoneMutex());
  return Zone().id().toStdString();
}

}  // namespace time
}  // namespace util
