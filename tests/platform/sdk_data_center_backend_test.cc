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
using testing_support::DataCenterBackend;
using velmosdk::plugin::Result;
using velmosdk::plugin::VelmoSignalRequest;

class PlainRequest : public VelmoSignalRequest {};

std::shared_ptr<PlainRequest> MeetingEndRequest(const DataCenterBackend& backend,
                                                const std::string& meeting_id) {
  auto request = std::make_shared<PlainRequest>();
  request->SetUrl(backend.BaseUrl() + DataCenterBackend::kMeetingEndPopUpInfoPath);
  request->SetMethod(VelmoSignalRequest::kPost);
  request->SetBody("{\"meeting_id\": \"" + meeting_id + "\"}");
  request->WithToken(true);
  return request;
}

Result Post(const DataCenterBackend& backend, const std::string& meeting_id) {
  auto request = MeetingEndRequest(backend, meeting_id);
  Result got;
  bool done = false;
  request->Run([&](const Result* result) {
    got = *result;
    done = true;
  });
  EXPECT_TRUE(testing_support::RunLoopUntil([&] { return done; }));
  return got;
}

TEST(DataCenterBackend, SeveralRunAtOnceEachWithItsTableTokenCheckAndListener) {
  DataCenterBackend first;
  DataCenterBackend second;
  ASSERT_TRUE(first.Start());
  ASSERT_TRUE(second.Start());
  base::json::JsonValue entry;
  ASSERT_TRUE(base::json::JsonValue::Parse(R"({"biz_code": 0, "msg": "m", "data": {}})", &entry));
  first.SetMeeting("1", entry);
  second.SetMeeting("2", entry);
  std::mutex mutex;
  std::vector<std::pair<std::string, bool>> heard;  // meeting id, auth
  first.SetListener([&](const DataCenterBackend::ReceivedRequest& request) {
    std::lock_guard<std::mutex> lock(mutex);
    heard.emplace_back(request.body["meeting_id"].AsString(), request.auth);
  });

  EXPECT_EQ(Post(first, "1").msg, "m");
  EXPECT_EQ(Post(second, "2").status_code, 200);
  EXPECT_EQ(Post(first, "2").status_code, 404);
  env::SetAccountToken("someone-else");
  EXPECT_EQ(Post(first, "1").status_code, 401);
  env::SetAccountToken(env::kDefaultAccountToken);

  ASSERT_EQ(first.Requests().size(), 3u);
  EXPECT_EQ(first.Requests()[2].Header("authorization"), "Bearer someone-else");
  EXPECT_EQ(second.Requests().size(), 1u);
  std::lock_guard<std::mutex> lock(mutex);
  EXPECT_EQ(heard, (std::vector<std::pair<std::string, bool>>{
                       {"1", true}, {"2", true}, {"1", false}}));
}

TEST(DataCenterBackend, ReleaseSlowSendsTheHeldAnswerItself) {
  DataCenterBackend backend;
  ASSERT_TRUE(backend.Start());
  base::json::JsonValue entry;
  ASSERT_TRUE(base::json::JsonValue::Parse(
      R"({"biz_code": 0, "msg": "held", "data": {}, "fault": "slow"})", &entry));
  backend.SetMeeting("1", entry);
  backend.SetSlowDelayMs(60 * 1000);

  auto request = MeetingEndRequest(backend, "1");
  Result got;
  bool done = false;
  request->Run([&](const Result* result) {
    got = *result;
    done = true;
  });
  ASSERT_TRUE(testing_support::RunLoopUntil([&] { return backend.Requests().size() == 1; }));
  EXPECT_FALSE(testing_support::RunLoopUntil([&] { return done; }, 100));
  backend.ReleaseSlow();
  ASSERT_TRUE(testing_support::RunLoopUntil([&] { return done; }));
  EXPECT_EQ(got.status_code, 200);
  EXPECT_EQ(got.msg, "held");
}

}  // namespace
