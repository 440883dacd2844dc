// The host's models as the module reaches them: model types, the events the module subscribes
// to, the calls it makes, and the keys of what crosses with them. The meaning of each id is the
// host's; these are the ones the module relies on.
#pragma once

#include <cstdint>

namespace after_meeting {
namespace host {

// Meeting model: the meeting's life cycle and its item and info.
namespace meeting {
inline constexpr int kModel = 514;
inline constexpr int kEventJoinComplete = 1;
inline constexpr int kEventLeaveComplete = 2;
inline constexpr int kEventClearMeetingData = 13;
inline constexpr int kEventPreJoin = 29;
inline constexpr int kEventPreLeave = 48;
inline constexpr int kCallGetMeetingItem = 3;
inline constexpr int kCallGetMeetingInfo = 8;
inline constexpr int kCallShowSummaryPage = 77;

// Answer of kCallGetMeetingItem.
inline constexpr char kKeyMeetingItem[] = "meeting_item";
// Meeting item.
inline constexpr char kKeyCurrentPeriodId[] = "current_period_id";
inline constexpr char kKeyCreatorUid[] = "creator_uid";
inline constexpr char kKeyMeetingCode[] = "meeting_code";
inline constexpr char kKeyCreatorAccountType[] = "creator_account_type";
inline constexpr char kKeyMeetingType[] = "meeting_type";
inline constexpr char kKeyDistrict[] = "district";
// Meeting info (answer of kCallGetMeetingInfo).
inline constexpr char kKeyMsMeetingId[] = "ms_meeting_id";
inline constexpr char kKeyMeetingSubject[] = "meeting_subject";
inline constexpr char kKeyMeetingTypeFlags[] = "meeting_type_flags";
inline constexpr char kKeyPmiCode[] = "pmi_code";
inline constexpr char kKeyCreateType[] = "create_type";
inline constexpr char kKeyAvRoomId[] = "av_room_id";
}  // namespace meeting

// The host's after-meeting app model: it hands over what the page needs and asks the module's
// questions through query events whose payload the module fills in.
namespace after_meeting_app {
inline constexpr int kModel = 1000054;
inline constexpr int kEventGetConclusionPageActive = 1;
inline constexpr int kEventGetAfterMeetingEnable = 3;
inline constexpr int kEventGetLeaveParams = 7;
inline constexpr int kEventSetFeedbackInfo = 8;
inline constexpr int kEventSetLeaveParams = 9;
inline constexpr int kEventGetHostNeedShowPage = 11;
inline constexpr int kEventSaveNeedHoldOnApp = 12;
inline constexpr int kEventNotifyKickOut = 13;
inline constexpr int kEventSetAiAssistantInfo = 14;
inline constexpr int kEventSetShouldShowConclusion = 15;
inline constexpr int kCallSetConclusionVisible = 0;
// The AI assistant's web page: "url", "wnd_size_width", "wnd_size_height".
inline constexpr int kCallGetAiAssistantPageInfo = 6;
inline constexpr char kKeyUrl[] = "url";
inline constexpr char kKeyWndSizeWidth[] = "wnd_size_width";
inline constexpr char kKeyWndSizeHeight[] = "wnd_size_height";

inline constexpr char kKeyVisible[] = "visible";
inline constexpr char kKeyLeaveReason[] = "leave_reason";
// Feedback configuration (JSON text of kEventSetFeedbackInfo).
inline constexpr char kKeyFeedback[] = "feedback";
// AI-assistant entry.
inline constexpr char kKeyEnable[] = "enable";
inline constexpr char kKeyAssistantName[] = "assistant_name";
}  // namespace after_meeting_app

// Host notification source.
namespace notification {
inline constexpr int kModel = 10005;
inline constexpr int kEventKickOut = 20410101;
}  // namespace notification

// Removal notice and its custom data (Base64 of a JSON object).
namespace kick_out {
inline constexpr char kKeyReason[] = "reason";
inline constexpr char kKeyCustomData[] = "custom_data";
inline constexpr char kKeySubReasonCode[] = "sub_reason_code";
inline constexpr char kKeyTitle[] = "title";
inline constexpr char kKeyContent[] = "content";
inline constexpr char kKeyButtons[] = "buttons";
inline constexpr char kKeyButtonVisible[] = "visible";
inline constexpr char kKeyButtonActionType[] = "action_type";
inline constexpr char kKeyButtonTitle[] = "title";
inline constexpr char kKeyButtonUrl[] = "url";
inline constexpr char kKeyButtonContext[] = "button_context";

// Only this reason carries pay content, and only this sub-reason is kept.
inline constexpr int kReasonWithPayContent = 2;
inline constexpr uint64_t kSubReasonPayOffer = 1;
inline constexpr int kActionTypePay = 1;
}  // namespace kick_out

// Record state.
namespace record_state {
inline constexpr int kModel = 1000018;
inline constexpr int kEventRecordStateChanged = 23;
inline constexpr char kKeyRecordState[] = "record_state";
inline constexpr char kKeyRecordType[] = "record_type";
inline constexpr int kStateStarted = 1;
inline constexpr int kStateRecorded = 2;
inline constexpr int kTypeCloud = 0;
}  // namespace record_state

// Records: whether the meeting's recording is ready.
namespace records {
inline constexpr int kModel = 1000043;
inline constexpr int kCallCheckRecordPreload = 13;
inline constexpr char kKeyMeetingId[] = "meeting_id";
inline constexpr char kKeySubMeetingId[] = "sub_meeting_id";
inline constexpr char kKeyRoomId[] = "room_id";
inline constexpr char kKeyNeedErase[] = "need_erase";
// Sent for a meeting without a period id.
inline constexpr char kNoSubMeetingId[] = "0";
}  // namespace records

// Operate banners.
namespace banner {
inline constexpr int kModel = 1000041;
inline constexpr int kCallQueryBanner = 5;
inline constexpr int kEventQueryBannerComplete = 6;
inline constexpr char kKeyTemplateKey[] = "template_key";
inline constexpr char kKeyMeetingId[] = "meeting_id";
inline constexpr char kKeySubMeetingId[] = "sub_meeting_id";
inline constexpr char kKeyShowBanner[] = "show_banner";
inline constexpr char kKeySummaryText[] = "summary_text";
inline constexpr char kTemplateMeetingSummaryGuide[] = "meeting_summary_guide";
inline constexpr char kTemplateMeetingSummaryCredit[] = "meeting_summary_credit";
// Answer keys beyond the ones above.
inline constexpr char kKeyExperimentId[] = "experiment_id";
inline constexpr char kKeyExperimentGroupId[] = "experiment_group_id";
inline constexpr char kKeyBannerId[] = "banner_id";
inline constexpr char kKeyBmId[] = "bm_id";
inline constexpr char kKeySummaryJumpText[] = "summary_jump_text";
inline constexpr char kKeySummaryIcon[] = "summary_icon";
inline constexpr char kKeyCarbonSubmit[] = "carbon_submit";
inline constexpr char kKeyRedirectType[] = "redirect_type";
inline constexpr char kKeyRedirectHref[] = "redirect_href";
inline constexpr char kKeyScheme[] = "scheme";
inline constexpr char kKeySelectedTabId[] = "selected_tab_id";
inline constexpr int kRedirectWeb = 1;
inline constexpr int kRedirectNative = 2;
}  // namespace banner

// Tells the host that a banner was shown.
namespace banner_shown {
inline constexpr int kModel = 10053;
inline constexpr int kCallBannerShown = 1;
inline constexpr char kKeyId[] = "id";
inline constexpr char kKeyBmId[] = "bm_id";
}  // namespace banner_shown

// Push messages; one kind asks for the carbon banner again.
namespace push {
inline constexpr int kModel = 10054;
inline constexpr int kEventReceivePushNotifyMsg = 0;
inline constexpr char kKeyNotifyType[] = "notify_type";
inline constexpr int kNotifyTypeCarbonBanner = 11;
}  // namespace push

// Priority events: the immersive-mode check before leaving, and room information.
namespace priority_events {
inline constexpr int kModel = 502;
inline constexpr int kEventPreLeaveImmersiveCheck = 10;
inline constexpr int kEventRoomInfoChanged = 54;
inline constexpr char kKeyCanEnterImmersiveMode[] = "can_enter_immersive_mode";
inline constexpr char kKeyReason[] = "reason";
}  // namespace priority_events

// Feedback reports: call kCallReport with a {"report", "data"} map, no result.
namespace feedback_report {
inline constexpr int kModel = 10048;
inline constexpr int kCallReport = 0x1504E711;
inline constexpr char kKeyReport[] = "report";
inline constexpr char kKeyData[] = "data";
}  // namespace feedback_report

// A host model whose subscriptions the conclusion page clears on detach, though it makes none.
inline constexpr int kModelClearedOnDetach = 523;

// Members: both events mean the host or a co-host changed.
namespace member {
inline constexpr int kModel = 508;
inline constexpr int kEventHostChanged = 6;
inline constexpr int kEventCoHostChanged = 7;
}  // namespace member

// Member queries.
namespace member_query {
inline constexpr int kModel = 10000003;
inline constexpr int kCallIsSelfHostOrCoHost = 0x289cd707;
}  // namespace member_query

// In-meeting window.
namespace inmeeting_window {
inline constexpr int kModel = 591;
inline constexpr int kEventActiveStateChanged = 14;
}  // namespace inmeeting_window

// Applications opened in the meeting.
namespace apps {
inline constexpr int kModel = 641;
inline constexpr int kCallGetOpenedApps = 32;
inline constexpr int kEventContentSourceChanged = 9;
inline constexpr char kKeyOpenAppId[] = "open_app_id";
inline constexpr char kKeyName[] = "name";
inline constexpr char kKeyExtensionId[] = "extension_id";
// The native AI app's meeting-assistant content.
inline constexpr char kMeetingAssistantExtensionId[] = "extension:appbox.meeting_assistant_content";
// The app that is kept in front of the list.
inline constexpr char kHoldOnAppId[] = "native-457520021246070445";
}  // namespace apps

// Configuration: entries by group and key.
namespace configuration {
inline constexpr int kModel = 539;
inline constexpr int kCallGetEntry = 1;
inline constexpr char kKeyGroupId[] = "group_id";
inline constexpr char kKeyId[] = "id";
inline constexpr char kGroupAfterMeeting[] = "after_meeting";

inline constexpr char kConclusionEnable[] = "after_meeting_conclusion_enable_v2";
inline constexpr char kAutoDismissEnable[] = "after_meeting_conclusion_auto_dismiss_enable_desktop";
inline constexpr char kDismissTimeoutHost[] = "conclusion_after_meeting_dismiss_timeout_host";
inline constexpr char kDismissTimeout[] = "conclusion_after_meeting_dismiss_timeout";
inline constexpr char kHostShowDefaultContent[] = "host_show_default_content";
inline constexpr char kHostShowDefaultContentAndFuncGuide[] =
    "host_show_default_content_and_func_guide";
}  // namespace configuration

}  // namespace host
}  // namespace after_meeting
