#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/after_meeting/model/model_fixture.h"

namespace after_meeting::test {
namespace {

using ModelCalls = AfterMeetingModelTest;
namespace app = h::after_meeting_app;

TEST_F(ModelCalls, EachCallAnswersAsItsTableSays) {
  PreLeave();
  Fire(app_.get(), app::kEventSetAiAssistantInfo, V(R"({"enable": true, "assistant_name": "Ava"})"));
  const Variant room = RoomInfo();
  struct Case {
    const char* name;
    int call_id;
    Variant params;
    bool pass_params;
    bool pass_result;
    bool ok;
    Variant result;       // what the result holds afterwards (it starts as "untouched")
    int fired_event;      // 0: none
    const char* log;      // null: not checked
  };
  const Variant kUntouched = "untouched";
  const Case kCases[] = {
      {"unknown id", 0x7777, {}, false, true, false, kUntouched, 0, nullptr},
      {"room info", kCallGetRoomInfo, {}, false, true, true, room, 0, nullptr},
      {"room info without result", kCallGetRoomInfo, {}, false, false, false, {}, 0,
       "invalid params"},
      {"ai assistant", kCallGetAiAssistantInfo, {}, false, true, true,
       V(R"({"enable": true, "assistant_name": "Ava"})"), 0, "[after_meeting]: GetAiAssistantInfo: "},
      {"feedback info, none stored", kCallGetFeedbackInfo, {}, false, true, true, kUntouched, 0,
       "[after_meeting]: GetFeedbackInfo: "},
      {"container page", kCallSetCloseMeetingContainerPage, kContainerPageFeedback, true, true,
       true, kUntouched, kEventSetCloseMeetingContainerPage,
       "[after_meeting]: SetCloseMeetingContainerPage: 2"},
      {"feedback finish", kCallSetFeedbackFinish, V(R"({"score": 1})"), true, true, true,
       kUntouched, kEventFeedbackFinish, "[after_meeting]: SetFeedbackFinish: "},
      {"reset hold-on list", kCallResetHoldOnAppList, {}, false, true, true, kUntouched, 0,
       "[hold on app]: reset hold_on_app_info_array_"},
      {"page switch off", kCallGetAfterMeetingEnable, {}, false, true, false, kUntouched, 0,
       "[after_meeting]: << after_meeting_enable =false"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    rec_.Clear();
    Variant result = kUntouched;
    EXPECT_EQ(CallModel(c.call_id, c.pass_params ? &c.params : nullptr,
                        c.pass_result ? &result : nullptr),
              c.ok);
    if (c.pass_result) EXPECT_EQ(result, c.result) << result.ToString();
    if (c.log) EXPECT_TRUE(rec_.HasLog(c.log)) << c.log;
    const auto fired = rec_.Of("event");
    ASSERT_EQ(fired.size(), c.fired_event ? 1u : 0u);
    if (c.fired_event) {
      EXPECT_EQ(fired[0].GetInt32("event"), c.fired_event);
      EXPECT_EQ(fired[0].Get("payload"), c.params);
    }
  }
  EXPECT_EQ(RoomInfo(), room);
}

TEST_F(ModelCalls, PageBecomingVisibleFiresTheSnapshotOnce) {
  PreLeave();
  const Variant sequence[] = {false, true, true, false, true};
  for (const Variant& visible : sequence) {
    EXPECT_TRUE(CallModel(kCallSetConclusionPageVisible, &visible));
    EXPECT_EQ(Query(app::kEventGetConclusionPageActive), visible);
  }
  const auto fired = Fired(kEventConclusionInfo);
  ASSERT_EQ(fired.size(), 2u);
  EXPECT_EQ(fired[0], RoomInfo());
  EXPECT_TRUE(rec_.HasLog("[After meeting] page_visible=true"));
}

TEST_F(ModelCalls, HoldOnAppListPutsTheHeldAppFirst) {
  struct Case {
    const char* name;
    bool answered;
    std::string apps;
    bool ok;
    std::string want;
    const char* log;
  };
  constexpr char kHeld[] = R"({"open_app_id": "native-457520021246070445"})";
  const std::string a = R"({"open_app_id": "a"})", b = R"({"open_app_id": 5})", held = kHeld;
  const Case kCases[] = {
      {"held app third", true, "[" + a + ", " + b + ", " + held + ", 3]", true,
       "[" + held + ", " + a + ", " + b + ", 3]", "[hold on app]: get app list"},
      {"held app first", true, "[" + held + ", " + a + "]", true, "[" + held + ", " + a + "]",
       nullptr},
      {"no held app", true, "[" + a + ", " + b + "]", true, "[" + a + ", " + b + "]", nullptr},
      {"not a list", true, a, false, R"("untouched")", "no opened app."},
      {"call fails", false, "[]", false, R"("untouched")", "get opened app info failed."},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    apps_->SetAnswer(h::apps::kCallGetOpenedApps, c.answered, V(c.apps.c_str()));
    rec_.Clear();
    Variant result = "untouched";
    EXPECT_EQ(CallModel(kCallGetHoldOnAppList, nullptr, &result), c.ok);
    EXPECT_EQ(result, V(c.want.c_str()));
    if (c.log) EXPECT_TRUE(rec_.HasLog(c.log));
  }
}

TEST_F(ModelCalls, KickOutNoticeKeepsOnlyPayOfferContent) {
  constexpr char kStored[] = R"({"sub_reason_code": 1, "title": "Restart", "content": "Ended",
      "buttons": [{"visible": true, "action_type": 1, "title": "Buy", "url": "u0"}]})";
  const Variant kStoredInfo = V(R"({"has_pay_info": true, "title": "Restart", "content": "Ended",
      "pay_text": "Buy", "pay_url": "u0"})");
  auto notice = [](int reason, const std::string& data) {
    Variant v = Variant::MakeMap();
    v[h::kick_out::kKeyReason] = reason;
    v[h::kick_out::kKeyCustomData] = data;
    return v;
  };
  auto json = [](const char* text) { return util::crypto::Encode64(text); };
  struct Case {
    const char* name;
    Variant notice;
    bool store_review;
    Variant want;
    const char* log;
  };
  const Case kCases[] = {
      {"other reason", notice(1, json(R"({"sub_reason_code": 1})")), false, kStoredInfo,
       "after_meeting_kick: kick_out_reason_code=1"},
      {"no custom data", notice(2, ""), false, kStoredInfo, "after_meeting_kick: custom_data empty"},
      {"not Base64", notice(2, "e30=!"), false, kStoredInfo,
       "after_meeting_kick: custom_data json error"},
      {"not JSON", notice(2, json("{title")), false, kStoredInfo,
       "after_meeting_kick: custom_data json error"},
      {"other sub-reason", notice(2, json(R"({"sub_reason_code": 0, "title": "x"})")), false,
       kStoredInfo, R"(after_meeting_kick custom_data_params = {"sub_reason_code": 0, "title": "x"})"},
      {"sub-reason 2", notice(2, json(R"({"sub_reason_code": 2, "title": "x", "content": "y"})")),
       false, kStoredInfo, nullptr},
      {"two pay buttons, the last stands",
       notice(2, json(R"({"sub_reason_code": 1, "title": "T", "content": "C", "buttons": [
           {"visible": true, "action_type": 1, "title": "B1", "url": "u1", "button_context": "Go"},
           {"visible": false, "action_type": 1, "title": "hidden", "url": "h"},
           {"visible": true, "action_type": 2, "title": "other", "url": "o"},
           {"visible": true, "action_type": 1, "title": "B2", "url": "u2"}]})")),
       false,
       V(R"({"has_pay_info": true, "title": "T", "content": "C", "pay_text": "B2", "pay_url": "u2",
             "pay_button_text": "Go"})"),
       nullptr},
      {"no buttons", notice(2, json(R"({"sub_reason_code": 1, "title": "T"})")), false,
       V(R"({"has_pay_info": false, "title": "T", "content": ""})"),
       R"(after_meeting_kick:{"content": "", "has_pay_info": false, "title": "T"})"},
      {"store review", notice(2, json(kStored)), true,
       V(R"({"has_pay_info": false, "title": "Restart", "content": "Ended"})"),
       R"(appstore_review_switch_on, after_meeting_kick:{"content": "Ended", "has_pay_info": false, "title": "Restart"})"},
  };
  for (const Case& c : kCases) {
    for (auto* source : {app_.get(), notification_.get()}) {
      SCOPED_TRACE(std::string(c.name) + " from " + std::to_string(source->type()));
      facts_.under_store_review = c.store_review;
      SetFacts();
      KickOut(kStored);
      rec_.Clear();
      source->Fire(source == app_.get() ? app::kEventNotifyKickOut : h::notification::kEventKickOut,
                   &c.notice);
      Variant result;
      EXPECT_TRUE(CallModel(kCallGetKickOutPayInfo, nullptr, &result));
      EXPECT_EQ(result, c.want) << result.ToString();
      if (c.log) EXPECT_TRUE(rec_.HasLog(c.log)) << c.log;
    }
  }

  EXPECT_TRUE(CallModel(kCallResetAfterMeetingData, nullptr));
  EXPECT_TRUE(rec_.HasLog("[after_meeting]: reset data"));
  Variant result;
  EXPECT_FALSE(CallModel(kCallGetKickOutPayInfo, nullptr, &result));
  EXPECT_EQ(result, V(R"({"has_pay_info": false})"));
  EXPECT_TRUE(rec_.HasLog("after_meeting_kick fail"));
  EXPECT_FALSE(CallModel(kCallGetKickOutPayInfo, nullptr, nullptr));
  EXPECT_EQ(rec_.LogLevelOf("after_meeting_kick  fail"), 6);
}

