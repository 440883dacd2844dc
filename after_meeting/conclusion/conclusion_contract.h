// The conclusion page's contract between its view model and its view: property and action
// ids, every key of the maps that cross, the content-list item types, the conclusion record
// the view model keeps, the texts it looks up, the extensions it hosts and the reports it sends.
#pragma once

#include <cstdint>

namespace after_meeting {
namespace conclusion {

// Properties (view model -> view).
inline constexpr int kPropConclusionUiData = 400028;       // map, ui_data keys
inline constexpr int kPropConclusionContentList = 119650;  // array of content_item maps
inline constexpr int kPropConfirmButtonText = 719990;      // map, confirm_button keys
inline constexpr int kPropThirdAppShow = 895208;           // bool
inline constexpr int kPropConclusionFlag350093 = 350093;   // bound by the view, never set

// Actions (view -> view model).
inline constexpr int kActionJumpPayPage = 0x1F07F08;
inline constexpr int kActionBenefitArea = 0x55E458F;  // int32 item type of the clicked row
inline constexpr int kActionClosePage = 0x647977F;
inline constexpr int kActionCarbonClick = 0x1BB38A66;
inline constexpr int kActionThumbsDown = 0x1F88279A;
inline constexpr int kActionStopCountDown = 0x2E047E2C;
inline constexpr int kActionThumbsUp = 0x3744ECCA;

// Any action parameter map may carry this; its value is sent as a bare report first.
inline constexpr char kKeyStatisticsReportId[] = "statistics_report_id";

namespace ui_data {
inline constexpr char kShowDefaultUi[] = "AfterMeetingConclusionUiDataFields_kBooleanShowDefaultUi";
inline constexpr char kTitle[] = "AfterMeetingConclusionUiDataFields_kStringTitle";
inline constexpr char kCouldRecordVisible[] =
    "AfterMeetingConclusionUiDataFields_kBooleanCouldRecordVisible";
inline constexpr char kIsParticipant[] = "AfterMeetingConclusionUiDataFields_kBooleanIsParticipant";
inline constexpr char kParticipant[] = "AfterMeetingConclusionUiDataFields_kStringParticipant";
inline constexpr char kParticipantVisible[] =
    "AfterMeetingConclusionUiDataFields_kBooleanParticipantVisible";
inline constexpr char kStartTime[] = "AfterMeetingConclusionUiDataFields_kStringStartTime";
inline constexpr char kMeetingDuration[] =
    "AfterMeetingConclusionUiDataFields_kStringMeetingDuration";
inline constexpr char kCarbonVisible[] = "AfterMeetingConclusionUiDataFields_kBooleanCarbonVisible";
inline constexpr char kCarbonTitle[] = "AfterMeetingConclusionUiDataFields_kStringCarbonTitle";
inline constexpr char kCarbonUrl[] = "AfterMeetingConclusionUiDataFields_kStringCarbonUrl";
inline constexpr char kCarbonPath[] = "AfterMeetingConclusionUiDataFields_kStringCarbonPath";
inline constexpr char kPayContentText[] =
    "AfterMeetingConclusionUiDataFields_kStringPayContentText";
inline constexpr char kPayInfoVisible[] =
    "AfterMeetingConclusionUiDataFields_kBooleanPayInfoVisible";
inline constexpr char kPayLinkText[] = "AfterMeetingConclusionUiDataFields_kStringPayLinkText";
inline constexpr char kPayButtonTitle[] =
    "AfterMeetingConclusionUiDataFields_kStringPayButtonTitle";
}  // namespace ui_data

namespace content_item {
inline constexpr char kItemType[] = "AfterMeetingConclusionContentListFields_kIntegerItemType";
inline constexpr char kContent[] = "AfterMeetingConclusionContentListFields_kStringItemContent";
inline constexpr char kDesc[] = "AfterMeetingConclusionContentListFields_kStringItemDesc";
inline constexpr char kFeedbackLikeTips[] =
    "AfterMeetingConclusionContentListFields_kStringItemFeedbackLikeTips";
inline constexpr char kFeedbackDislikeTips[] =
    "AfterMeetingConclusionContentListFields_kStringItemFeedbackDislikeTips";
inline constexpr char kIsFeedbackDone[] =
    "AfterMeetingConclusionContentListFields_kBooleanItemIsFeedbackDone";
inline constexpr char kIconPath[] = "AfterMeetingConclusionContentListFields_kStringItemIconPath";
inline constexpr char kIconUrl[] = "AfterMeetingConclusionContentListFields_kStringItemIconUrl";
}  // namespace content_item

// Content-list item types, also the parameter of kActionBenefitArea.
inline constexpr int32_t kItemTypeSummaryGuide = 1;
inline constexpr int32_t kItemTypeRetainedApps = 2;
inline constexpr int32_t kItemTypeFeedback = 3;
inline constexpr int32_t kItemTypeAiAssistant = 4;

namespace confirm_button {
inline constexpr char kText[] = "text";
inline constexpr char kSeconds[] = "seconds";
inline constexpr char kIsCountDown[] = "is_count_down";
}  // namespace confirm_button

// The conclusion record the view model keeps (also handed to the record extension).
namespace record {
inline constexpr char kIsHasRecord[] = "is_has_record";
inline constexpr char kShowRecord[] = "show_record";
inline constexpr char kIsDarkStyle[] = "is_dark_style";
inline constexpr char kIsHost[] = "is_host";
inline constexpr char kMeetingId[] = "meeting_id";
inline constexpr char kSubMeetingId[] = "sub_meeting_id";
inline constexpr char kMeetingCode[] = "meeting_code";
inline constexpr char kCreatorUid[] = "creator_uid";
inline constexpr char kCreatorAccountType[] = "creator_account_type";
inline constexpr char kRoleType[] = "role_type";
inline constexpr char kRoomId[] = "room_id";
inline constexpr char kDismissTimeOut[] = "dismiss_time_out";
inline constexpr char kIsInfoGot[] = "is_info_got";
inline constexpr char kDurationTime[] = "duration_time";
inline constexpr char kCumulativeTime[] = "cumulative_time";
inline constexpr char kBeginTime[] = "begin_time";
inline constexpr char kEndTime[] = "end_time";
inline constexpr char kJoinTime[] = "join_time";
inline constexpr char kJoinUidNum[] = "join_uid_num";
inline constexpr char kEnterMeetingTime[] = "enter_meeting_time";
}  // namespace record

// The feedback configuration: states, and the keys read in them.
namespace feedback {
inline constexpr char kEvaluateState[] = "EvaluateState";
inline constexpr char kResultState[] = "ResultState";
inline constexpr char kCloseState[] = "CloseState";
inline constexpr char kTitle[] = "title";
inline constexpr char kDesc[] = "desc";
inline constexpr char kLeft[] = "left";
inline constexpr char kRight[] = "right";
inline constexpr char kText[] = "text";
inline constexpr char kReport[] = "report";
// The finish parameter of a like.
inline constexpr char kThumbsUp[] = "thumbs_up";
inline constexpr char kThumbsDown[] = "thumbs_down";
}  // namespace feedback

// Hold-on apps and the AI assistant's web page.
namespace assistant_page {
inline constexpr char kMeetingId[] = "meeting_id";
inline constexpr char kWebPageSceneTag[] = "web_page_scene_tag";
inline constexpr char kWndSizeWidth[] = "wnd_size_width";
inline constexpr char kWndSizeHeight[] = "wnd_size_height";
inline constexpr char kShowMaxBtn[] = "show_max_btn";
inline constexpr char kShowMinBtn[] = "show_min_btn";
inline constexpr char kFixSize[] = "fix_size";
inline constexpr char kHideToolbar[] = "hide_toolbar";
inline constexpr char kTopMost[] = "top_most";
inline constexpr char kSceneAfterMeeting[] = "afterMeeting";
inline constexpr char kQueryMid[] = "mid";
inline constexpr char kQueryFrom[] = "from";
inline constexpr char kFromAfterMeeting[] = "after_meeting";
inline constexpr char kFromScheme[] = "velmo://page/ai_helper";
}  // namespace assistant_page

// Banner jumps.
namespace banner_jump {
inline constexpr char kFrom[] = "from";
inline constexpr char kFromOperatingBanner[] = "operating_banner_router_flag";
inline constexpr char kFromSchemeWeb[] = "historical_meetings_detail_view_banner";
}  // namespace banner_jump

// Immersive-mode refusal while the page shows.
inline constexpr char kImmersiveRefusalReason[] = "AfterMeetingConclusionViewShowing";

// Icons, in raw/after_meeting of the application's resource directory.
namespace icons {
inline constexpr char kRawDir[] = "raw";
inline constexpr char kModuleDir[] = "after_meeting";
inline constexpr char kFeedback[] = "feedback_icon.png";
inline constexpr char kAi[] = "ai_icon.png";
inline constexpr char kApp[] = "app_icon.png";
inline constexpr char kGuide[] = "guide_icon.png";
inline constexpr char kCarbon[] = "carbon_icon.svg";
}  // namespace icons

// Texts: the host's string tables (host and asset) and the module's own (module).
namespace text {
inline constexpr int kHostTitle = 0x4D317073;                                 // asset
inline constexpr int kParticipantTitle = 0x09BF9C13;                          // asset
inline constexpr int kPayButtonCreatorTrial = static_cast<int>(0xD2E97150u);  // asset
inline constexpr int kPayButtonOther = 0x37277B4E;                            // asset
inline constexpr int kAppDescription = static_cast<int>(0xFDB11B1Bu);         // asset
inline constexpr uint32_t kDurationPrefix = 0x38739E94;                       // module
inline constexpr uint32_t kParticipantCount = 0xA2A57759;      // module, {participant_number}
inline constexpr uint32_t kCumulativeTimePrefix = 0x466F634F;  // module
inline constexpr uint32_t kSingleApp = 0xC62D0DA2;             // module, {app_name}
inline constexpr uint32_t kMultiApp = 0xDF0DE184;              // module, {app_name} {app_number}
inline constexpr int kCloseButton = static_cast<int>(0x92B43A53u);  // host
inline constexpr int kCountDownSuffix = 0x56D34065;                 // host format, {seconds}
inline constexpr char kArgParticipantNumber[] = "participant_number";
inline constexpr char kArgAppName[] = "app_name";
inline constexpr char kArgAppNumber[] = "app_number";
inline constexpr char kArgSeconds[] = "seconds";
}  // namespace text

// What assistive tools say about the page's controls (module table); the controls' visible
// texts are their names.
namespace accessible_text {
inline constexpr uint32_t kPage = 0x7A0C4E11;             // the page's name
inline constexpr uint32_t kCarbonEntry = 0x7A0C4E12;      // description
inline constexpr uint32_t kUpgradeButton = 0x7A0C4E13;    // description
inline constexpr uint32_t kLikeButton = 0x7A0C4E14;       // description
inline constexpr uint32_t kDislikeButton = 0x7A0C4E15;    // description
inline constexpr uint32_t kAiCell = 0x7A0C4E16;           // description
inline constexpr uint32_t kAppsCell = 0x7A0C4E17;         // description
inline constexpr uint32_t kGuideCell = 0x7A0C4E18;        // description
inline constexpr uint32_t kConfirmButton = 0x7A0C4E19;    // description
inline constexpr uint32_t kRecordContainer = 0x7A0C4E1A;  // name
}  // namespace accessible_text

// Contributed extensions.
inline constexpr char kContributesId[] = "contributes:after_meeting.conclusion";
inline constexpr char kRecordExtensionId[] = "extension:after_meeting.record";
inline constexpr char kEventInitCloudRecordingParams[] = "InitCloudRecordingParams";

// How the meeting ended, for reports.
inline constexpr char kEndTypeInitiative[] = "initiative_end";
inline constexpr char kEndTypeAuto[] = "auto_end";

// Reports and their properties.
namespace report {
inline constexpr char kAllExposure[] = "e#meeting_recab#all#exposure";
inline constexpr char kMeetingInfoExposure[] = "e#meeting_recab#meeting_info#exposure";
inline constexpr char kLimitEndIntroExposure[] = "e#meeting_recab#limit_end_intro#exposure";
inline constexpr char kFeedbackExposure[] = "e#meeting_recab#feedback#exposure";
inline constexpr char kRetainAppsExposure[] = "e#meeting_recab#retain_apps#exposure";
inline constexpr char kIntroductionExposure[] = "e#meeting_recab#introduction#exposure";
inline constexpr char kCarbonRecordExposure[] = "e#meeting_recab#carbon_record#exposure";
inline constexpr char kIntroductionClick[] = "e#meeting_recab#introduction#click";
inline constexpr char kRetainAppsClick[] = "e#meeting_recab#retain_apps#click";
inline constexpr char kCarbonRecordClick[] = "e#meeting_recab#carbon_record#click";
inline constexpr char kLimitGoToUpgradeClick[] = "e#meeting_recab#limit_go_to_upgrade#click";
inline constexpr char kCloseClick[] = "e#meeting_recab#close#click";
inline constexpr char kAutoCloseClick[] = "e#meeting_recab#auto_close#click";
inline constexpr char kFeedbackThumbUpClick[] = "e#meeting_recab#feedback_thumbup#click";
inline constexpr char kFeedbackThumbDownClick[] = "e#meeting_recab#feedback_thumbdown#click";
inline constexpr char kTagSelectionExposure[] =
    "e#meeting_recab_feedback_thumbdown#tag_selection#exposure";
inline constexpr char kTagSelectionSubmitClick[] =
    "e#meeting_recab_feedback_thumbdown#tag_selection_submit#click";

inline constexpr char kEndType[] = "end_type";
inline constexpr char kAppsCount[] = "apps_count";
inline constexpr char kRetainApps[] = "retain_apps";
inline constexpr char kTaskId[] = "task_id";
inline constexpr char kExperimentId[] = "experiment_id";
inline constexpr char kExperimentGroupId[] = "experiment_group_id";
inline constexpr char kIsCloudRecord[] = "is_cloud_record";
inline constexpr char kCarbonSubmit[] = "carbon_submit";
inline constexpr char kMid[] = "mid";
// Common properties.
inline constexpr char kMeetingTrialType[] = "meeting_trial_type";
inline constexpr char kIsCreator[] = "is_creator";
inline constexpr char kUserRole[] = "user_role";
inline constexpr char kPreMeetingId[] = "pre_meeting_id";
inline constexpr char kPreMeetingCode[] = "pre_meeting_code";
inline constexpr char kEndTimeStamp[] = "end_time_stamp";
}  // namespace report

}  // namespace conclusion
}  // namespace after_meeting
