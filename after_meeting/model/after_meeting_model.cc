#include "after_meeting/model/after_meeting_model.h"

#include "after_meeting/module/module_constants.h"

namespace after_meeting {

AfterMeetingModel::AfterMeetingModel() : ModelImpl(kTypeAfterMeetingModel) {}

AfterMeetingModel::~AfterMeetingModel() = default;

bool AfterMeetingModel::Init(const framework::Variant* params) { return ModelImpl::Init(params); }

void AfterMeetingModel::UnInit() { ModelImpl::UnInit(); }

}  // namespace after_meeting
