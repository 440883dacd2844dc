#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/after_meeting/model/meeting_end_backend_fixture.h"

namespace after_meeting {
namespace test {
namespace {

using MeetingEndRequest = MeetingEndBackendTest;
constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();

TEST_F(MeetingEndRequest, BodyHasItsMembersInOrderWithTheirTypes) {
  PluginGetMeetingEndPopUpInfoReqInfo full;
  full.meeting_id = 8812345678;
  full.sub_meeting_id = "p-1";
  full.open_room_num = 9007199254740993;  // not exact as a double
  full.meeting_type = 2;
  full.app_uid = "144115198765432100";
  full.app_id = 200000001;
  PluginGetMeetingEndPopUpInfoReqInfo empty;  // meeting 0, no sub-meeting, no app uid
  PluginGetMeetingEndPopUpInfoReqInfo huge;
  huge.meeting_id = kMax;
  huge.open_room_num = kMax;
  huge.meeting_type = 0xFFFFFFFF;
  huge.app_id = uint64_t{1} << 63;

  const std::pair<PluginGetMeetingEndPopUpInfoReqInfo, const char*> kCases[] = {
      {full,
       "{\n"
       "    \"meeting_id\": \"8812345678\",\n"
       "    \"sub_meeting_id\": \"p-1\",\n"
       "    \"open_room_num\": 9007199254740993,\n"
       "    \"meeting_type\": 2,\n"
       "    \"app_uid\": \"144115198765432100\",\n"
       "    \"app_id\": 200000001\n"
       "}\n"},
      {empty,
       "{\n"
       "    \"meeting_id\": \"0\",\n"
       "    \"open_room_num\": 0,\n"
       "    \"meeting_type\": 0,\n"
       "    \"app_uid\": \"\",\n"
       "    \"app_id\": 0\n"
       "}\n"},
      {huge,
       "{\n"
       "    \"meeting_id\": \"18446744073709551615\",\n"
       "    \"open_room_num\": -1,\n"
       "    \"meeting_type\": -1,\n"
       "    \"app_uid\": \"\",\n"
       "    \"app_id\": -9223372036854775808\n"
       "}\n"},
  };
  int sent = 0;
  for (const auto& [info, body] : kCases) {
    backend_.ClearRequests();
    service_->GetMeetingEndPopUpInfo(info, &delegate_);
    ASSERT_TRUE(WaitForResponses(++sent));
    const auto received = backend_.Requests();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].method, "POST");
    EXPECT_EQ(received[0].path, testing_support::DataCenterBackend::kMeetingEndPopUpInfoPath);
    EXPECT_TRUE(received[0].auth);
    EXPECT_EQ(received[0].raw_body, body);
    EXPECT_EQ(received[0].Header("X-Velmo-Subscribe-Token"), "");
  }
}

TEST_F(MeetingEndRequest, FiguresAreReadFromInfoStringsDigitByDigit) {
  struct Case {
    uint64_t meeting_id;
    const char* info;
    uint64_t begin, duration, join_uids, join, cumulative;
  };
  const Case kCases[] = {
      {1,
       R"({"begin_time": "1767225600000", "duration_time": "3600000", "join_uid_num": "12",
           "join_time": "1767225601000", "cumulative_time": "3599000"})",
       1767225600000, 3600000, 12, 1767225601000, 3599000},
      {2, R"({"begin_time": "1234567890", "duration_time": "-1", "join_uid_num": "1a",
              "join_time": "3.9"})",
       1234567890, kMax, 0, 3, 0},
      {3, R"({"begin_time": 5, "duration_time": null, "join_uid_num": "", "join_time": "1.2.3",
              "cumulative_time": "007"})",
       0, 0, 0, 0, 7},
  };
  for (const Case& c : kCases) {
    base::json::JsonValue entry = Json(R"({"biz_code": 0, "msg": "", "data": {}})");
    base::json::JsonValue data = base::json::JsonValue::MakeObject();
    data.Set("info", Json(c.info));
    entry.Set("data", data);
    backend_.SetMeeting(std::to_string(c.meeting_id), entry);
    service_->GetMeetingEndPopUpInfo(MakeInfo(c.meeting_id), &delegate_);
  }
  ASSERT_TRUE(WaitForResponses(std::size(kCases)));
  ASSERT_EQ(delegate_.calls.size(), std::size(kCases));
  for (const auto& call : delegate_.calls) {
    const Case& c = kCases[call.info.meeting_id - 1];
    SCOPED_TRACE(c.info);
    ASSERT_TRUE(call.is_meeting_end_result);
    EXPECT_EQ(call.result.status_code, 200);
    EXPECT_EQ(call.result.biz_code, 0);
    EXPECT_EQ(call.result.begin_time, c.begin);
    EXPECT_EQ(call.result.duration_time, c.duration);
    EXPECT_EQ(call.result.join_uid_num, c.join_uids);
    EXPECT_EQ(call.result.join_time, c.join);
    EXPECT_EQ(call.result.cumulative_time, c.cumulative);
  }
  EXPECT_FALSE(recorder_.HasLog("parse meeting end popup info failed.", /*prefix=*/true));
}

