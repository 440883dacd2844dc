#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "after_meeting/model/after_meeting_service.h"
#include "tests/after_meeting/model/model_fixture.h"

namespace after_meeting::test {
namespace {

using ModelLifeCycle = AfterMeetingModelTest;
namespace lp = leave_params;

constexpr char kMeetingItem[] = R"({"meeting_item": {"current_period_id": "p-7",
    "creator_uid": "144115198765432100", "meeting_code": "999000111",
    "creator_account_type": 2, "meeting_type": 1, "district": 86}})";
constexpr char kMeetingInfo[] = R"({"ms_meeting_id": "ms-1", "meeting_subject": "Weekly",
    "meeting_type_flags": 5, "pmi_code": "pmi-3", "create_type": 3, "av_room_id": 4242})";

TEST_F(ModelLifeCycle, PreLeaveSnapshotsTheMeetingBeingLeft) {
  struct Case {
    const char* name;
    bool item_answers;
    int role;
    bool breakout;
    bool record_ready;
    std::function<void(Variant&)> expect;  // changes to the full snapshot of a host
    const char* record_query;
  };
  const Case kCases[] = {
      {"host with item", true, 1, false, false, [](Variant&) {},
       R"({"meeting_id": "8812345678", "sub_meeting_id": "p-7", "room_id": "4242",
           "need_erase": false})"},
      {"participant, item call fails", false, 3, false, true,
       [](Variant& v) {
         for (const char* key : {lp::kCreatorUid, lp::kCreatorAccountType, lp::kMeetingType,
                                 lp::kDistrict})
           v.Erase(key);
         const Variant changes = V(R"({"is_host": false, "is_only_host": false, "role_type": 3,
             "meeting_code": "881234567", "sub_meeting_id": "", "dismiss_time_out": 10,
             "show_record": true})");
         for (const auto& [key, value] : changes.AsMap()) v[key] = value;
       },
       R"({"meeting_id": "8812345678", "sub_meeting_id": "0", "room_id": "4242",
           "need_erase": false})"},
      {"breakout room", true, 1, true, false,
       [](Variant& v) {
         v[lp::kMeetingId] = uint64_t{7000};
         v[lp::kOpenRoomNum] = uint64_t{9100};
       },
       R"({"meeting_id": "7000", "sub_meeting_id": "p-7", "room_id": "9100",
           "need_erase": false})"},
  };
  SetConfig(h::configuration::kAutoDismissEnable, 1);
  SetConfig(h::configuration::kDismissTimeoutHost, 30);
  SetConfig(h::configuration::kDismissTimeout, 10);
  meeting_->SetAnswer(h::meeting::kCallGetMeetingInfo, true, V(kMeetingInfo));
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    meeting_->SetAnswer(h::meeting::kCallGetMeetingItem, c.item_answers, V(kMeetingItem));
    records_->SetAnswerWithoutResult(h::records::kCallCheckRecordPreload, c.record_ready);
    facts_.in_breakout_room = c.breakout;
    facts_.breakout_main_meeting_id = 7000;
    facts_.breakout_main_av_room_id = 9100;
    SetFacts();
    SetRole(c.role);
    meeting_->Fire(h::meeting::kEventPreJoin, nullptr);
    records_->ClearCalls();
    rec_.Clear();

    PreLeave();

    Variant want = V(R"({"is_dark_style": false, "is_host": true, "role_type": 1,
        "is_only_host": true, "meeting_code": "999000111", "creator_uid": "144115198765432100",
        "creator_account_type": 2, "district": 86, "sub_meeting_id": "p-7",
        "ms_meeting_id": "ms-1", "meeting_subject": "Weekly", "pmi_code": "pmi-3",
        "create_type": 3, "dismiss_time_out": 30, "show_record": false})");
    want[lp::kMeetingType] = uint32_t{1};
    want[lp::kMeetingId] = uint64_t{8812345678};
    want[lp::kMeetingTypeFlags] = int64_t{5};
    want[lp::kOpenRoomNum] = uint64_t{4242};
    c.expect(want);
    EXPECT_EQ(RoomInfo(), want) << RoomInfo().ToString();
    EXPECT_TRUE(rec_.HasLog("[After meeting] pre leave meeting" + want.ToString()));
    EXPECT_EQ(rec_.HasLog("[After meeting] in BreakoutRoomMeeting, main room num: 9100, "
                          "breakout room num: 0"),
              c.breakout);
    const auto checks = records_->CallsOf(h::records::kCallCheckRecordPreload);
    ASSERT_EQ(checks.size(), 1u);
    EXPECT_EQ(checks[0].params, V(c.record_query));
    EXPECT_EQ(rec_.LogLevelOf(std::string("[After meeting] - CheckRecordPreloadState: ") +
                              (c.record_ready ? "true" : "false")),
              6);
  }
}

