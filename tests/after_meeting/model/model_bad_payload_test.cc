#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/after_meeting/model/model_fixture.h"

namespace after_meeting::test {
namespace {

using ModelBadPayload = AfterMeetingModelTest;
namespace app = h::after_meeting_app;

TEST_F(ModelBadPayload, WrongShapedPayloadsAreLoggedAndChangeNothing) {
  // A model with something in every member, so that a handler that clears or replaces one
  // shows.
  facts_.participant_record_enable = true;
  SetFacts();
  member_query_->SetAnswer(h::member_query::kCallIsSelfHostOrCoHost, true, true);
  PreLeave();
  Fire(app_.get(), app::kEventSetFeedbackInfo, R"({"feedback": 1})");
  Fire(app_.get(), app::kEventSetAiAssistantInfo, V(R"({"enable": true, "assistant_name": "Ava"})"));
  Fire(app_.get(), app::kEventSetLeaveParams, V(R"({"leave_reason": 4})"));
  Fire(app_.get(), app::kEventSetShouldShowConclusion, false);
  Fire(banner_.get(), h::banner::kEventQueryBannerComplete,
       V(R"({"template_key": "meeting_summary_guide", "show_banner": true, "summary_text": "R"})"));
  KickOut(R"({"sub_reason_code": 1, "title": "T", "content": "C",
      "buttons": [{"visible": true, "action_type": 1, "title": "B", "url": "u"}]})");
  const Variant visible = true;
  CallModel(kCallSetConclusionPageVisible, &visible);

  auto state = [&] {
    Variant s = Variant::MakeMap();
    s["room"] = RoomInfo();
    CallModel(kCallGetFeedbackInfo, nullptr, &s["feedback"]);
    CallModel(kCallGetAiAssistantInfo, nullptr, &s["ai"]);
    CallModel(kCallGetKickOutPayInfo, nullptr, &s["pay"]);
    s["visible"] = Query(app::kEventGetConclusionPageActive);
    return s;
  };
  Variant expected = state();

  struct Target {
    const char* name;
    testing_support::ScriptableHostModel* source;  // null: a call of the model
    int id;
    Variant::Type valid;  // the shape the target takes
    Variant wrong_map;
    const char* log;  // for every wrong shape; "" none at all
    int level;
    bool log_is_prefix;  // followed by the payload as text
    std::string map_log;  // for the wrong map when it differs
    std::function<void(Variant&)> map_changes;  // what the wrong map changes, by the rules
  };
  const Target kTargets[] = {
      {"leave reason", app_.get(), app::kEventSetLeaveParams, Variant::Type::kMap,
       V(R"({"leave_reason": "4"})"), "params should has leave_reason!", 1, false, "",
       // Only the key's presence is checked; a text reads as 0.
       [](Variant& s) { s["room"][leave_params::kLeaveReason] = 0; }},
      {"should show", app_.get(), app::kEventSetShouldShowConclusion, Variant::Type::kBool,
       V(R"({"show_conclusion": true})"), "params should has show_conclusion!", 1, false, "", {}},
      {"hold on apps", app_.get(), app::kEventSaveNeedHoldOnApp, Variant::Type::kBool,
       V(R"({"need": true})"), "params error", 1, false, "", {}},
      {"feedback info", app_.get(), app::kEventSetFeedbackInfo, Variant::Type::kString,
       V(R"({"feedback": 2})"), "", 0, false, "", {}},
      {"ai assistant", app_.get(), app::kEventSetAiAssistantInfo, Variant::Type::kMap,
       V(R"({"enable": "yes", "assistant_name": 5})"), "", 0, false, "",
       // Present keys are read with their defaults.
       [](Variant& s) { s["ai"] = V(R"({"enable": false, "assistant_name": ""})"); }},
      {"kick-out (app)", app_.get(), app::kEventNotifyKickOut, Variant::Type::kMap,
       V(R"({"reason": "2", "custom_data": 5})"), "after_meeting_kick: kick_out_reason_code=0", 6,
       false, "", {}},
      {"kick-out (notification)", notification_.get(), h::notification::kEventKickOut,
       Variant::Type::kMap, V(R"({"reason": 2, "custom_data": 5})"),
       "after_meeting_kick: kick_out_reason_code=0", 6, false,
       "after_meeting_kick: custom_data empty", {}},
      {"record state", record_state_.get(), h::record_state::kEventRecordStateChanged,
       Variant::Type::kMap, V(R"({"record_state": "2", "record_type": "0"})"),
       "[After meeting] RecordStateChanged, ParticipantRecordEnable: true ,is_creator: false", 6, false,
       "", {}},
      {"banner", banner_.get(), h::banner::kEventQueryBannerComplete, Variant::Type::kMap,
       V(R"({"template_key": 1, "show_banner": "true", "summary_text": 5})"),
       "banner params is error", 6, false,
       "banner params  = " + V(R"({"template_key": 1, "show_banner": "true", "summary_text": 5})")
                                 .ToString(),
       {}},
      {"window state", window_.get(), h::inmeeting_window::kEventActiveStateChanged,
       Variant::Type::kBool, V(R"({"active": false})"), "", 0, false, "", {}},
      {"leave params query", app_.get(), app::kEventGetLeaveParams, Variant::Type::kMap,
       V(R"({"x": 1})"), "", 0, false, "", {}},
      {"page visible", nullptr, kCallSetConclusionPageVisible, Variant::Type::kBool,
       V(R"({"visible": true})"), "params should be bool value!", 1, false, "", {}},
      {"conclusion info", nullptr, kCallGetAfterMeetingConclusionInfo, Variant::Type::kMap,
       V(R"({"meetingid": 1})"), "invalid params, ", 1, true, "", {}},
  };
  struct Shape {
    const char* name;
    bool null_pointer;
    Variant value;
  };
  const Shape kShapes[] = {
      {"null pointer", true, {}}, {"null", false, {}},        {"bool", false, false},
      {"int", false, 7},          {"string", false, "x"},     {"array", false, V(R"([1, "a"])")},
      {"wrong map", false, {}},
  };

  for (const Target& t : kTargets) {
    for (const Shape& shape : kShapes) {
      const bool wrong_map = std::string(shape.name) == "wrong map";
      const Variant payload = wrong_map ? t.wrong_map : shape.value;
      if (!shape.null_pointer && payload.type() == t.valid && !wrong_map) continue;
      SCOPED_TRACE(std::string(t.name) + " / " + shape.name);
      rec_.Clear();
      Variant copy = payload;
      Variant* p = shape.null_pointer ? nullptr : &copy;
      if (t.source) {
        t.source->Fire(t.id, p);
      } else {
        Variant result;
        EXPECT_FALSE(CallModel(t.id, p, &result));
        EXPECT_TRUE(result.IsNull());
      }
      const auto logs = rec_.LogTexts();

      Variant want = expected;
      if (wrong_map && t.map_changes) t.map_changes(want);
      std::string log = t.log;
      if (t.log_is_prefix) log += framework::VariantToString(p);
      if (wrong_map && !t.map_log.empty()) log = t.map_log;
      if (wrong_map && t.map_changes) log.clear();
      if (log.empty()) {
        EXPECT_TRUE(logs.empty()) << logs[0];
      } else {
        ASSERT_EQ(logs.size(), 1u) << (logs.empty() ? "" : logs[0]);
        EXPECT_EQ(logs[0], log);
        EXPECT_EQ(rec_.LogLevelOf(logs[0]), t.level);
      }
      EXPECT_EQ(state(), want);
      expected = want;
    }
  }
}

}  // namespace
}  // namespace after_meeting::test
