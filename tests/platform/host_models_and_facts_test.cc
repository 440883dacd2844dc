#include <gtest/gtest.h>

#include "platform/common/meeting_facts.h"
#include "platform/framework/module_service.h"
#include "platform/testing/recorder.h"
#include "platform/testing/scriptable_host_model.h"

using base::variant::Variant;

TEST(ScriptableHostModel, AnswersFromItsTableRecordsAndAnnouncesEveryCall) {
  testing_support::Recorder rec;
  auto meeting = testing_support::InstallHostModel(514);
  EXPECT_EQ(framework::module::GetAppModuleModel(514), meeting.get());
  Variant item;
  item["meeting_item"]["meeting_code"] = "881234567";
  meeting->SetAnswer(3, true, item);
  meeting->SetAnswerWithoutResult(77, true);

  Variant out;
  EXPECT_TRUE(meeting->Call(3, nullptr, &out));
  EXPECT_EQ(out, item);
  Variant untouched("keep");
  EXPECT_FALSE(meeting->Call(99, &item, &untouched));  // no answer: false, result untouched
  EXPECT_EQ(untouched.AsStr(), "keep");
  EXPECT_TRUE(meeting->Call(77, nullptr, nullptr));

  ASSERT_EQ(meeting->calls().size(), 3u);
  EXPECT_EQ(meeting->CallsOf(99)[0].params, item);
  auto traced = rec.Of("host_call");
  ASSERT_EQ(traced.size(), 3u);
  EXPECT_EQ(traced[0].GetInt32("model"), 514);
  EXPECT_FALSE(traced[0].Has("param"));  // a null pointer is absent, not null
  EXPECT_TRUE(traced[0].GetBool("ok"));
  EXPECT_EQ(traced[1].GetString("result"), "keep");
  EXPECT_FALSE(traced[2].Has("result"));

  // Host events are the host's: not announced as the module's fired events.
  int seen = 0;
  meeting->Subscribe(48, &seen, [&](const Variant*) { ++seen; });
  meeting->Fire(48, nullptr);
  EXPECT_EQ(seen, 1);
  EXPECT_TRUE(rec.Of("event").empty());
  testing_support::RemoveHostModel(514);
  EXPECT_EQ(framework::module::GetAppModuleModel(514), nullptr);
}

TEST(ConfigurationHostModel, AnswersByGroupAndKeyOnly) {
  auto config = testing_support::InstallConfigurationModel();
  config->SetEntry("after_meeting", "conclusion_after_meeting_dismiss_timeout_host", Variant(5));
  Variant query;
  query["group_id"] = "after_meeting";
  query["id"] = "conclusion_after_meeting_dismiss_timeout_host";
  Variant out;
  EXPECT_TRUE(config->Call(1, &query, &out));
  EXPECT_EQ(out, Variant(5));
  query["group_id"] = "other";
  Variant none;
  EXPECT_FALSE(config->Call(1, &query, &none));
  EXPECT_TRUE(none.IsNull());
  Variant wrong_shape("after_meeting");
  EXPECT_FALSE(config->Call(1, &wrong_shape, &none));
  EXPECT_FALSE(config->Call(1, nullptr, &none));
  testing_support::RemoveAllHostModels();
}

// What the host set is read through the module's tests; these are the answers without it.
TEST(MeetingFacts, AnswerEmptyWithoutFactsOrItem) {
  using namespace velmo_common::utils;
  SetMeetingFacts(MeetingFacts());
  std::string id;
  EXPECT_FALSE(GetStrMeetingId(id));
  EXPECT_EQ(breakoutroom::GetMainMeetingId(), 0u);
  EXPECT_FALSE(IsMeetingCreator(nullptr));
  EXPECT_EQ(TimeForMeetingDuration(0), "00:00");
  EXPECT_EQ(TimeForMeetingDuration(3725), "1:02:05");
  EXPECT_EQ(TimeForMeetingDuration(3599), "59:59");
  EXPECT_EQ(TimeForMeetingDuration(360000), "100:00:00");
}
