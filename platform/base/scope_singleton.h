// Scope singletons: process-wide objects the host destroys, in reverse order of registration,
// when its scope ends (DestroyScopeSingletons), instead of at static destruction time.
//
//   static auto* holder = new std::shared_ptr<Foo>(base::SingletonSharedAllocator<Foo>::Create());
//   base::RegisterScopeSingleton([] { holder->reset(); });
//
// Registration and destruction are thread-safe.
#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace base {

template <class T>
struct SingletonSharedAllocator {
  template <class... Args>
  static std::shared_ptr<T> Create(Args&&... args) {
    return std::make_shared<T>(std::forward<Args>(args)...);
  }
};

void RegisterScopeSingleton(std::function<void()> destroy);
// Runs every registered destroy function, newest first, and forgets them.
void DestroyScopeSingletons();

}  // namespace base
