#include "after_meeting/model/numeric_string.h"

#include <locale>
#include <sstream>
#include <string>

namespace after_meeting {

namespace {

bool PassesCharacterCheck(std::string_view text) {
  bool seen_point = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') continue;
    if (c == '.' && !seen_point) {
      seen_point = true;
      continue;
    }
    if (c == '-' && i == 0) continue;
    return false;
  }
  return true;
}

}  // namespace

uint64_t NumericStringToUInt64(std::string_view text) {
  if (text.empty() || !PassesCharacterCheck(text)) return 0;
  // Stream extraction on purpose: it stops at the '.', wraps a leading '-' around ("-1" is the
  // largest value) and saturates on overflow. The classic locale keeps a user locale's digit
  // grouping from reading "1.234" as 1234.
  std::istringstream stream{std::string(text)};
  stream.imbue(std::locale::classic());
  uint64_t value = 0;
  stream >> value;
  return value;
}

}  // namespace after_meeting
