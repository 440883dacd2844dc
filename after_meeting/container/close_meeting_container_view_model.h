// CloseMeetingContainerViewModel: which page the close-meeting container shows. Its state is the
// page number (CloseMeetingContainerPage); the pages change it only through the after-meeting
// model, whose page event every attached container follows.
#pragma once

#include "platform/base/variant.h"
#include "platform/framework/view_model.h"

namespace after_meeting {

class CloseMeetingContainerViewModel : public framework::StatefulViewModel {
 public:
  using Variant = base::variant::Variant;

  CloseMeetingContainerViewModel();
  ~CloseMeetingContainerViewModel() override;

  void OnViewAttached(const Variant* params) override;
  void OnViewDetached() override;

  void OnSetCloseMeetingContainerPage(const Variant* page);

 protected:
  // The container takes no actions of its own.
  void HandleAction(int action, const Variant* params) override;
};

}  // namespace after_meeting
