// velmo::AuthorizeViewModelT: a view model that hears about changes of the account's
// authorization state (framework::AuthorizeStateHub) while its view is attached.
//
//   class PageViewModel : public velmo::AuthorizeViewModelT<framework::StatefulViewModel> {
//     void OnAuthorizeStateUpdate(const Variant* params) override;   // {"auth_state": N}
//   };
//
// UI thread only.
#pragma once

#include <utility>

#include "platform/base/variant.h"
#include "platform/framework/authorize.h"

namespace velmo {

template <class T>
class AuthorizeViewModelT : public T {
 public:
  using Variant = base::variant::Variant;

  template <class... Args>
  explicit AuthorizeViewModelT(Args&&... args) : T(std::forward<Args>(args)...) {}
  ~AuthorizeViewModelT() override { StopListening(); }

  void OnViewAttached(const Variant* params) override {
    T::OnViewAttached(params);
    StopListening();
    // Removed on detach and at the latest in the destructor, so `this` outlives the listener.
    listener_id_ = framework::AuthorizeStateHub::Instance().AddListener(
        [this](const Variant& state) { OnAuthorizeStateUpdate(&state); });
  }
  void OnViewDetached() override {
    StopListening();
    T::OnViewDetached();
  }

 protected:
  virtual void OnAuthorizeStateUpdate(const Variant* params) {}

 private:
  void StopListening() {
    if (listener_id_ == 0) return;
    framework::AuthorizeStateHub::Instance().RemoveListener(listener_id_);
    listener_id_ = 0;
  }
  int listener_id_ = 0;
};

}  // namespace velmo
