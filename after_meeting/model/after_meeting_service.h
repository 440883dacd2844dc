// AfterMeetingService: a process-wide singleton that runs the meeting-end pop-up info request
// for the after-meeting model and hands the result to a delegate.
//
//   AfterMeetingService::GetInstance()->SetDelegate(model);
//   AfterMeetingService::GetInstance()->GetMeetingEndPopUpInfo(info, model);
//
// A completion reaches its delegate only while that delegate is still the attached one, attached
// no later than the request started: once the model detaches (SetDelegate(nullptr) at UnInit),
// completions still in flight are dropped, also when a delegate is attached again meanwhile
// (possibly a new model at the old address).
//
// Creation is guarded by a spin lock (any thread); everything else runs on the UI thread.
#pragma once

#include <cstdint>
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
  bool IsStillAttached(IAfterMeetingServiceDelegate* delegate, uint64_t attach_count) const;

  IAfterMeetingServiceDelegate* delegate_ = nullptr;
  uint64_t attach_count_ = 0;  // SetDelegate calls so far
};

}  // namespace after_meeting
