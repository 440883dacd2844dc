// Names and ids the module is known by.
#pragma once

namespace after_meeting {

inline constexpr char kModuleName[] = "after_meeting";
inline constexpr char kCloseMeetingContainerUri[] =
    "velmo://page/after_meeting/close_meeting_conclusion";

// Model and view-model types, compared exactly.
inline constexpr int kTypeAfterMeetingModel = 0x1F1B781C;
inline constexpr int kTypeCloseMeetingContainerViewModel = 0x15DBB391;
inline constexpr int kTypeAfterMeetingFeedbackViewModel = 0x185C49EA;
inline constexpr int kTypeAfterMeetingConclusionViewModel = 0x2EFE6785;

// Written into the manifest at activation: 32 lowercase hexadecimal characters, fixed per build
// (set by the build from the project version).
#ifndef AFTER_MEETING_BUILD_ID
#define AFTER_MEETING_BUILD_ID "00000000000000000000000000000000"
#endif
inline constexpr char kBuildIdentifier[] = AFTER_MEETING_BUILD_ID;

}  // namespace after_meeting
