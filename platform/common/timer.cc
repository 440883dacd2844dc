#include "platform/common/timer.h"

#include <set>

#include "platform/util/time.h"

namespace velmo_common {
namespace utils {
namespace timer {

namespace {
std::set<const VLTimer*>& Live() {
  static auto* live = new std::set<const VLTimer*>();
  return *live;
}
}  // namespace

VLTimer::VLTimer(std::function<void()> callback, const base::Location& location)
    : location_(location), timer_(util::time::GetClock().CreateTimer(std::move(callback))) {
  Live().insert(this);
}

VLTimer::~VLTimer() { Live().erase(this); }

void VLTimer::Start(uint32_t interval_ms, bool repeat) { timer_->Start(interval_ms, repeat); }

void VLTimer::Stop() { timer_->Stop(); }

bool VLTimer::IsRunning() const { return timer_->IsRunning(); }

int VLTimer::LiveCount() { return static_cast<int>(Live().size()); }

int VLTimer::RunningCount() {
  int n = 0;
  for (const VLTimer* t : Live()) n += t->IsRunning() ? 1 : 0;
  return n;
}

std::unique_ptr<VLTimer> CreateTimer(std::function<void()> callback,
                                     const base::Location& location) {
  return std::make_unique<VLTimer>(std::move(callback), location);
}

}  // namespace timer
}  // namespace utils
}  // namespace velmo_common
