// AfterMeetingService: a process-wide singleton that runs the meeting-end pop-up info request
// for the after-meeting model and hands the result to a delegate.
//
//   AfterMeetingService::GetInstance()->SetDelegate(model);
//   AfterMeetingService::GetInstance()->GetMeetingEndPopUpInfo(info, model);
//
// Creation is guarded by a spin lock (any thread); everything else runs on the UI thread.
#pragma once

#include <memory>

#include "after_meeting/model/get_meeting_end_pop_up_info_request.h"
#include "platform/sdk/plugin_result.h"

namespace after_meeting {

using Result = velmosdk::plugin::Result;

class IAfterMeetingServiceDelegate {
 public:
  virtual ~IAfterMeetingServiceDelegate() = default;
  // result points to a MeetingEndPopUpInfoResult, valid only during the call.
  virtual void OnGetMeetingEndPopUpInfo(const PluginGetMeetingEndPopUpInfoReqInfo& info,
                                        const Result* result) = 0;
};

class AfterMeetingService : public std::enable_shared_from_this<AfterMeetingService> {
 public:
  static AfterMeetingService* GetInstance();

  void SetDelegate(IAfterMeetingServiceDelegate* delegate);
  IAfterMeetingServiceDelegate* delegate() const { return delegate_; }
  // Starts one request; always 0.
  int GetMeetingEndPopUpInfo(const PluginGetMeetingEndPopUpInfoReqInfo& info,
                             IAfterMeetingServiceDelegate* delegate);

  AfterMeetingService() = default;

 private:
  IAfterMeetingServiceDelegate* delegate_ = nullptr;
};

}  // namespace after_meeting
