// velmo::ContributesViewModelT: a view model whose page hosts contributed extension views. It
// is its own ExtensionContributesImpl and publishes the contributes traffic to the view's
// contributes base on the properties below, each value forwarded unchanged.
//
//   class PageViewModel : public velmo::ContributesViewModelT<framework::StatefulViewModel> {
//     void OnUpdateItem(const Variant* item) override;   // an extension sent an update
//   };
//
// UI thread only.
#pragma once

#include <memory>
#include <utility>

#include "platform/base/looper_thread.h"
#include "platform/base/variant.h"
#include "platform/framework/extension_contributes.h"
#include "platform/framework/view_model.h"

namespace velmo {

inline constexpr int kPropContributesDataSource = 0x20101000;
inline constexpr int kPropContributesUpdateItem = 0x20101001;
inline constexpr int kPropContributesTakeItem = 0x20101002;
inline constexpr int kPropContributesAddItemView = 0x20101003;
// Seven hexadecimal digits, unlike the four above.
inline constexpr int kPropContributesRemoveItem = 0x2010104;
inline constexpr int kPropContributesDestroyTakenItem = 0x2010105;

template <class T>
class ContributesViewModelT : public T, public framework::extension::ExtensionContributesImpl {
 public:
  using Variant = base::variant::Variant;

  template <class... Args>
  explicit ContributesViewModelT(Args&&... args) : T(std::forward<Args>(args)...) {}

  virtual void OnUpdateItem(const Variant* item) { Publish(kPropContributesUpdateItem, item); }
  void OnTakeItem(const Variant* item) { Publish(kPropContributesTakeItem, item); }
  void OnAddItemView(const Variant* item) { Publish(kPropContributesAddItemView, item); }
  void OnRemoveItem(const Variant* item) {
    if (item && item->Has(framework::extension::kItemView))
      Publish(kPropContributesRemoveItem, item);
  }
  void OnDestroyTakenItem(const Variant* item) { Publish(kPropContributesDestroyTakenItem, item); }

 protected:
  void OnContributesChildrenView(bool post) override {
    std::weak_ptr<framework::ViewModel> weak = this->weak_from_this();
    // A view model that nobody shares cannot be guarded across the loop: publish at once.
    if (!post || weak.expired()) {
      this->SetPropValue(kPropContributesDataSource, this->data_source());
      return;
    }
    base::threading::LooperThread::MainLooper()->PostTask(
        [weak] {
          // The page may have closed before the loop came round.
          std::shared_ptr<framework::ViewModel> vm = weak.lock();
          if (!vm) return;
          auto* self = static_cast<ContributesViewModelT*>(vm.get());
          self->SetPropValue(kPropContributesDataSource, self->data_source());
        },
        FROM_HERE);
  }
  void OnExtensionItemUpdated(const Variant& item) override { OnUpdateItem(&item); }

 private:
  void Publish(int prop, const Variant* item) {
    this->SetPropValue(prop, item ? *item : Variant());
  }
};

}  // namespace velmo
