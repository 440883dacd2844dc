#include <atomic>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/scope_singleton.h"
#include "tests/after_meeting/model/meeting_end_backend_fixture.h"

namespace after_meeting {
namespace test {
namespace {

using AfterMeetingServiceTest = MeetingEndBackendTest;

TEST_F(AfterMeetingServiceTest, TwoRequestsInFlightEachReportTheirOwnMeeting) {
  backend_.SetMeeting("11", Json(R"({"biz_code": 0, "data": {"info": {"begin_time": "1100"}}})"));
  backend_.SetMeeting("22", Json(R"({"biz_code": 0, "data": {"info": {"begin_time": "2200"}}})"));
  EXPECT_EQ(service_->GetMeetingEndPopUpInfo(MakeInfo(11), &delegate_), 0);
  EXPECT_EQ(service_->GetMeetingEndPopUpInfo(MakeInfo(22), &delegate_), 0);
  EXPECT_EQ(velmosdk::plugin::VelmoSignalRequest::InFlightCount(), 2);
  ASSERT_TRUE(WaitForResponses(2));

  ASSERT_EQ(delegate_.calls.size(), 2u);
  std::set<std::pair<uint64_t, uint64_t>> got;  // meeting id, begin time
  for (const auto& call : delegate_.calls) got.emplace(call.info.meeting_id, call.result.begin_time);
  EXPECT_EQ(got, (std::set<std::pair<uint64_t, uint64_t>>{{11, 1100}, {22, 2200}}));
  EXPECT_EQ(recorder_.CountLog(std::string(kResponseLine) + "11, 200, 0, "), 1);
  EXPECT_EQ(recorder_.CountLog(std::string(kResponseLine) + "22, 200, 0, "), 1);
}

TEST_F(AfterMeetingServiceTest, CompletionAfterTheDelegateDetachedDoesNotReachIt) {
  backend_.SetMeeting("5", Json(R"({"biz_code": 0, "data": {}})"));
  struct Case {
    const char* name;
    int original_calls;
    // Runs while the request is in flight.
    std::function<void(AfterMeetingService*, std::unique_ptr<RecordingDelegate>&,
                       RecordingDelegate*)>
        meanwhile;
  };
  const Case kCases[] = {
      {"still attached", 1, [](auto*, auto&, auto*) {}},
      {"detached", 0, [](auto* service, auto&, auto*) { service->SetDelegate(nullptr); }},
      {"another attached", 0,
       [](auto* service, auto&, auto* other) { service->SetDelegate(other); }},
      {"detached and attached again", 0,
       [](auto* service, auto& original, auto*) {
         service->SetDelegate(nullptr);
         service->SetDelegate(original.get());
       }},
      {"detached and destroyed", 0,
       [](auto* service, auto& original, auto*) {
         service->SetDelegate(nullptr);
         original.reset();
       }},
  };
  int completed = 0;
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    auto original = std::make_unique<RecordingDelegate>();
    RecordingDelegate other;
    service_->SetDelegate(original.get());
    service_->GetMeetingEndPopUpInfo(MakeInfo(5), original.get());
    c.meanwhile(service_, original, &other);
    ASSERT_TRUE(WaitForResponses(++completed));
    EXPECT_EQ(original ? static_cast<int>(original->calls.size()) : 0, c.original_calls);
    EXPECT_TRUE(other.calls.empty());
  }
}

// Ends the host's singleton scope first, as the client does at shutdown, so that the threads
// race to create the instance rather than find it.
TEST(AfterMeetingServiceInstance, EightThreadsAtOnceGetOneInstance) {
  std::weak_ptr<AfterMeetingService> before = AfterMeetingService::GetInstance()->weak_from_this();
  base::DestroyScopeSingletons();
  EXPECT_TRUE(before.expired());

  constexpr int kThreads = 8;
  std::atomic<int> ready{0};
  std::vector<AfterMeetingService*> seen(kThreads, nullptr);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      ready.fetch_add(1);
      while (ready.load() < kThreads) std::this_thread::yield();
      seen[i] = AfterMeetingService::GetInstance();
    });
  }
  for (auto& thread : threads) thread.join();

  AfterMeetingService* instance = AfterMeetingService::GetInstance();
  ASSERT_NE(instance, nullptr);
  for (AfterMeetingService* service : seen) EXPECT_EQ(service, instance);
  EXPECT_FALSE(instance->weak_from_this().expired());  // shared-owned, so completions can guard
}

}  // namespace
}  // namespace test
}  // namespace after_meeting
