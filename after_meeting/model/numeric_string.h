// The numeric-string rule of the back end's figures and the host's application id: digits, at
// most one '.', a '-' only in front; read as an unsigned 64-bit decimal up to the first
// non-digit. Anything else, or nothing readable, gives 0.
#pragma once

#include <cstdint>
#include <string_view>

namespace after_meeting {

uint64_t NumericStringToUInt64(std::string_view text);

}  // namespace after_meeting
