// AfterMeetingModel: the module's one model. It follows the meeting life cycle through the
// host's models, keeps the snapshot of the meeting being left, decides whether the conclusion
// page is shown, fetches the meeting-end info and serves the pages' calls (ids in model_ids.h).
//
// UI thread only; the meeting-end completion arrives through the service on the thread the
// request layer completes on (the main thread).
#pragma once

#include <cstdint>

#include "after_meeting/model/after_meeting_service.h"
#include "platform/base/variant.h"
#include "platform/framework/model.h"

namespace after_meeting {

class AfterMeetingModel : public framework::ModelImpl, public IAfterMeetingServiceDelegate {
 public:
  using Variant = base::variant::Variant;

  AfterMeetingModel();
  ~AfterMeetingModel() override;

  bool Init(const Variant* params) override;
  void UnInit() override;
  bool Call(int call_id, const Variant* params, Variant* result) override;

  void OnGetMeetingEndPopUpInfo(const PluginGetMeetingEndPopUpInfoReqInfo& info,
                                const Result* result) override;

 private:
  using Handler = void (AfterMeetingModel::*)(const Variant*);
  struct HostSubscription {
    int model;
    int event;
    Handler handler;
  };
  static const HostSubscription kHostSubscriptions[];

  // Meeting life cycle.
  void OnEventJoinComplete(const Variant* params);
  void OnEventPreJoin(const Variant* params);
  void OnEventClearMeetingData(const Variant* params);
  void OnEventPreLeave(const Variant* params);
  void OnEventLeaveComplete(const Variant* params);
  // Queries of the host's after-meeting app model, answered into their payload.
  void OnEventGetConclusionPageActive(const Variant* out);
  void OnEventGetAfterMeetingEnable(const Variant* out);
  void OnEventGetLeaveParams(const Variant* out);
  void OnEventGetHostNeedShowPage(const Variant* out);
  // What the host hands over.
  void OnEventSetFeedbackInfo(const Variant* params);
  void OnEventSetAiAssistantInfo(const Variant* params);
  void OnEventSetLeaveParams(const Variant* params);
  void OnEventSaveNeedHoldOnApp(const Variant* params);
  void OnEventNotifyKickOut(const Variant* params);
  void OnEventSetShouldShowConclusion(const Variant* params);
  void OnEventRecordStateChanged(const Variant* params);
  void OnEventQueryAfterMeetingBannerComplete(const Variant* params);
  void OnEventMeetingHostChange(const Variant* params);
  void OnEventInmeetingWindowActiveStateChanged(const Variant* params);

  // Clears what the host handed over for the last meeting; the full reset also forgets the
  // kick-out, banner and hold-on state.
  void ClearMeetingData();
  void ResetMeetingData();

  // Conclusion-page decision and configuration.
  bool HostNeedShowConclusionPage();
  bool HostShowDefaultContentEnable();
  bool HostShowDefaultContentAndFuncGuideEnable();
  int GetDismissTimeout();
  void CheckRecordPreloadState();
  void HostQueryOperateBanner();
  void QueryOperateBanner();

  // Calls offered to the pages.
  bool InvokeCallGetAfterMeetingConclusionInfo(const Variant* params, Variant* result);
  bool InvokeCallSetConclusionPageVisible(const Variant* params, Variant* result);
  bool InvokeGetHoldOnAppList(const Variant* params, Variant* result);
  bool InvokeGetAfterMeetingEnable(const Variant* params, Variant* result);
  bool InvokeResetHoldOnAppList(const Variant* params, Variant* result);
  bool InvokeCallGetKickOutPayInfo(const Variant* params, Variant* result);
  bool InvokeCallGetRoomInfo(const Variant* params, Variant* result);
  bool InvokeCallResetAfterMeetingData(const Variant* params, Variant* result);
  bool InvokeCallSetCloseMeetingContainerPage(const Variant* params, Variant* result);
  bool InvokeCallSetFeedbackFinish(const Variant* params, Variant* result);
  bool InvokeCallGetFeedbackInfo(const Variant* params, Variant* result);
  bool InvokeCallGetAiAssistantInfo(const Variant* params, Variant* result);

  bool conclusion_page_visible_ = false;
  Variant kick_out_info_;
  Variant leave_params_;
  Variant feedback_info_;
  Variant ai_assistant_info_;
  int32_t retry_times_ = 0;
  bool need_hold_on_app_ = false;
  Variant operate_banner_info_;
};

}  // namespace after_meeting