TEST_F(ModelLifeCycle, RecordStateEventsSetTheRecordFlags) {
  struct Case {
    const char* name;
    bool participant_record;
    bool creator;
    const char* payload;
    const char* want;  // the record keys of the snapshot afterwards
  };
  const Case kCases[] = {
      {"neither switch nor creator", false, false, R"({"record_state": 2, "record_type": 0})",
       R"({"is_creator": false, "is_has_record": false})"},
      {"creator, cloud record done", false, true, R"({"record_state": 2, "record_type": 0})",
       R"({"is_creator": true, "is_has_record": true, "show_record": true})"},
      {"switch on, local record done", true, false, R"({"record_state": 2, "record_type": 1})",
       R"({"is_creator": false, "is_has_record": true})"},
      {"switch on, still recording", true, false, R"({"record_state": 1, "record_type": 0})",
       R"({"is_creator": false})"},
      {"switch on, type absent", true, false, R"({"record_state": 2})",
       R"({"is_creator": false, "is_has_record": true, "show_record": true})"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    meeting_->Fire(h::meeting::kEventClearMeetingData, nullptr);
    facts_.participant_record_enable = c.participant_record;
    SetFacts();
    meeting_->SetAnswer(h::meeting::kCallGetMeetingItem, true,
                        c.creator ? V(kMeetingItem) : V(R"({"meeting_item": {}})"));
    meeting_->ClearCalls();
    rec_.Clear();

    Fire(record_state_.get(), h::record_state::kEventRecordStateChanged, V(c.payload));
    // The creator is asked once per meeting.
    meeting_->SetAnswer(h::meeting::kCallGetMeetingItem, true, V(kMeetingItem));
    record_state_->Fire(h::record_state::kEventRecordStateChanged, nullptr);

    EXPECT_EQ(RoomInfo(), V(c.want));
    EXPECT_EQ(meeting_->CallsOf(h::meeting::kCallGetMeetingItem).size(), 1u);
    EXPECT_EQ(rec_.LogLevelOf(std::string("[After meeting] RecordStateChanged, "
                                          "ParticipantRecordEnable: ") +
                              (c.participant_record ? "true" : "false") + " ,is_creator: " +
                              (c.creator ? "true" : "false")),
              6);
  }
}

TEST_F(ModelLifeCycle, RecordAlreadyShownSkipsThePreloadCheck) {
  facts_.participant_record_enable = true;
  SetFacts();
  Fire(record_state_.get(), h::record_state::kEventRecordStateChanged,
       V(R"({"record_state": 2, "record_type": 0})"));
  PreLeave();
  EXPECT_TRUE(records_->CallsOf(h::records::kCallCheckRecordPreload).empty());
  EXPECT_EQ(rec_.LogLevelOf("show_record is ture already\xEF\xBC\x8C maybe local record was ran."),
            6);
  EXPECT_TRUE(RoomInfo().GetBool(lp::kShowRecord));
}

TEST_F(ModelLifeCycle, MeetingStartsClearWhatTheLastMeetingLeft) {
  auto fill = [&] {
    PreLeave();
    Fire(app_.get(), h::after_meeting_app::kEventSetFeedbackInfo, R"({"feedback": [1]})");
    Fire(app_.get(), h::after_meeting_app::kEventSetAiAssistantInfo, V(R"({"enable": true})"));
    KickOut(R"({"sub_reason_code": 1, "title": "t", "content": "c"})");
  };
  auto kick_out_kept = [&] {
    Variant pay;
    return CallModel(kCallGetKickOutPayInfo, nullptr, &pay);
  };
  struct Case {
    int event;
    bool clears_kick_out;
  };
  const Case kCases[] = {{h::meeting::kEventClearMeetingData, false},
                         {h::meeting::kEventPreJoin, true},
                         {h::meeting::kEventJoinComplete, true}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.event);
    fill();
    meeting_->Fire(c.event, nullptr);
    EXPECT_TRUE(RoomInfo().IsNull());
    Variant feedback = "untouched", ai;
    CallModel(kCallGetFeedbackInfo, nullptr, &feedback);
    CallModel(kCallGetAiAssistantInfo, nullptr, &ai);
    EXPECT_EQ(feedback, Variant("untouched"));
    EXPECT_TRUE(ai.IsNull());
    EXPECT_EQ(kick_out_kept(), !c.clears_kick_out);
  }
}

