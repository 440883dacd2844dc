#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/json.h"
#include "platform/sdk/environment.h"
#include "platform/sdk/signal_request.h"
#include "platform/testing/data_center_backend.h"
#include "platform/testing/run_loop.h"

namespace {

namespace env = velmosdk::utils::environment;
using base::json::JsonValue;
using testing_support::DataCenterBackend;
using velmosdk::plugin::Result;
using velmosdk::plugin::VelmoSignalRequest;

class PlainRequest : public VelmoSignalRequest {};

JsonValue Json(const char* text) {
  JsonValue value;
  EXPECT_TRUE(JsonValue::Parse(text, &value)) << text;
  return value;
}

// Posts {"meeting_id": id} to base_url and waits for the answer.
Result Post(const std::string& base_url, const std::string& meeting_id) {
  auto request = std::make_shared<PlainRequest>();
  request->SetUrl(base_url + DataCenterBackend::kMeetingEndPopUpInfoPath);
  request->SetMethod(VelmoSignalRequest::kPost);
  request->SetBody("{\"meeting_id\": \"" + meeting_id + "\"}");
  request->WithToken(true);
  Result got;
  bool done = false;
  request->Run([&](const Result* result) {
    got = *result;
    done = true;
  });
  EXPECT_TRUE(testing_support::RunLoopUntil([&] { return done; }));
  return got;
}

TEST(DataCenterBackend, SeveralRunAtOnceEachWithItsOwnTableAndRecord) {
  DataCenterBackend first;
  DataCenterBackend second;
  ASSERT_TRUE(first.Start());
  ASSERT_TRUE(second.Start());
  EXPECT_FALSE(first.Start());
  EXPECT_NE(first.port(), second.port());
  first.SetMeeting("1", Json(R"({"biz_code": 0, "msg": "first", "data": {}})"));
  second.SetMeeting("2", Json(R"({"biz_code": 0, "msg": "second", "data": {}})"));

  EXPECT_EQ(Post(first.BaseUrl(), "1").msg, "first");
  EXPECT_EQ(Post(second.BaseUrl(), "2").msg, "second");
  EXPECT_EQ(Post(first.BaseUrl(), "2").status_code, 404);

  ASSERT_EQ(first.Requests().size(), 2u);
  ASSERT_EQ(second.Requests().size(), 1u);
  EXPECT_EQ(second.Requests()[0].body["meeting_id"].AsString(), "2");

  // Stopped, it no longer answers; started again, it takes a new port and keeps its table.
  first.Stop();
  EXPECT_FALSE(first.IsRunning());
  EXPECT_EQ(Post(second.BaseUrl(), "2").status_code, 200);
  ASSERT_TRUE(first.Start());
  EXPECT_EQ(Post(first.BaseUrl(), "1").msg, "first");
}

TEST(DataCenterBackend, ListenerSeesEachRequestBeforeTheAnswer) {
  DataCenterBackend backend;
  ASSERT_TRUE(backend.Start());
  backend.SetMeeting("1", Json(R"({"biz_code": 0, "data": {}})"));
  backend.SetMeeting("2", Json(R"({"biz_code": 0, "data": {}, "fault": "no_token"})"));
  std::mutex mutex;
  std::vector<std::pair<std::string, bool>> seen;  // meeting id, auth
  backend.SetListener([&](const DataCenterBackend::ReceivedRequest& request) {
    std::lock_guard<std::mutex> lock(mutex);
    seen.emplace_back(request.body["meeting_id"].AsString(), request.auth);
  });

  struct Case {
    const char* meeting;
    const char* token;
    int32_t status_code;
    bool auth;
  };
  const Case kCases[] = {
      {"1", env::kDefaultAccountToken, 200, true},
      {"1", "wrong", 401, false},
      {"2", env::kDefaultAccountToken, 401, false},
      {"3", env::kDefaultAccountToken, 404, true},
  };
  for (const Case& c : kCases) {
    env::SetAccountToken(c.token);
    const Result result = Post(backend.BaseUrl(), c.meeting);
    std::lock_guard<std::mutex> lock(mutex);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), std::make_pair(std::string(c.meeting), c.auth));
    EXPECT_EQ(result.status_code, c.status_code) << c.meeting << " " << c.token;
  }
  env::SetAccountToken(env::kDefaultAccountToken);
  EXPECT_EQ(seen.size(), std::size(kCases));
}

TEST(DataCenterBackend, StopEndsASlowAnswerThatIsStillWaiting) {
  DataCenterBackend backend;
  ASSERT_TRUE(backend.Start());
  backend.SetSlowDelayMs(60000);
  backend.SetMeeting("1", Json(R"({"biz_code": 0, "data": {}, "fault": "slow"})"));

  auto request = std::make_shared<PlainRequest>();
  request->SetUrl(backend.BaseUrl() + DataCenterBackend::kMeetingEndPopUpInfoPath);
  request->SetMethod(VelmoSignalRequest::kPost);
  request->SetBody(R"({"meeting_id": "1"})");
  request->WithToken(true);
  bool done = false;
  Result got;
  request->Run([&](const Result* result) {
    got = *result;
    done = true;
  });
  ASSERT_TRUE(testing_support::RunLoopUntil([&] { return !backend.Requests().empty(); }));
  backend.Stop();  // would hang for a minute if the waiting answer were not woken
  ASSERT_TRUE(testing_support::RunLoopUntil([&] { return done; }));
  EXPECT_NE(got.status_code, 200);
}

}  // namespace
