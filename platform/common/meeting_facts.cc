#include "platform/common/meeting_facts.h"

#include <cerrno>
#include <cstdlib>

#include "platform/util/time.h"

namespace velmo_common {
namespace utils {

namespace {
MeetingFacts& Facts() {
  static auto* facts = new MeetingFacts();
  return *facts;
}

uint64_t ParseId(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return 0;
  errno = 0;
  unsigned long long v = std::strtoull(text.c_str(), nullptr, 10);
  return errno == ERANGE ? 0 : v;
}
}  // namespace

void SetMeetingFacts(const MeetingFacts& facts) { Facts() = facts; }
const MeetingFacts& GetMeetingFacts() { return Facts(); }

bool GetStrMeetingId(std::string& out) {
  out = Facts().meeting_id;
  return !out.empty();
}

std::string GetCurrentMeetingCode() { return Facts().meeting_code; }
std::string GetSubMeetingId() { return Facts().sub_meeting_id; }
std::string GetSelfAppUid() { return Facts().app_uid; }
std::string GetSelfAppId() { return Facts().app_id; }

bool IsMeetingCreator(const base::variant::Variant* meeting_item) {
  if (!meeting_item || !meeting_item->IsMap() || Facts().app_uid.empty()) return false;
  return meeting_item->GetString("creator_uid") == Facts().app_uid;
}

bool IsAfterMeetingConclusionParticipantRecordEnable() { return Facts().participant_record_enable; }

std::string TimeForMeetingDuration(unsigned long seconds) {
  const unsigned long h = seconds / 3600, m = (seconds / 60) % 60, s = seconds % 60;
  const std::string minutes_seconds =
      util::time::TwoDigitFields(static_cast<int>(m), static_cast<int>(s));
  return h > 0 ? std::to_string(h) + ':' + minutes_seconds : minutes_seconds;
}

namespace breakoutroom {
bool IsInBreakoutRoomMeeting() { return Facts().in_breakout_room; }
uint64_t GetMainMeetingId() {
  return Facts().in_breakout_room ? Facts().breakout_main_meeting_id : ParseId(Facts().meeting_id);
}
uint64_t GetCurrentBreakoutMainAVRoomId() { return Facts().breakout_main_av_room_id; }
}  // namespace breakoutroom

namespace account {
int GetAccountType() { return Facts().account_type; }
}

namespace abilityswitch {
bool IsUnderReviewByStore() { return Facts().under_store_review; }
}

}  // namespace utils
}  // namespace velmo_common
