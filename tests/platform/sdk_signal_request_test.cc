#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include "platform/base/json.h"
#include "platform/sdk/cgi.h"
#include "platform/sdk/environment.h"
#include "platform/sdk/signal_request.h"
#include "platform/testing/data_center_backend.h"
#include "platform/testing/run_loop.h"

namespace {

namespace env = velmosdk::utils::environment;
using base::json::JsonValue;
using testing_support::DataCenterBackend;
using velmosdk::plugin::Result;

constexpr char kPath[] = "/v2/velmo_data_center/get_meeting_end_pop_up_info";
// Loaded sanitizer runs must never time out by accident; only the "slow" meeting, whose answer
// comes after 3 s, runs with the short time-out.
constexpr int kPatientTimeoutMs = 5000;
constexpr int kShortTimeoutMs = 200;

JsonValue Json(const char* text) {
  JsonValue value;
  EXPECT_TRUE(JsonValue::Parse(text, &value)) << text;
  return value;
}

// Records what the layer hands to its hooks, in order, then lets the default deliver.
class ProbeRequest : public velmosdk::plugin::VelmoSignalRequest {
 public:
  void PrintResponseData(const Result& result) override { steps.push_back("print"); }
  void HandleBizResponse(bool success_in, const Result& result,
                         const JsonValue& data_in) override {
    steps.push_back("handle");
    success = success_in;
    data = data_in;
    VelmoSignalRequest::HandleBizResponse(success_in, result, data_in);
  }
  using VelmoSignalRequest::HandleBizResponse;

  std::vector<std::string> steps;
  bool success = false;
  JsonValue data;
};

struct Outcome {
  int calls = 0;
  bool on_main_thread = false;
  Result result;
};

class SdkSignalRequest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(backend_.Start());
    backend_.SetSlowDelayMs(3000);
    env::SetCgiBaseUrl(backend_.BaseUrl());
    env::SetRequestTimeoutMs(kPatientTimeoutMs);
    env::SetAccountToken(env::kDefaultAccountToken);
  }
  void TearDown() override {
    backend_.Stop();
    env::SetCgiBaseUrl("");
    env::SetRequestTimeoutMs(0);
    env::SetAccountToken(env::kDefaultAccountToken);
  }

  std::shared_ptr<ProbeRequest> MakePost(const std::string& meeting_id) {
    auto request = std::make_shared<ProbeRequest>();
    request->SetUrl(velmosdk::utils::cgi::MakeCgiCommonUrlPath(kPath));
    request->SetMethod(ProbeRequest::kPost);
    request->SetBody("{\"meeting_id\": \"" + meeting_id + "\"}");
    request->WithToken(true);
    return request;
  }

  // Runs the request, waits for its callback and for the layer to let go of it.
  std::shared_ptr<Outcome> RunAndWait(const std::shared_ptr<ProbeRequest>& request) {
    auto outcome = std::make_shared<Outcome>();
    request->Run([outcome](const Result* result) {
      ++outcome->calls;
      outcome->on_main_thread = QThread::currentThread() == qApp->thread();
      outcome->result = *result;
    });
    EXPECT_TRUE(testing_support::RunLoopUntil([&] {
      return outcome->calls > 0 && ProbeRequest::InFlightCount() == 0;
    }));
    QCoreApplication::processEvents();  // anything queued after the completion
    return outcome;
  }

  DataCenterBackend backend_;
};

TEST_F(SdkSignalRequest, EachOutcomeCompletesOnceOnTheMainThreadWithItsCodes) {
  backend_.SetMeeting("1", Json(R"({"biz_code": 0, "msg": "ok", "data": {"x": 1}})"));
  const char* kFaults[] = {"biz_-101", "not_json", "payload_not_object", "http_500",
                           "no_token", "drop", "slow"};
  for (const char* fault : kFaults) {
    JsonValue entry = Json(R"({"biz_code": 0, "data": {"x": 1}})");
    entry.Set("fault", fault);
    backend_.SetMeeting(fault, entry);
  }

  struct Case {
    const char* meeting;
    int32_t status_code;
    int64_t biz_code;
    bool success;
    const char* msg;
    const char* data;  // compact JSON of the payload handed on
  };
  const Case kCases[] = {
      {"1", 200, 0, true, "ok", R"({"x":1})"},
      {"biz_-101", 200, -101, true, "", "{}"},
      {"not_json", 200, -1, false, "response is not a JSON envelope", "null"},
      {"payload_not_object", 200, 0, true, "", "[]"},
      {"http_500", 500, -1, false, "http status 500", "null"},
      {"no_token", 401, -1, false, "http status 401", "null"},
      {"missing", 404, -1, false, "http status 404", "null"},
      {"drop", VELMO_CGI::kStatusConnectionFailed, -1, false, "connection failed", "null"},
      {"slow", VELMO_CGI::kStatusTimedOut, -1, false, "request timed out", "null"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.meeting);
    env::SetRequestTimeoutMs(c.status_code == VELMO_CGI::kStatusTimedOut ? kShortTimeoutMs
                                                                         : kPatientTimeoutMs);
    auto request = MakePost(c.meeting);
    auto outcome = RunAndWait(request);
    EXPECT_EQ(outcome->calls, 1);
    EXPECT_TRUE(outcome->on_main_thread);
    EXPECT_EQ(request->steps, (std::vector<std::string>{"print", "handle"}));
    EXPECT_EQ(outcome->result.status_code, c.status_code);
    EXPECT_EQ(outcome->result.biz_code, c.biz_code);
    EXPECT_EQ(outcome->result.msg, c.msg);
    EXPECT_EQ(request->success, c.success);
    EXPECT_EQ(request->data.ToCompactString(), c.data);
  }
}

