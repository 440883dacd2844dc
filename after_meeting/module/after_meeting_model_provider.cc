#include "after_meeting/module/after_meeting_model_provider.h"

#include "after_meeting/model/after_meeting_model.h"
#include "after_meeting/module/module_constants.h"

namespace after_meeting {

AfterMeetingModelProvider::AfterMeetingModelProvider(framework::module::IModuleRuntime* runtime)
    : ModelProviderBaseImpl(runtime) {}

AfterMeetingModelProvider::~AfterMeetingModelProvider() = default;

bool AfterMeetingModelProvider::Init() {
  const bool ok = ModelProviderBaseImpl::Init();
  ModelOf(kTypeAfterMeetingModel);
  return ok;
}

void AfterMeetingModelProvider::UnInit() { ModelProviderBaseImpl::UnInit(); }

framework::Model* AfterMeetingModelProvider::CreateModel(int type) {
  if (type == kTypeAfterMeetingModel) return new AfterMeetingModel();
  return nullptr;
}

}  // namespace after_meeting
