#include "after_meeting/model/numeric_string.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace after_meeting {
namespace {

constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();

TEST(NumericString, AcceptsDigitsOnePointAndALeadingMinusOnly) {
  const struct {
    const char* text;
    uint64_t value;
  } kCases[] = {
      {"", 0},
      {"1767225600", 1767225600},
      {"007", 7},
      {"18446744073709551615", kMax},
      {"18446744073709551616", kMax},  // saturates
      {"3.9", 3},                      // stops at the point
      {"5.", 5},
      {"-1", kMax},  // passes the check, wraps as unsigned
      {"-18446744073709551615", 1},
      {"-", 0},
      {".", 0},
      {"-.5", 0},
      {"1.2.3", 0},  // second point
      {"1a", 0},
      {"1-", 0},
      {"+1", 0},
      {" 1", 0},
      {"1,000", 0},
      {"\xD9\xA1", 0},  // a non-ASCII digit
  };
  for (const auto& c : kCases)
    EXPECT_EQ(NumericStringToUInt64(c.text), c.value) << '"' << c.text << '"';
  // A NUL inside the view is a character like any other.
  EXPECT_EQ(NumericStringToUInt64(std::string_view("1\0" "2", 3)), 0u);
}

}  // namespace
}  // namespace after_meeting