TEST_F(ModelLifeCycle, JoinCompleteHidesALingeringPageAndQueriesTheBannerForHosts) {
  facts_.sub_meeting_id = "p-9";
  SetFacts();
  struct Case {
    bool visible;
    Variant host_or_co_host;  // the member query's answer
  };
  const Case kCases[] = {{false, true}, {true, true}, {false, false}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::to_string(c.visible) + c.host_or_co_host.ToString());
    member_query_->SetAnswer(h::member_query::kCallIsSelfHostOrCoHost, true, c.host_or_co_host);
    const Variant flag = c.visible;
    CallModel(kCallSetConclusionPageVisible, &flag);
    app_->ClearCalls();
    banner_->ClearCalls();
    rec_.Clear();

    meeting_->Fire(h::meeting::kEventJoinComplete, nullptr);

    const auto hides = app_->CallsOf(h::after_meeting_app::kCallSetConclusionVisible);
    ASSERT_EQ(hides.size(), c.visible ? 1u : 0u);
    if (c.visible) EXPECT_EQ(hides[0].params, V(R"({"visible": false})"));
    EXPECT_EQ(rec_.HasLog("[After meeting] - join meeting but conclusion_view is visible, check it."),
              c.visible);
    const auto queries = banner_->CallsOf(h::banner::kCallQueryBanner);
    ASSERT_EQ(queries.size(), c.host_or_co_host.AsBoolean() ? 1u : 0u);
    if (!queries.empty()) {
      EXPECT_EQ(queries[0].params, V(R"({"template_key": "meeting_summary_guide",
          "meeting_id": "8812345678", "sub_meeting_id": "p-9"})"));
      EXPECT_TRUE(rec_.HasLog("query historical banner with template_key: meeting_summary_guide"));
    }
  }
  // Either member event asks again.
  members_->Fire(h::member::kEventHostChanged, nullptr);
  member_query_->SetAnswer(h::member_query::kCallIsSelfHostOrCoHost, true, true);
  members_->Fire(h::member::kEventCoHostChanged, nullptr);
  EXPECT_EQ(banner_->CallsOf(h::banner::kCallQueryBanner).size(), 1u);
}

TEST_F(ModelLifeCycle, WindowDeactivationShowsTheSummaryPageAfterShouldShow) {
  struct Case {
    const char* name;
    bool should_show;
    Variant active;
    bool shows;
  };
  const Case kCases[] = {{"deactivated after should-show", true, false, true},
                         {"activated", true, true, false},
                         {"deactivated, not asked to show", false, false, false}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    meeting_->Fire(h::meeting::kEventClearMeetingData, nullptr);
    if (c.should_show)
      Fire(app_.get(), h::after_meeting_app::kEventSetShouldShowConclusion, true);
    meeting_->ClearCalls();
    Fire(window_.get(), h::inmeeting_window::kEventActiveStateChanged, c.active);
    EXPECT_EQ(meeting_->CallsOf(h::meeting::kCallShowSummaryPage).size(), c.shows ? 1u : 0u);
  }
}

TEST_F(ModelLifeCycle, EverySubscriptionEndsWithUnInitOrDestruction) {
  const std::pair<testing_support::ScriptableHostModel*, std::vector<int>> kSources[] = {
      {meeting_.get(), {1, 29, 13, 48, 2}},    {app_.get(), {1, 3, 7, 11, 8, 14, 9, 12, 13, 15}},
      {notification_.get(), {20410101}},      {record_state_.get(), {23}},
      {banner_.get(), {6}},                    {members_.get(), {6, 7}},
      {window_.get(), {14}},
  };
  for (const auto& [source, events] : kSources) {
    EXPECT_EQ(source->SubscriberCount(), static_cast<int>(events.size())) << source->type();
    for (int event : events) EXPECT_EQ(source->SubscriberCount(event), 1) << event;
  }
  EXPECT_EQ(AfterMeetingService::GetInstance()->delegate(), model_.get());
  auto none_left = [&] {
    for (const auto& [source, events] : kSources) EXPECT_EQ(source->SubscriberCount(), 0);
  };

  model_->UnInit();
  none_left();
  EXPECT_EQ(AfterMeetingService::GetInstance()->delegate(), nullptr);
  // A model that goes without UnInit takes its subscriptions with it.
  StartModel();
  model_.reset();
  none_left();
  PreLeave();
  // A host model missing at Init is skipped.
  testing_support::RemoveHostModel(h::inmeeting_window::kModel);
  StartModel();
  EXPECT_EQ(meeting_->SubscriberCount(), 5);
}

}  // namespace
}  // namespace after_meeting::test
