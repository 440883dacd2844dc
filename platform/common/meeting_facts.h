// velmo_common::utils: what the client knows about the current meeting and the signed-in
// account. The host (the simulator, a test) sets the facts; modules read them.
//
//   velmo_common::utils::MeetingFacts facts;
//   facts.meeting_id = "8812345678";
//   velmo_common::utils::SetMeetingFacts(facts);
//
// UI thread only.
#pragma once

#include <cstdint>
#include <string>

#include "platform/base/variant.h"

namespace velmo_common {
namespace utils {

struct MeetingFacts {
  std::string meeting_id;
  std::string meeting_code;
  std::string sub_meeting_id;
  std::string app_uid;
  std::string app_id;
  bool in_breakout_room = false;
  uint64_t breakout_main_meeting_id = 0;
  uint64_t breakout_main_av_room_id = 0;
  int account_type = 0;
  bool under_store_review = false;
  bool participant_record_enable = false;
};

void SetMeetingFacts(const MeetingFacts& facts);
const MeetingFacts& GetMeetingFacts();

// True and the current meeting id in out, or false (out emptied) when there is none.
bool GetStrMeetingId(std::string& out);
std::string GetCurrentMeetingCode();
std::string GetSubMeetingId();
std::string GetSelfAppUid();
std::string GetSelfAppId();
// Whether the local user created the meeting item (its "creator_uid" is the local app uid).
bool IsMeetingCreator(const base::variant::Variant* meeting_item);
bool IsAfterMeetingConclusionParticipantRecordEnable();
// A duration as shown to people: "mm:ss", or "h:mm:ss" from one hour on.
std::string TimeForMeetingDuration(unsigned long seconds);

namespace breakoutroom {
bool IsInBreakoutRoomMeeting();
// The main meeting's id: in a breakout room the main meeting's, else the current meeting's.
uint64_t GetMainMeetingId();
uint64_t GetCurrentBreakoutMainAVRoomId();
}  // namespace breakoutroom

namespace account {
int GetAccountType();
}

namespace abilityswitch {
bool IsUnderReviewByStore();
}

}  // namespace utils
}  // namespace velmo_common