TEST_F(ModelCalls, HandedOverInfoIsKeptAndPassedOn) {
  Fire(app_.get(), app::kEventSetFeedbackInfo, R"({"feedback": {"tags": ["echo"]}})");
  Fire(app_.get(), app::kEventSetFeedbackInfo, "{not json");
  EXPECT_EQ(rec_.LogLevelOf("ParseFromJson failed."), 3);
  Fire(app_.get(), app::kEventSetAiAssistantInfo, V(R"({"assistant_name": "Ava"})"));
  Fire(app_.get(), app::kEventSetAiAssistantInfo, V(R"({"enable": true})"));

  const Variant feedback = V(R"({"feedback": {"tags": ["echo"]}})");
  Variant result;
  EXPECT_TRUE(CallModel(kCallGetFeedbackInfo, nullptr, &result));
  EXPECT_EQ(result, feedback);
  EXPECT_EQ(Fired(kEventFeedbackInfo), std::vector<Variant>{feedback});
  EXPECT_TRUE(rec_.HasLog(R"(feedback info: {"feedback": {"tags": ["echo"]}})"));
  EXPECT_TRUE(CallModel(kCallGetAiAssistantInfo, nullptr, &result));
  EXPECT_EQ(result, V(R"({"assistant_name": "Ava", "enable": true})"));

  Fire(app_.get(), app::kEventSaveNeedHoldOnApp, true);
  EXPECT_EQ(rec_.LogLevelOf("need hold app: true"), 6);
}

}  // namespace
}  // namespace after_meeting::test