TEST_F(SdkSignalRequest, BizMinus100OnceFailsOnlyTheFirstRequest) {
  backend_.SetMeeting("7", Json(R"({"biz_code": 0, "data": {}, "fault": "biz_-100_once"})"));
  backend_.SetMeeting("8", Json(R"({"biz_code": 0, "data": {}, "fault": "biz_-100"})"));
  const std::pair<const char*, std::vector<int64_t>> kCases[] = {{"7", {-100, 0, 0}},
                                                                 {"8", {-100, -100, -100}}};
  for (const auto& [meeting, expected] : kCases) {
    std::vector<int64_t> got;
    for (size_t i = 0; i < expected.size(); ++i) got.push_back(RunAndWait(MakePost(meeting))->result.biz_code);
    EXPECT_EQ(got, expected) << meeting;
  }
}

TEST_F(SdkSignalRequest, SendsMethodBodyAndBearerTokenOnlyWhenAsked) {
  backend_.SetMeeting("5", Json(R"({"biz_code": 0, "data": {}})"));
  struct Case {
    int method;
    bool with_token;
    const char* account_token;
    uint64_t subscribe_token;
    int32_t status_code;
    const char* received_method;
    const char* authorization;
    const char* subscribe_header;
  };
  const std::string bearer = std::string("Bearer ") + env::kDefaultAccountToken;
  const Case kCases[] = {
      {ProbeRequest::kPost, true, env::kDefaultAccountToken, 0, 200, "POST", bearer.c_str(), ""},
      {ProbeRequest::kPost, true, env::kDefaultAccountToken, 42, 200, "POST", bearer.c_str(), "42"},
      {ProbeRequest::kPost, false, env::kDefaultAccountToken, 0, 401, "POST", "", ""},
      {ProbeRequest::kPost, true, "someone-else", 0, 401, "POST", "Bearer someone-else", ""},
      // The back end answers only POST; the point is that GET sends no body.
      {ProbeRequest::kGet, true, env::kDefaultAccountToken, 0, 404, "", "", ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.account_token) + " " + std::to_string(c.method));
    backend_.ClearRequests();
    env::SetAccountToken(c.account_token);
    auto request = MakePost("5");
    request->SetMethod(c.method);
    request->WithToken(c.with_token);
    request->SetSubscribeToken(c.subscribe_token);
    EXPECT_EQ(RunAndWait(request)->result.status_code, c.status_code);

    const auto received = backend_.Requests();
    if (std::string(c.received_method).empty()) {
      EXPECT_TRUE(received.empty());
      continue;
    }
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].method, c.received_method);
    EXPECT_EQ(received[0].path, kPath);
    EXPECT_EQ(received[0].raw_body, "{\"meeting_id\": \"5\"}");
    EXPECT_EQ(received[0].Header("content-type"), "application/json");
    EXPECT_EQ(received[0].Header("Authorization"), c.authorization);
    EXPECT_EQ(received[0].Header("X-Velmo-Subscribe-Token"), c.subscribe_header);
    EXPECT_EQ(received[0].auth, c.status_code == 200);
  }
}

TEST_F(SdkSignalRequest, RequestWhoseOwnerDroppedItStillCompletesAndThenGoes) {
  backend_.SetMeeting("5", Json(R"({"biz_code": 0, "data": {}})"));
  auto owner = std::make_shared<int>(0);
  std::weak_ptr<ProbeRequest> watch;
  int calls = 0;
  {
    auto request = MakePost("5");
    watch = request;
    std::weak_ptr<int> weak_owner = owner;
    request->Run([weak_owner, &calls](const Result*) {
      ++calls;
      if (auto alive = weak_owner.lock()) ++*alive;
    });
  }
  owner.reset();
  EXPECT_FALSE(watch.expired());  // kept by the layer while in flight
  ASSERT_TRUE(testing_support::RunLoopUntil([&] { return watch.expired(); }));
  EXPECT_EQ(calls, 1);
}

TEST_F(SdkSignalRequest, RunFromAnotherThreadCompletesOnTheMainThread) {
  backend_.SetMeeting("5", Json(R"({"biz_code": 0, "data": {}})"));
  auto request = MakePost("5");
  auto outcome = std::make_shared<Outcome>();
  std::thread worker([&] {
    request->Run([outcome](const Result* result) {
      ++outcome->calls;
      outcome->on_main_thread = QThread::currentThread() == qApp->thread();
      outcome->result = *result;
    });
  });
  worker.join();
  ASSERT_TRUE(testing_support::RunLoopUntil([&] { return outcome->calls > 0; }));
  EXPECT_EQ(outcome->calls, 1);
  EXPECT_TRUE(outcome->on_main_thread);
  EXPECT_EQ(outcome->result.status_code, 200);
}

