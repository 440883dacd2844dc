// The feedback page's data contract: the properties its view model publishes, the actions its
// view sends, the keys of both, and the keys of the configuration and report it works with.
#pragma once

#include <cstdint>

namespace after_meeting {
namespace feedback {

// Properties (view model -> view).
inline constexpr int kPropFeedbackUiData = 503100;
inline constexpr int kPropFeedbackConfirm = 830069;
inline constexpr int kPropFeedbackTagList = 862336;

// Actions (view -> view model).
inline constexpr int kActionFeedbackBack = 0x237EF;
inline constexpr int kActionClickTagListItem = 0x598A9;
inline constexpr int kActionUpdateOtherProblemsContent = 0x94A71;
inline constexpr int kActionClickSubmitButton = 0x9A787;
inline constexpr int kActionFeedbackState1 = 0xBBBFE;
inline constexpr int kActionFeedbackState2 = 0xF2149;

// Page states. Detailed report fields are sent only once the page data exists (1 or 2).
inline constexpr int kStateNoPageData = 0;
inline constexpr int kState1 = 1;
inline constexpr int kState2 = 2;

// The free text is cut to this many characters by the view.
inline constexpr int kOtherQuestionLengthLimit = 150;

// kPropFeedbackUiData.
namespace ui_data {
inline constexpr char kTitle[] = "AfterMeetingFeedbackFeedbackStateUiDataFields_kStringTitle";
inline constexpr char kEditContentHintText[] =
    "AfterMeetingFeedbackFeedbackStateUiDataFields_kStringEditContentHintText";
inline constexpr char kOtherQuestionPlaceholder[] =
    "AfterMeetingFeedbackFeedbackStateUiDataFields_kStringOtherQuestionPlaceholder";
inline constexpr char kOtherQuestionLengthLimit[] =
    "AfterMeetingFeedbackFeedbackStateUiDataFields_kIntegerOtherQuestionLengthLimit";
}  // namespace ui_data

// kPropFeedbackConfirm.
namespace confirm {
inline constexpr char kText[] = "AfterMeetingFeedbackFeedbackStateConfirmFields_kStringText";
inline constexpr char kEnable[] = "AfterMeetingFeedbackFeedbackStateConfirmFields_kBooleanEnable";
}  // namespace confirm

// Entries of kPropFeedbackTagList.
namespace tag {
inline constexpr char kId[] = "id";
inline constexpr char kMessage[] = "message";
}  // namespace tag

// Params of kActionClickTagListItem.
namespace click {
inline constexpr char kId[] = "AfterMeetingFeedbackClickTagListItemFields_kStringId";
inline constexpr char kIsSelected[] =
    "AfterMeetingFeedbackClickTagListItemFields_kBooleanIsSelected";
}  // namespace click

// Any action's param map may name an analytics event to send first.
inline constexpr char kStatisticsReportId[] = "statistics_report_id";

// The configuration: the "feedback" object of the model's feedback info.
namespace config {
inline constexpr char kFeedbackState[] = "FeedbackState";
inline constexpr char kTitle[] = "title";
inline constexpr char kInput[] = "input";
inline constexpr char kReport[] = "report";
inline constexpr char kList[] = "list";
inline constexpr char kListRand[] = "list_rand";
inline constexpr char kConfirm[] = "confirm";
inline constexpr char kConfirmText[] = "text";
inline constexpr char kConfirmReport[] = "report";
}  // namespace config

// The report map sent to the host's report model, and its "data" (also the feedback-finish
// parameter).
namespace report {
inline constexpr char kReport[] = "report";
inline constexpr char kData[] = "data";
inline constexpr char kThumbsDown[] = "thumbs_down";
inline constexpr char kTimeConsumed[] = "time_consumed";
inline constexpr char kOtherProblems[] = "other_problems";
inline constexpr char kProblems[] = "problems";
inline constexpr char kYes[] = "1";
}  // namespace report

// Values of a tag's selection record.
inline constexpr char kTagSelected[] = "1";
inline constexpr char kTagNotSelected[] = "0";

// Texts of the module's own string table that name the page's controls for assistive tools.
namespace a11y {
inline constexpr uint32_t kPageName = 0x4E61B20Cu;
inline constexpr uint32_t kPageDescription = 0x4E61B20Du;
inline constexpr uint32_t kBackName = 0x6B3E21A4u;
inline constexpr uint32_t kBackDescription = 0x6B3E21A5u;
inline constexpr uint32_t kTitleDescription = 0x6B3E21A6u;
inline constexpr uint32_t kTagDescription = 0x1C7D5E30u;
inline constexpr uint32_t kOtherProblemsName = 0x3F0A9B12u;
inline constexpr uint32_t kOtherProblemsDescription = 0x3F0A9B13u;  // {limit}
inline constexpr uint32_t kCounterName = 0x52E8C7A0u;               // {used} {limit}
inline constexpr uint32_t kCounterDescription = 0x52E8C7A1u;
inline constexpr uint32_t kSubmitDescription = 0x7D44B0E1u;
inline constexpr char kArgUsed[] = "used";
inline constexpr char kArgLimit[] = "limit";
}  // namespace a11y

}  // namespace feedback
}  // namespace after_meeting
