// framework::AuthorizeStateHub: where the host announces changes of the account's
// authorization state; view models that care (velmo::AuthorizeViewModelT) listen here.
//
//   int id = AuthorizeStateHub::Instance().AddListener([](const Variant& p) { ... });
//   AuthorizeStateHub::Instance().Notify(8);   // listeners get {"auth_state": 8}
//
// UI thread only. Listeners may remove themselves while being notified.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "platform/base/variant.h"

namespace framework {

class AuthorizeStateHub {
 public:
  using Listener = std::function<void(const base::variant::Variant& params)>;
  static AuthorizeStateHub& Instance();
  int AddListener(Listener listener);
  void RemoveListener(int id);
  void Notify(int auth_state);
  int listener_count() const { return static_cast<int>(listeners_.size()); }

 private:
  AuthorizeStateHub() = default;
  std::map<int, Listener> listeners_;
  int next_id_ = 1;
};

}  // namespace framework
