#include <cstdint>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/after_meeting/model/model_fixture.h"

namespace after_meeting::test {
namespace {

using ModelDecision = AfterMeetingModelTest;
namespace app = h::after_meeting_app;
namespace cfg = h::configuration;

constexpr char kBanner[] =
    R"({"template_key": "meeting_summary_guide", "show_banner": true, "summary_text": "Recap"})";

TEST_F(ModelDecision, HostNeedShowPageTakesTheFirstReasonThatApplies) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    bool show;
    const char* log;  // the deciding line; null when the branch logs none
  };
  const Case kCases[] = {
      {"participant", [&] { SetRole(3); }, true, "is not host"},
      {"recording ready",
       [&] { records_->SetAnswerWithoutResult(h::records::kCallCheckRecordPreload, true); }, true,
       "has record"},
      {"feedback configured",
       [&] { Fire(app_.get(), app::kEventSetFeedbackInfo, R"({"feedback": {"tags": []}})"); },
       true, "has feedback"},
      {"apps were open",
       [&] { apps_->SetAnswer(h::apps::kCallGetOpenedApps, true, V(R"([{"open_app_id": "a"}])")); },
       true, nullptr},
      {"kick-out content", [&] { KickOut(R"({"sub_reason_code": 1, "title": "t", "content": "c"})"); },
       true, "has kick out content"},
      {"ai assistant",
       [&] { Fire(app_.get(), app::kEventSetAiAssistantInfo, V(R"({"enable": true})")); }, true,
       "has ai assistant"},
      {"operate banner, guide switch off",
       [&] {
         Fire(banner_.get(), h::banner::kEventQueryBannerComplete, V(kBanner));
         SetConfig(cfg::kHostShowDefaultContentAndFuncGuide, false);
       },
       false, "has operate info"},
      {"incomplete banner is not kept",
       [&] {
         Fire(banner_.get(), h::banner::kEventQueryBannerComplete,
              V(R"({"template_key": "meeting_summary_guide", "show_banner": true,
                    "summary_text": ""})"));
       },
       false, "show default content: false"},
      {"nothing to show", [] {}, false, "show default content: false"},
  };
  // Each case also has every later reason present: the first one must decide.
  const size_t n = sizeof(kCases) / sizeof(kCases[0]);
  for (size_t i = 0; i < n; ++i) {
    const Case& c = kCases[i];
    SCOPED_TRACE(c.name);
    meeting_->Fire(h::meeting::kEventPreJoin, nullptr);
    records_->ClearAnswers();
    apps_->SetAnswer(h::apps::kCallGetOpenedApps, true, Variant::MakeArray());
    config_->ClearEntries();
    SetRole(1);
    for (size_t j = i; j < n; ++j) kCases[j].arrange();
    PreLeave();
    rec_.Clear();

    EXPECT_EQ(Query(app::kEventGetHostNeedShowPage), Variant(c.show));
    EXPECT_EQ(rec_.LogLevelOf(std::string("host_show_page: ") + (c.show ? "true" : "false")), 6);
    if (c.log) EXPECT_EQ(rec_.LogLevelOf(c.log), 6);
    for (size_t j = i + 1; j < n; ++j)
      if (kCases[j].log && (!c.log || std::string(c.log) != kCases[j].log))
        EXPECT_FALSE(rec_.HasLog(kCases[j].log)) << kCases[j].log;
    EXPECT_EQ(apps_->CallsOf(h::apps::kCallGetOpenedApps).empty(), i < 3);
    apps_->ClearCalls();
  }
}

