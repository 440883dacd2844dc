#include "simulator/trace_writer.h"

#include <gtest/gtest.h>

namespace sim {
namespace {

using base::variant::Variant;

Variant Item(uint64_t address) {
  Variant item = Variant::MakeMap();
  item["extension_id"] = "extension:after_meeting.record";
  item["view"] = address;
  return item;
}

// Two runs place contributed views at different addresses; the trace must not show it.
TEST(TraceWriter, ContributedViewAddressesBecomeTheirOrderInValuesAndLogTexts) {
  TraceWriter trace(nullptr);
  trace.BeginStep(0);
  Variant list = Variant::MakeArray();
  list.Add(Item(94843378546384ULL));
  list.Add(Item(0));
  Variant prop = Variant::MakeMap();
  prop["vm_type"] = static_cast<int32_t>(0x2EFE6785);
  prop["prop"] = 537923584;
  prop["value"] = list;
  trace.OnBoundary("prop", prop);
  prop["value"] = Item(94193780304480ULL);
  trace.OnBoundary("prop", prop);
  Variant log = Variant::MakeMap();
  log["file"] = "after_meeting/conclusion/view.cc";
  log["level"] = 6;
  log["text"] = "update{\"view\": 94193780304480, \"other\": 94843378546384}";
  trace.OnBoundary("log", log);

  const auto& lines = trace.step_lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0]["value"][0]["view"], Json({{"$uint64", "1"}}));
  EXPECT_EQ(lines[0]["value"][1]["view"], Json({{"$uint64", "0"}}));  // no view stays none
  EXPECT_EQ(lines[1]["value"]["view"], Json({{"$uint64", "2"}}));
  EXPECT_EQ(lines[2]["text"], "update{\"view\": 2, \"other\": 1}");
}

}  // namespace
}  // namespace sim
