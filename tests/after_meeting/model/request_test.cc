#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/after_meeting/model/meeting_end_backend_fixture.h"

namespace after_meeting::test {
namespace {

using MeetingEndRequest = MeetingEndBackendTest;
using velmosdk::utils::environment::kDefaultAccountToken;
constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();

TEST_F(MeetingEndRequest, PostsAStyledBodyInMemberOrderWithTheirTypesAndTheToken) {
  PluginGetMeetingEndPopUpInfoReqInfo full;
  full.meeting_id = 8812345678;
  full.sub_meeting_id = "p-1";
  full.open_room_num = kMax;
  full.meeting_type = 0xFFFFFFFF;
  full.app_uid = "144115198765432100";
  full.app_id = uint64_t{1} << 63;
  const std::pair<PluginGetMeetingEndPopUpInfoReqInfo, const char*> kCases[] = {
      {full,
       "{\n    \"meeting_id\": \"8812345678\",\n    \"sub_meeting_id\": \"p-1\",\n"
       "    \"open_room_num\": -1,\n    \"meeting_type\": -1,\n"
       "    \"app_uid\": \"144115198765432100\",\n    \"app_id\": -9223372036854775808\n}\n"},
      {PluginGetMeetingEndPopUpInfoReqInfo(),
       "{\n    \"meeting_id\": \"0\",\n    \"open_room_num\": 0,\n    \"meeting_type\": 0,\n"
       "    \"app_uid\": \"\",\n    \"app_id\": 0\n}\n"},
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
    EXPECT_EQ(received[0].raw_body, body);
    EXPECT_EQ(received[0].Header("Authorization"), std::string("Bearer ") + kDefaultAccountToken);
    EXPECT_TRUE(received[0].auth);
  }
}

TEST_F(MeetingEndRequest, EachFigureIsReadFromItsOwnInfoString) {
  backend_.SetMeeting("1", Json(R"({"biz_code": 0, "data": {"info": {
      "begin_time": "1767225600000", "duration_time": "-1", "join_uid_num": "12",
      "join_time": "3.9", "cumulative_time": "3599000"}}})"));
  service_->GetMeetingEndPopUpInfo(MakeInfo(1), &delegate_);
  ASSERT_TRUE(WaitForResponses(1));
  ASSERT_EQ(delegate_.calls.size(), 1u);
  const MeetingEndPopUpInfoResult& r = delegate_.calls[0].result;
  EXPECT_EQ((std::vector<uint64_t>{r.begin_time, r.duration_time, r.join_uid_num, r.join_time,
                                   r.cumulative_time}),
            (std::vector<uint64_t>{1767225600000, kMax, 12, 3, 3599000}));
  EXPECT_TRUE(delegate_.calls[0].on_main_thread);
  EXPECT_FALSE(recorder_.HasLog("parse meeting end popup info failed.", /*prefix=*/true));
}

TEST_F(MeetingEndRequest, FailuresReachTheDelegateOnceWithZeroFiguresAndTheirLines) {
  const char* kData = R"({"info": {"begin_time": "1", "duration_time": "2", "join_uid_num": "3",
                                    "join_time": "4", "cumulative_time": "5"}})";
  const std::string kDataText = Json(kData).ToStyledString();
  struct Case {
    uint64_t meeting_id;
    const char* fault;  // nullptr: no entry at all
    int64_t entry_biz_code;
    int32_t status_code;
    int64_t biz_code;
    const char* msg;
    std::string data_text;  // the payload as the request logs it
    bool success;
  };
  // The fault answers each have a bundled scenario that checks their lines; these are the shapes
  // the payload line and the figures take.
  const Case kCases[] = {
      {103, "", -5, 200, -5, "", kDataText, true},  // figures present, business code not 0
      {105, "payload_not_object", 0, 200, 0, "", "[]\n", true},
      {111, nullptr, 0, 404, -1, "http status 404", "null\n", false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.meeting_id);
    const std::string id = std::to_string(c.meeting_id);
    base::json::JsonValue entry = Json(std::string("{\"data\": ") + kData + "}");
    entry.Set("biz_code", c.entry_biz_code);
    if (c.fault) {
      entry.Set("fault", c.fault);
      backend_.SetMeeting(id, entry);
    }
    recorder_.Clear();
    delegate_.calls.clear();
    service_->GetMeetingEndPopUpInfo(MakeInfo(c.meeting_id), &delegate_);
    ASSERT_TRUE(WaitForResponses(1));

    ASSERT_EQ(delegate_.calls.size(), 1u);
    const auto& call = delegate_.calls[0];
    EXPECT_EQ(call.info.meeting_id, c.meeting_id);
    EXPECT_EQ(call.result.status_code, c.status_code);
    EXPECT_EQ(call.result.biz_code, c.biz_code);
    EXPECT_EQ(call.result.msg, c.msg);
    EXPECT_EQ(call.result.begin_time | call.result.duration_time | call.result.join_uid_num |
                  call.result.join_time | call.result.cumulative_time,
              0u);

    const std::string status = std::to_string(c.status_code);
    const std::string biz = std::to_string(c.biz_code);
    const std::vector<std::pair<int, std::string>> expected = {
        {6, "[After meeting] get-conclusion-info - meeting_id: " + id +
                ", sub_meeting_id: , open_room_num: 7, meeting_type: 1, app_uid: u-1, "
                "app_id: 200000001"},
        {6, "biz_code: " + biz + ", status_code: " + status},
        {6, "get meeting end popup info : " + c.data_text},
        {3, std::string("parse meeting end popup info failed.") + (c.success ? "true" : "false")},
        {6, kResponseLine + id + ", " + status + ", " + biz + ", " + c.msg},
    };
    EXPECT_EQ(ModuleLines(), expected);
  }
}

TEST_F(MeetingEndRequest, WithoutACallbackTheOutcomeIsLoggedAndTheRequestReleased) {
  backend_.SetMeeting("1", Json(R"({"biz_code": 0, "data": {}})"));
  auto request = std::make_shared<GetMeetingEndPopUpInfoRequest>();
  request->SetRequestInfo(MakeInfo(1));
  std::weak_ptr<GetMeetingEndPopUpInfoRequest> watch = request;
  request->Run(nullptr);
  request.reset();
  EXPECT_FALSE(watch.expired());  // kept by the layer while in flight
  ASSERT_TRUE(testing_support::RunLoopUntil([&] { return watch.expired(); }));
  EXPECT_EQ(recorder_.LogLevelOf("callback is not set"), 1);
}

}  // namespace
}  // namespace after_meeting::test
