#include <string>

#include <gtest/gtest.h>

#include "simulator/scenario.h"

namespace sim {
namespace {

struct Broken {
  const char* what;
  const char* text;
  const char* path;  // the JSON path the message must name
};

// One row per kind of fault a person writing a scenario can make.
const Broken kBroken[] = {
    {"not JSON", "{", ""},
    {"not an object", "[]", ""},
    {"unknown top-level key", R"({"stepz": []})", "stepz"},
    {"name not a string", R"({"name": 5})", "name"},
    {"unknown platform key", R"({"platform": {"meeting": "1"}})", "platform.meeting"},
    {"platform key of the wrong type", R"({"platform": {"self_role": "1"}})", "platform.self_role"},
    {"uint64 platform key as a negative number", R"({"platform": {"clock_ms": -5}})", "platform.clock_ms"},
    {"config value with a bad typed number", R"({"config": {"k": {"$int32": 3000000000}}})", "config.k.$int32"},
    {"unknown typed value", R"({"config": {"k": {"$int16": 1}}})", "config.k.$int16"},
    {"backend fault not known", R"({"backend": {"meetings": {"1": {"fault": "bad"}}}})", "backend.meetings.1.fault"},
    {"backend entry with an unknown key", R"({"backend": {"meetings": {"1": {"code": 0}}}})", "backend.meetings.1.code"},
    {"host model type not a number", R"({"host_models": {"meeting": {}}})", "host_models.meeting"},
    {"host model call answer with bad ok", R"({"host_models": {"514": {"calls": {"3": {"ok": 1}}}}})", "host_models.514.calls.3.ok"},
    {"extensions not strings", R"({"extensions": [1]})", "extensions[0]"},
    {"steps not an array", R"({"steps": {}})", "steps"},
    {"unknown step", R"({"steps": [{"jump": {}}]})", "steps[0].jump"},
    {"step without a kind", R"({"steps": [{"note": "x"}]})", "steps[0]"},
    {"two kinds in one step", R"({"steps": [{"settle": {}, "advance": 5}]})", "steps[0].advance"},
    {"fire event of the wrong type", R"({"steps": [{"fire": {"model": 514, "event": "48"}}]})", "steps[0].fire.event"},
    {"fire without model", R"({"steps": [{"fire": {"event": 48}}]})", "steps[0].fire.model"},
    {"call with an unknown key", R"({"steps": [{"call": {"id": 1, "params": {}}}]})", "steps[0].call.params"},
    {"action on an unknown page", R"({"steps": [{"action": {"page": "home", "id": 1}}]})", "steps[0].action.page"},
    {"negative advance", R"({"steps": [{"advance": -1}]})", "steps[0].advance"},
    {"type with two inputs", R"({"steps": [{"type": {"into": "x", "text": "a", "paste": "b"}}]})", "steps[0].type"},
    {"bad selector", R"({"steps": [{"click": "#2"}]})", "steps[0].click"},
    {"expect not a list", R"({"steps": [{"settle": {}, "expect": {"kind": "log"}}]})", "steps[0].expect"},
    {"expect pattern without kind", R"({"steps": [{"settle": {}, "expect": [{"text": "x"}]}]})", "steps[0].expect[0].kind"},
    {"set with an unknown platform key", R"({"steps": [{"set": {"platform": {"x": 1}}}]})", "steps[1].set.platform.x"},
};

TEST(ScenarioFile, EveryFaultIsReportedWithItsJsonPath) {
  for (const Broken& b : kBroken) {
    SCOPED_TRACE(b.what);
    Scenario s;
    ScenarioError error;
    std::string text = b.text;
    // The "set" row needs a step before it, so that its index is 1.
    if (std::string(b.what) == "set with an unknown platform key")
      text = R"({"steps": [{"settle": {}}, {"set": {"platform": {"x": 1}}}]})";
    EXPECT_FALSE(ParseScenarioText(text, &s, &error));
    EXPECT_EQ(error.path, b.path) << error.ToString();
    EXPECT_FALSE(error.message.empty());
  }
}

TEST(ScenarioFile, AWellFormedScenarioKeepsEverySection) {
  Scenario s;
  ScenarioError error;
  ASSERT_TRUE(ParseScenarioText(R"({
      "name": "n",
      "platform": {"meeting_id": "1", "clock_ms": "1767225600000", "self_role": 1},
      "config": {"after_meeting_conclusion_enable_v2": true},
      "backend": {"meetings": {"1": {"biz_code": 0, "data": {"info": {}}, "fault": "slow"}}},
      "extensions": ["extension:after_meeting.record"],
      "host_models": {"514": {"calls": {"3": {"ok": true, "result": {"$uint64": "5"}}}}, "539": null},
      "steps": [
        {"fire": {"model": 514, "event": 48}, "note": "pre-leave"},
        {"call": {"id": 3120574018, "param": {"$var": "x"}}, "expect": [{"kind": "reply"}]},
        {"set": {"platform": {"meeting_id": {"$absent": true}}, "config": {"k": {"$absent": true}}}},
        {"type": {"into": "class:CustomTextEdit#2", "keys": ["Ctrl+A", "Backspace"]}},
        {"advance": 1000}, {"settle": {}}, {"deactivate": {}}
      ]})", &s, &error)) << error.ToString();
  EXPECT_EQ(s.name, "n");
  ASSERT_EQ(s.steps.size(), 7u);
  EXPECT_EQ(s.steps[0].kind, "fire");
  EXPECT_EQ(s.steps[0].note, "pre-leave");
  EXPECT_EQ(s.steps[1].expect.size(), 1u);
  EXPECT_TRUE(s.host_models["539"].is_null());
}

TEST(Selector, ReadsNamesClassesTextsAndOrdinals) {
  Selector s;
  ASSERT_TRUE(ParseSelector("upgrade_btn", &s));
  EXPECT_EQ(s.kind, Selector::Kind::kObjectName);
  EXPECT_EQ(s.nth, 1);
  ASSERT_TRUE(ParseSelector("class:QFLabel#3", &s));
  EXPECT_EQ(s.kind, Selector::Kind::kClass);
  EXPECT_EQ(s.value, "QFLabel");
  EXPECT_EQ(s.nth, 3);
  ASSERT_TRUE(ParseSelector("text:Close #1", &s));  // '#' inside the text stays text
  EXPECT_EQ(s.kind, Selector::Kind::kText);
  EXPECT_EQ(s.value, "Close ");
  ASSERT_TRUE(ParseSelector("text:C#", &s));
  EXPECT_EQ(s.value, "C#");
  EXPECT_FALSE(ParseSelector("class:", &s));
  EXPECT_FALSE(ParseSelector("x#0", &s));
}

}  // namespace
}  // namespace sim
