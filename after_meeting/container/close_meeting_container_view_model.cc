#include "after_meeting/container/close_meeting_container_view_model.h"

#include "after_meeting/container/container_contract.h"
#include "after_meeting/host/log.h"
#include "after_meeting/model/model_ids.h"
#include "after_meeting/module/after_meeting_module.h"
#include "after_meeting/module/after_meeting_module_runtime.h"
#include "after_meeting/module/module_constants.h"
#include "platform/base/location.h"

namespace after_meeting {

namespace {

framework::Model* AfterMeetingModelOrNull() {
  AfterMeetingModuleRuntime* runtime = GetModuleRuntime();
  if (!runtime) return nullptr;
  framework::ModelProvider* models = runtime->GetModelProvider();
  return models ? models->ModelOf(kTypeAfterMeetingModel) : nullptr;
}

}  // namespace

CloseMeetingContainerViewModel::CloseMeetingContainerViewModel() = default;
CloseMeetingContainerViewModel::~CloseMeetingContainerViewModel() = default;

void CloseMeetingContainerViewModel::OnViewAttached(const Variant* params) {
  StatefulViewModel::OnViewAttached(params);
  // No runtime: the module is shutting down; the container is left without a page.
  if (!GetModuleRuntime()) return;
  if (framework::Model* model = AfterMeetingModelOrNull()) {
    RecordSubscribe(model, this);
    // The record drops this subscription when the view model ends, so `this` cannot dangle.
    model->SubscribeWithLocation(
        kEventSetCloseMeetingContainerPage, this,
        [this](const Variant* page) { OnSetCloseMeetingContainerPage(page); }, base::Location());
  }
  SetStatefulData(kPageConclusion, nullptr);
}

void CloseMeetingContainerViewModel::OnViewDetached() {
  StatefulViewModel::OnViewDetached();
  if (framework::Model* model = AfterMeetingModelOrNull()) {
    model->Unsubscribe(this);
    RecordClearSubscribe(model, this);
  }
}

void CloseMeetingContainerViewModel::OnSetCloseMeetingContainerPage(const Variant* page) {
  const Variant value = page ? *page : Variant();
  AM_LOG(6) << "[After meeting] - ContainerChange: " << value.ToString();
  // Any number is passed on; the view decides what an unknown page shows.
  SetStatefulData(value.AsInt32(), nullptr);
}

void CloseMeetingContainerViewModel::HandleAction(int, const Variant*) {}

}  // namespace after_meeting