TEST_F(ModelDecision, ConfigurationSwitchesFallBackOnAbsentOrWrongTypedEntries) {
  // Each probe reads one switch through the interface that serves it.
  auto page_enabled = [&] {
    const bool by_call = CallModel(kCallGetAfterMeetingEnable, nullptr);
    EXPECT_EQ(Query(app::kEventGetAfterMeetingEnable), Variant(by_call));
    return by_call;
  };
  auto host_with_nothing = [&] { return Query(app::kEventGetHostNeedShowPage).AsBoolean(); };
  auto host_with_banner = [&] {
    Fire(banner_.get(), h::banner::kEventQueryBannerComplete, V(kBanner));
    return Query(app::kEventGetHostNeedShowPage).AsBoolean();
  };
  struct Case {
    const char* key;
    bool present;
    Variant value;
    std::function<bool()> probe;
    bool want;
  };
  const Case kCases[] = {
      {cfg::kConclusionEnable, false, {}, page_enabled, false},
      {cfg::kConclusionEnable, true, 1, page_enabled, true},
      {cfg::kConclusionEnable, true, uint64_t{1}, page_enabled, true},
      {cfg::kConclusionEnable, true, 2, page_enabled, false},
      {cfg::kConclusionEnable, true, "1", page_enabled, false},
      {cfg::kConclusionEnable, true, true, page_enabled, false},
      {cfg::kHostShowDefaultContent, false, {}, host_with_nothing, false},
      {cfg::kHostShowDefaultContent, true, 1, host_with_nothing, false},
      {cfg::kHostShowDefaultContent, true, true, host_with_nothing, true},
      {cfg::kHostShowDefaultContentAndFuncGuide, false, {}, host_with_banner, true},
      {cfg::kHostShowDefaultContentAndFuncGuide, true, "false", host_with_banner, true},
      {cfg::kHostShowDefaultContentAndFuncGuide, true, false, host_with_banner, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.key) + " = " + (c.present ? c.value.ToString() : "absent"));
    meeting_->Fire(h::meeting::kEventPreJoin, nullptr);
    config_->ClearEntries();
    if (c.present) SetConfig(c.key, c.value);
    PreLeave();
    config_->ClearCalls();
    EXPECT_EQ(c.probe(), c.want);
    bool asked = false;
    for (const auto& call : config_->CallsOf(cfg::kCallGetEntry))
      asked |= call.params == V((R"({"group_id": "after_meeting", "id": ")" +
                                 std::string(c.key) + "\"}").c_str());
    EXPECT_TRUE(asked);
  }
  EXPECT_TRUE(rec_.HasLog("[after_meeting]: << after_meeting_enable =true"));
  EXPECT_TRUE(rec_.HasLog("[host_show_default_content_enable]: true"));
  EXPECT_TRUE(rec_.HasLog("[host_show_default_content_and_func_guide]: false"));
}

TEST_F(ModelDecision, DismissTimeoutFollowsTheSwitchAndTheRole) {
  struct Case {
    const char* name;
    Variant auto_dismiss;  // null: absent
    int role;
    int want;
  };
  const Case kCases[] = {
      {"host", 1, 1, 30},
      {"co-host counts as participant", 1, 2, 10},
      {"participant", 1, 3, 10},
      {"switch absent", {}, 1, -1},
      {"switch 2", 2, 1, -1},
      {"switch as text", "1", 3, -1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    config_->ClearEntries();
    if (!c.auto_dismiss.IsNull()) SetConfig(cfg::kAutoDismissEnable, c.auto_dismiss);
    SetConfig(cfg::kDismissTimeoutHost, 30);
    SetConfig(cfg::kDismissTimeout, 10);
    SetRole(c.role);
    PreLeave();
    EXPECT_EQ(RoomInfo().Get(leave_params::kDismissTimeOut), Variant(c.want));
  }
  // A time-out that is not configured stays -1.
  SetConfig(cfg::kAutoDismissEnable, 1);
  config_->RemoveEntry(cfg::kGroupAfterMeeting, cfg::kDismissTimeoutHost);
  SetRole(1);
  PreLeave();
  EXPECT_EQ(RoomInfo().Get(leave_params::kDismissTimeOut), Variant(-1));
}

}  // namespace
}  // namespace after_meeting::test
