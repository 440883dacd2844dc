// AfterMeetingConclusionViewModel: the meeting conclusion page's logic. It gathers the meeting
// that just ended from the after-meeting model and the host's models, publishes it as page data
// (conclusion_contract.h), handles the page's actions, sends the page's reports, counts the
// page down to closing itself and hosts the cloud-record extension.
//
// UI thread only. Timers hold weak references, so a destroyed view model is never called back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "platform/base/variant.h"
#include "platform/common/analytics.h"
#include "platform/common/timer.h"
#include "platform/framework/authorize_view_model.h"
#include "platform/framework/contributes_view_model.h"
#include "platform/framework/view_model.h"

namespace after_meeting {

class AfterMeetingConclusionViewModel
    : public velmo::AuthorizeViewModelT<
          velmo::ContributesViewModelT<framework::StatefulViewModel>> {
 public:
  using Variant = base::variant::Variant;
  using Base =
      velmo::AuthorizeViewModelT<velmo::ContributesViewModelT<framework::StatefulViewModel>>;

  AfterMeetingConclusionViewModel();
  ~AfterMeetingConclusionViewModel() override;

  void OnViewAttached(const Variant* params) override;
  void OnViewDetached() override;
  void OnUpdateItem(const Variant* item) override;
  void* GetViewContext() const override;
  void SortContributedExtensions() override;

 protected:
  void HandleAction(int action, const Variant* param) override;
  void OnAuthorizeStateUpdate(const Variant* params) override;

 private:
  using Properties = velmo_common::utils::analytics::Properties;

  // Loading (attach, model and host events).
  void LoadFeedbackConfig();
  void SubscribeEvents();
  void OnGetAfterMeetingConclusionInfo(const Variant* param);
  void OnGetAfterMeetingConclusionInfoComplete(const Variant* result);
  void OnFeedbackInfo(const Variant* param);
  void OnContentSourceChanged(const Variant* param);
  void OnRoomInfoChanged(const Variant* param);
  void OnEventRecordStateChanged(const Variant* param);
  void OnEventJoinComplete(const Variant* param);
  void OnEventPreJoin(const Variant* param);
  void OnPreLeaveImmersiveCheck(Variant* param, bool* handled);
  void HideThirdAppsAndLeaveImmersive();
  void UpdateUiData();
  void UpdateContentList();
  void ClosePage();

  // Actions.
  void HandleActionJumpPayPage();
  void OpenUpgradeWebview(const std::string& url);
  void HandleActionBenefitArea(const Variant* param);
  void ShowAfterMeetingAssistantApp();
  void ShowThirdApps();
  void HandleActionCarbonClick();
  void HandleActionClosePage(const Variant* param);
  void HandleActionThumbsUp();
  void HandleActionThumbsDown();
  void FeedbackReport(const char* side, const char* key);
  void OnFeedbackFinish(const Variant* param);
  // Title and description of a feedback state.
  std::pair<std::string, std::string> GetFeedbackTexts(const char* state) const;
  Properties AppsReportProps() const;
  Properties IntroductionReportProps() const;
  Properties CarbonReportProps() const;
  void ReportWithCommonProps(const std::string& event_id, Properties properties);

  // Countdown.
  void StartSummaryPageCloseBtnCountdown();
  void OnCountDownTick(int32_t dismiss);
  void StopSummaryPageCountdown();
  void UpdateCountDownText(int32_t seconds);
  void HandleActionStopCountDown(const Variant* param);

  // Banners.
  void QueryOperateBanner();
  void OnEventQueryAfterMeetingBannerComplete(const Variant* param);
  void OnEventMeetingReceivePushNotifyMsg(const Variant* param);
  void OnOperateBannerComplete(const Variant& param);
  void OnCarbonBannerComplete(const Variant& param);
  void ReportBannerShown(const Variant& banner);
  void HandleBannerJump(const Variant& banner);

  Variant conclusion_info_;
  Variant operate_banner_;
  Variant carbon_banner_;
  Variant kick_pay_info_ = Variant::MakeMap();
  bool info_received_ = false;
  bool extensions_activated_ = false;
  std::string end_type_;
  std::string retain_apps_;
  int32_t apps_count_ = 0;
  uint64_t carbon_submit_ = 0;
  std::string experiment_id_;
  std::string experiment_group_id_;
  std::string task_id_;
  uint64_t attach_time_ms_ = 0;
  bool record_started_ = false;
  bool all_exposure_reported_ = false;
  std::unique_ptr<velmo_common::utils::timer::VLTimer> summary_page_timer_;
  std::unique_ptr<velmo_common::utils::timer::VLTimer> feedback_toast_timer_;
  uint32_t count_down_elapsed_ = 0;
  bool has_feedback_ = false;
  bool feedback_done_ = false;
  Variant feedback_config_;
};

}  // namespace after_meeting
