// The after-meeting model's contract with the pages and the host: the events it fires, the calls
// it serves, and the keys of the maps it hands out.
#pragma once

namespace after_meeting {

// Events fired by the model.
inline constexpr int kEventConclusionInfoComplete = 16230300;  // meeting-end info map
inline constexpr int kEventConclusionInfo = 239737298;      // the leave parameters
inline constexpr int kEventSetCloseMeetingContainerPage = 0x15429d49;  // container page number
inline constexpr int kEventFeedbackFinish = 279450670;             // the call's params
inline constexpr int kEventFeedbackInfo = 936690001;               // feedback info map

// Calls served by the model.
inline constexpr int kCallGetAfterMeetingConclusionInfo = 0x48155932;
inline constexpr int kCallSetConclusionPageVisible = 0xb9eaadd;
inline constexpr int kCallGetHoldOnAppList = 0x41a7cb77;
inline constexpr int kCallGetAfterMeetingEnable = 0x157fae1b;
inline constexpr int kCallResetHoldOnAppList = 0x13346f72;
inline constexpr int kCallGetKickOutPayInfo = 0x811b898;
inline constexpr int kCallGetRoomInfo = 0x1334a436;
inline constexpr int kCallResetAfterMeetingData = 0x2d9e3cfd;
inline constexpr int kCallSetCloseMeetingContainerPage = 0x1865a4d7;
inline constexpr int kCallSetFeedbackFinish = 0x9e3f7db;
inline constexpr int kCallGetFeedbackInfo = 0x2e224fbd;
inline constexpr int kCallGetAiAssistantInfo = 0x1810b600;

// Container pages.
inline constexpr int kContainerPageConclusion = 1;
inline constexpr int kContainerPageFeedback = 2;

// The snapshot of the meeting being left (kCallGetRoomInfo, kEventConclusionInfo, and the
// host's leave-params query).
namespace leave_params {
inline constexpr char kIsDarkStyle[] = "is_dark_style";
inline constexpr char kIsHost[] = "is_host";
inline constexpr char kRoleType[] = "role_type";
inline constexpr char kIsOnlyHost[] = "is_only_host";
inline constexpr char kMeetingCode[] = "meeting_code";
inline constexpr char kCreatorUid[] = "creator_uid";
inline constexpr char kCreatorAccountType[] = "creator_account_type";
inline constexpr char kMeetingType[] = "meeting_type";
inline constexpr char kDistrict[] = "district";
inline constexpr char kSubMeetingId[] = "sub_meeting_id";
inline constexpr char kMeetingId[] = "meeting_id";
inline constexpr char kMsMeetingId[] = "ms_meeting_id";
inline constexpr char kMeetingSubject[] = "meeting_subject";
inline constexpr char kMeetingTypeFlags[] = "meeting_type_flags";
inline constexpr char kPmiCode[] = "pmi_code";
inline constexpr char kCreateType[] = "create_type";
inline constexpr char kDismissTimeOut[] = "dismiss_time_out";
inline constexpr char kOpenRoomNum[] = "open_room_num";
inline constexpr char kLeaveReason[] = "leave_reason";
inline constexpr char kShowConclusion[] = "show_conclusion";
inline constexpr char kIsCreator[] = "is_creator";
inline constexpr char kIsHasRecord[] = "is_has_record";
inline constexpr char kShowRecord[] = "show_record";
}  // namespace leave_params

// Params of kCallGetAfterMeetingConclusionInfo.
namespace conclusion_request {
inline constexpr char kMeetingId[] = "meeting_id";
inline constexpr char kSubMeetingId[] = "sub_meeting_id";
inline constexpr char kOpenRoomNum[] = "open_room_num";
inline constexpr char kMeetingType[] = "meeting_type";
}  // namespace conclusion_request

// Payload of kEventConclusionInfoComplete.
namespace conclusion_info {
inline constexpr char kBizCode[] = "biz_code";
inline constexpr char kMsg[] = "msg";
inline constexpr char kStatusCode[] = "status_code";
inline constexpr char kBasicInfo[] = "basic_info";
inline constexpr char kBeginTime[] = "begin_time";
inline constexpr char kDurationTime[] = "duration_time";
inline constexpr char kJoinUidNum[] = "join_uid_num";
inline constexpr char kJoinTime[] = "join_time";
inline constexpr char kCumulativeTime[] = "cumulative_time";
// The back end's "try again" answer; the model re-requests once at once.
inline constexpr int kBizCodeRetry = -100;
}  // namespace conclusion_info

// Result of kCallGetKickOutPayInfo.
namespace kick_out_pay_info {
inline constexpr char kHasPayInfo[] = "has_pay_info";
inline constexpr char kTitle[] = "title";
inline constexpr char kContent[] = "content";
inline constexpr char kPayText[] = "pay_text";
inline constexpr char kPayUrl[] = "pay_url";
inline constexpr char kPayButtonText[] = "pay_button_text";
}  // namespace kick_out_pay_info

// Result of kCallGetAiAssistantInfo.
namespace ai_assistant_info {
inline constexpr char kEnable[] = "enable";
inline constexpr char kAssistantName[] = "assistant_name";
}  // namespace ai_assistant_info

}  // namespace after_meeting