TEST_F(MeetingEndRequest, FailuresReachTheDelegateOnceWithZeroFiguresAndTheirLines) {
  const char* kInfo =
      R"({"info": {"begin_time": "1", "duration_time": "2", "join_uid_num": "3",
                   "join_time": "4", "cumulative_time": "5"}})";
  struct Case {
    uint64_t meeting_id;
    const char* fault;  // nullptr: no entry at all
    int64_t entry_biz_code;
    int32_t status_code;
    int64_t biz_code;
    const char* msg;
    const char* data_text;  // the payload as the request logs it
    bool no_basic_info;
    bool success;
  };
  const Case kCases[] = {
      {101, "biz_-100", 0, 200, -100, "", "{}", false, true},
      {102, "biz_-101", 0, 200, -101, "", "{}", false, true},
      {103, "", -5, 200, -5, "", nullptr, false, true},  // figures present, business code not 0
      {104, "not_json", 0, 200, -1, "response is not a JSON envelope", "null", false, false},
      {105, "payload_not_object", 0, 200, 0, "", "[]", false, true},
      {106, "info_array", 0, 200, 0, "", nullptr, true, true},
      {107, "slow", 0, VELMO_CGI::kStatusTimedOut, -1, "request timed out", "null", false, false},
      {108, "drop", 0, VELMO_CGI::kStatusConnectionFailed, -1, "connection failed", "null", false, false},
      {109, "http_500", 0, 500, -1, "http status 500", "null", false, false},
      {110, "no_token", 0, 401, -1, "http status 401", "null", false, false},
      {111, nullptr, 0, 404, -1, "http status 404", "null", false, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.meeting_id);
    const std::string id = std::to_string(c.meeting_id);
    base::json::JsonValue entry = base::json::JsonValue::MakeObject();
    entry.Set("biz_code", c.entry_biz_code);
    entry.Set("data", Json(kInfo));
    if (c.fault) {
      entry.Set("fault", c.fault);
      backend_.SetMeeting(id, entry);
    }
    recorder_.Clear();
    delegate_.calls.clear();
    velmosdk::utils::environment::SetRequestTimeoutMs(
        c.status_code == VELMO_CGI::kStatusTimedOut ? kShortTimeoutMs : kPatientTimeoutMs);
    service_->GetMeetingEndPopUpInfo(MakeInfo(c.meeting_id), &delegate_);
    ASSERT_TRUE(WaitForResponses(1));

    ASSERT_EQ(delegate_.calls.size(), 1u);
    const auto& call = delegate_.calls[0];
    EXPECT_EQ(call.info.meeting_id, c.meeting_id);
    ASSERT_TRUE(call.is_meeting_end_result);
    EXPECT_EQ(call.result.status_code, c.status_code);
    EXPECT_EQ(call.result.biz_code, c.biz_code);
    EXPECT_EQ(call.result.msg, c.msg);
    EXPECT_EQ(call.result.begin_time + call.result.duration_time + call.result.join_uid_num +
                  call.result.join_time + call.result.cumulative_time,
              0u);

    std::string data_text;
    if (c.data_text) {
      data_text = std::string(c.data_text) + "\n";
    } else {
      base::json::JsonValue data = Json(kInfo);
      if (c.no_basic_info) {
        base::json::JsonValue info = base::json::JsonValue::MakeArray();
        info.Append(data["info"]);
        data.Set("info", info);
      }
      data_text = data.ToStyledString();
    }
    const std::string status = std::to_string(c.status_code);
    const std::string biz = std::to_string(c.biz_code);
    std::vector<std::pair<int, std::string>> expected = {
        {6, "[After meeting] get-conclusion-info - meeting_id: " + id +
                ", sub_meeting_id: , open_room_num: 7, meeting_type: 1, app_uid: u-1, "
                "app_id: 200000001"},
        {6, "biz_code: " + biz + ", status_code: " + status},
        {6, "get meeting end popup info : " + data_text},
    };
    if (c.no_basic_info) expected.emplace_back(3, "no basic_info ");
    expected.emplace_back(3, std::string("parse meeting end popup info failed.") +
                                 (c.success ? "true" : "false"));
    expected.emplace_back(6, kResponseLine + id + ", " + status + ", " + biz + ", " + c.msg);
    EXPECT_EQ(ModuleLines(), expected);
  }
}

TEST_F(MeetingEndRequest, WithoutACallbackTheOutcomeIsLoggedAndDropped) {
  backend_.SetMeeting("1", Json(R"({"biz_code": 0, "data": {}})"));
  auto request = std::make_shared<GetMeetingEndPopUpInfoRequest>();
  request->SetRequestInfo(MakeInfo(1));
  std::weak_ptr<GetMeetingEndPopUpInfoRequest> watch = request;
  request->Run(nullptr);
  request.reset();
  ASSERT_TRUE(testing_support::RunLoopUntil([&] { return watch.expired(); }));
  EXPECT_EQ(recorder_.LogLevelOf("callback is not set"), 1);
  EXPECT_TRUE(delegate_.calls.empty());
}

}  // namespace
}  // namespace test
}  // namespace after_meeting