TEST_F(SdkSignalRequest, InvalidRequestFailsLaterWithoutSending) {
  const std::pair<const char*, int> kCases[] = {
      {"not a url", ProbeRequest::kPost},
      {"ftp://127.0.0.1/x", ProbeRequest::kPost},
      {"/v2/relative", ProbeRequest::kPost},
      {"", ProbeRequest::kGet},
  };
  for (const auto& [url, method] : kCases) {
    SCOPED_TRACE(url);
    auto request = std::make_shared<ProbeRequest>();
    request->SetUrl(url);
    request->SetMethod(method);
    int calls = 0;
    Result got;
    request->Run([&](const Result* result) {
      ++calls;
      got = *result;
    });
    EXPECT_EQ(calls, 0);  // never from inside Run
    ASSERT_TRUE(testing_support::RunLoopUntil([&] { return calls > 0; }));
    EXPECT_EQ(got.status_code, VELMO_CGI::kStatusInvalidRequest);
  }
  auto bad_method = MakePost("5");
  bad_method->SetMethod(9);
  EXPECT_EQ(RunAndWait(bad_method)->result.status_code, VELMO_CGI::kStatusInvalidRequest);
  EXPECT_TRUE(backend_.Requests().empty());
}

TEST(SdkEnvelope, ParseTakesFieldsOfAnObjectAndRejectsTheRest) {
  struct Case {
    const char* body;
    bool ok;
    int64_t biz_code;
    const char* msg;
    const char* request_id;
    const char* data;
  };
  const Case kCases[] = {
      {R"({"biz_code": 3, "msg": "m", "request_id": "r", "data": {"a": [1]}})", true, 3, "m",
       "r", R"({"a":[1]})"},
      {R"({"biz_code": -9223372036854775808})", true, INT64_MIN, "", "", "null"},
      {R"({"biz_code": "0", "msg": 5, "data": 7})", true, -1, "", "", "7"},
      {R"({"biz_code": 1.0})", true, -1, "", "", "null"},
      {"{}", true, -1, "", "", "null"},
      {"[]", false, 99, "keep", "keep", "\"keep\""},
      {"\"text\"", false, 99, "keep", "keep", "\"keep\""},
      {"{\"biz_code\": 0", false, 99, "keep", "keep", "\"keep\""},
      {"", false, 99, "keep", "keep", "\"keep\""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.body);
    VELMO_CGI::CgiResult result;
    result.biz_code = 99;
    result.msg = result.request_id = "keep";
    result.data = JsonValue("keep");
    EXPECT_EQ(VELMO_CGI::VelmoSignalRequestBase::ParseEnvelope(c.body, &result), c.ok);
    EXPECT_EQ(result.biz_code, c.biz_code);
    EXPECT_EQ(result.msg, c.msg);
    EXPECT_EQ(result.request_id, c.request_id);
    EXPECT_EQ(result.data.ToCompactString(), c.data);
  }
}

TEST(SdkEnvironment, CgiUrlIsTheBaseUrlAndPathWithOneSlash) {
  if (std::getenv("VELMO_CGI_BASE_URL")) GTEST_SKIP() << "VELMO_CGI_BASE_URL is set outside";
  const struct {
    const char* base;
    const char* path;
    const char* url;
  } kCases[] = {
      {"https://dc.example", "/v2/x", "https://dc.example/v2/x"},
      {"https://dc.example/", "/v2/x", "https://dc.example/v2/x"},
      {"https://dc.example", "v2/x", "https://dc.example/v2/x"},
      {"http://127.0.0.1:8080/api", "/v2/x", "http://127.0.0.1:8080/api/v2/x"},
      {"", "/v2/x", "/v2/x"},
  };
  for (const auto& c : kCases) {
    env::SetCgiBaseUrl(c.base);
    EXPECT_EQ(velmosdk::utils::cgi::MakeCgiCommonUrlPath(c.path), c.url);
  }
  env::SetCgiBaseUrl("https://set.example");
  setenv("VELMO_CGI_BASE_URL", "https://override.example", 1);
  EXPECT_EQ(velmosdk::utils::cgi::MakeCgiCommonUrlPath("/p"), "https://override.example/p");
  unsetenv("VELMO_CGI_BASE_URL");
  EXPECT_EQ(velmosdk::utils::cgi::MakeCgiCommonUrlPath("/p"), "https://set.example/p");
  env::SetCgiBaseUrl("");

  const std::string previous_res = env::GetAppResDirectory();
  env::SetAppResDirectory("/opt/velmo/res");
  EXPECT_EQ(env::GetAppResDirectory(), "/opt/velmo/res");
  env::SetAppResDirectory(previous_res);

  env::SetRequestTimeoutMs(-5);
  EXPECT_EQ(env::GetRequestTimeoutMs(), env::kDefaultRequestTimeoutMs);
}

}  // namespace
