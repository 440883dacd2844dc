// base::observer: the platform's one observer seam. Every boundary the module crosses (a log
// line, a report, a host-model call, a fired event, a published property, a controller or
// navigator call, a web page, a toast, a text lookup, ...) is announced here with its values as
// a Variant map whose keys are the trace's field names.
//
//   class Recorder : public base::observer::BoundaryObserver { ... };
//   base::observer::ScopedObserver scoped(&recorder);
//   base::observer::Notify("toast", [&] { return Fields{{"text", text}}; });
//
// With no observer attached a notification costs one pointer check: the fields are never built.
// The observer runs on the thread that crosses the boundary (the UI thread, apart from logs
// written by other threads), so an observer used across threads locks for itself.
#pragma once

#include <string_view>
#include <utility>

#include "platform/base/variant.h"

namespace base {
namespace observer {

class BoundaryObserver {
 public:
  virtual ~BoundaryObserver() = default;
  // kind: the trace kind ("log", "report", "host_call", "event", "prop", "state", ...).
  virtual void OnBoundary(std::string_view kind, const variant::Variant& fields) = 0;
};

namespace internal {
extern BoundaryObserver* g_observer;
}

// Installs an observer (null removes it); returns the previous one.
BoundaryObserver* SetObserver(BoundaryObserver* observer);
inline BoundaryObserver* GetObserver() { return internal::g_observer; }

template <class MakeFields>
inline void Notify(std::string_view kind, MakeFields&& make_fields) {
  if (BoundaryObserver* o = internal::g_observer) o->OnBoundary(kind, make_fields());
}

// Installs an observer for a scope and puts the previous one back.
class ScopedObserver {
 public:
  explicit ScopedObserver(BoundaryObserver* observer) : previous_(SetObserver(observer)) {}
  ~ScopedObserver() { SetObserver(previous_); }
  ScopedObserver(const ScopedObserver&) = delete;
  ScopedObserver& operator=(const ScopedObserver&) = delete;

 private:
  BoundaryObserver* previous_;
};

}  // namespace observer
}  // namespace base
