// The player as velmo_sim runs it: every run ends with the documented exit status, and a fault
// found while playing names the step's JSON path, as a parse fault does.
#include <string>

#include <gtest/gtest.h>

#include "platform/base/observer.h"
#include "simulator/player.h"
#include "simulator/scenario.h"
#include "simulator/trace_writer.h"

namespace sim {
namespace {

struct PlayCase {
  const char* what;
  const char* steps;  // the "steps" array of a scenario whose stand-ins are fixed below
  int status;
  const char* path;  // for kBadScenario: the JSON path the message must name
};

constexpr char kHead[] =
    R"({"name": "t", "platform": {"meeting_id": "8812345678", "self_role": 1},)"
    R"( "config": {"after_meeting_conclusion_enable_v2": 1},)"
    R"( "host_models": {"514": {}, "1000054": {}}, "steps": )";

const PlayCase kRuns[] = {
    {"every expect holds", R"([{"fire": {"model": 1000054, "event": 3, "payload": null},
        "expect": [{"kind": "query", "payload": true}]}])",
     Player::kOk, ""},
    {"an expect fails", R"([{"fire": {"model": 1000054, "event": 3, "payload": null},
        "expect": [{"kind": "query", "payload": false}]}])",
     Player::kExpectFailed, ""},
    {"an expect_not is met", R"([{"fire": {"model": 1000054, "event": 3, "payload": null},
        "expect_not": [{"kind": "query"}]}])",
     Player::kExpectFailed, ""},
    {"a later step still runs after a failed expect", R"([
        {"fire": {"model": 1000054, "event": 3}, "expect": [{"kind": "toast"}]},
        {"click": "no_such_widget"}])",
     Player::kBadScenario, "steps[1].click"},
    {"click on nothing visible", R"([{"click": "upgrade_btn"}])", Player::kBadScenario,
     "steps[0].click"},
    {"inspect of nothing at all", R"([{"inspect": "class:NoSuchClass#2"}])", Player::kBadScenario,
     "steps[0].inspect"},
    {"type into nothing", R"([{"type": {"into": "class:CustomTextEdit", "text": "a"}}])",
     Player::kBadScenario, "steps[0].type"},
    {"fire at a model that does not exist", R"([{"fire": {"model": 641, "event": 9}}])",
     Player::kBadScenario, "steps[0].fire.model"},
    {"extension the scenario did not list",
     R"([{"extension_update": {"id": "extension:after_meeting.record", "item": {}}}])",
     Player::kBadScenario, "steps[0].extension_update.id"},
    {"an action for a page that is not open", R"([{"action": {"page": "feedback", "id": 1}}])",
     Player::kBadScenario, "steps[0].action.page"},
    {"a var never captured", R"([{"call": {"id": 1, "param": {"$var": "x"}}}])",
     Player::kBadScenario, "steps[0].call.param"},
};

TEST(PlayerFaults, EveryRunEndsWithItsStatusAndFaultsNameTheirPath) {
  for (const PlayCase& r : kRuns) {
    SCOPED_TRACE(r.what);
    Scenario scenario;
    ScenarioError error;
    ASSERT_TRUE(ParseScenarioText(std::string(kHead) + r.steps + "}", &scenario, &error))
        << error.ToString();
    TraceWriter trace(nullptr);
    base::observer::ScopedObserver observe(&trace);
    PlayerOptions options;
    options.module_path = VELMO_OUTPUT_DIR "/libafter_meeting.so";
    Player player(scenario, options, &trace);
    EXPECT_EQ(player.Run(&error), r.status) << error.ToString();
    if (r.status == Player::kBadScenario) {
      EXPECT_EQ(error.path.rfind(r.path, 0), 0u) << error.ToString();
      EXPECT_FALSE(error.message.empty());
    }
  }
}

}  // namespace
}  // namespace sim
