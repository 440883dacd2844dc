// AfterMeetingModel: the module's one model. It follows the meeting life cycle through the
// host's models, keeps the snapshot of the meeting being left and serves the pages' calls.
#pragma once

#include "platform/framework/model.h"

namespace after_meeting {

class AfterMeetingModel : public framework::ModelImpl {
 public:
  AfterMeetingModel();
  ~AfterMeetingModel() override;
  bool Init(const framework::Variant* params) override;
  void UnInit() override;
};

}  // namespace after_meeting
