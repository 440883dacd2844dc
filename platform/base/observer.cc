#include "platform/base/observer.h"

namespace base {
namespace observer {

namespace internal {
BoundaryObserver* g_observer = nullptr;
}

BoundaryObserver* SetObserver(BoundaryObserver* observer) {
  BoundaryObserver* previous = internal::g_observer;
  internal::g_observer = observer;
  return previous;
}

}  // namespace observer
}  // namespace base
