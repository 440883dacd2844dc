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

Time MakeTime(uint64_t seconds) {
  QTimeZone zone;
  {
    std::lock_guard<std::mutex> lock(ZoneMutex());
    zone = Zone();
  }
  // QDateTime covers far more than any meeting needs; clamp so absurd inputs stay defined.
  constexpr uint64_t kMaxSeconds = 253402300799ULL;  // 9999-12-31T23:59:59Z
  if (seconds > kMaxSeconds) seconds = kMaxSeconds;
  QDateTime dt = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(seconds), zone);
  Time t;
  t.year = dt.date().year();
  t.month = dt.date().month();
  t.day = dt.date().day();
  t.hour = dt.time().hour();
  t.minute = dt.time().minute();
  t.second = dt.time().second();
  t.week_day = dt.date().dayOfWeek() % 7;
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
