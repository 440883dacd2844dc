// Checks on the host's state that the module carries in its own code rather than taking from
// the host's utility library.
#pragma once

namespace after_meeting {
namespace host {

// Whether the local user is the meeting's host or a co-host; false when the member-query model
// is missing or does not answer.
bool IsSelfHostOrCoHost();

}  // namespace host
}  // namespace after_meeting
