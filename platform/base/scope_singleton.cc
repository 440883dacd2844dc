#include "platform/base/scope_singleton.h"

#include <mutex>
#include <vector>

namespace base {

namespace {
std::mutex& Mutex() {
  static std::mutex* m = new std::mutex();
  return *m;
}
std::vector<std::function<void()>>& Destroyers() {
  static auto* v = new std::vector<std::function<void()>>();
  return *v;
}
}  // namespace

void RegisterScopeSingleton(std::function<void()> destroy) {
  std::lock_guard<std::mutex> lock(Mutex());
  Destroyers().push_back(std::move(destroy));
}

void DestroyScopeSingletons() {
  std::vector<std::function<void()>> destroyers;
  {
    std::lock_guard<std::mutex> lock(Mutex());
    destroyers.swap(Destroyers());
  }
  for (auto it = destroyers.rbegin(); it != destroyers.rend(); ++it) (*it)();
}

}  // namespace base
