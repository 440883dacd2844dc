#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/scope_singleton.h"
#include "tests/after_meeting/model/meeting_end_backend_fixture.h"

namespace after_meeting::test {
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
  for (const auto& call : delegate_.calls)
    EXPECT_EQ(call.result.begin_time, call.info.meeting_id * 100);
  EXPECT_NE(delegate_.calls[0].info.meeting_id, delegate_.calls[1].info.meeting_id);
}

TEST_F(AfterMeetingServiceTest, CompletionAfterTheDelegateDetachedDoesNotReachIt) {
  backend_.SetMeeting("5", Json(R"({"biz_code": 0, "data": {}})"));
  using Meanwhile = std::function<void(AfterMeetingService*, std::unique_ptr<RecordingDelegate>&,
                                       RecordingDelegate*)>;
  const std::pair<int, Meanwhile> kCases[] = {
      {1, [](auto*, auto&, auto*) {}},
      {0, [](auto* service, auto&, auto*) { service->SetDelegate(nullptr); }},
      {0, [](auto* service, auto&, auto* other) { service->SetDelegate(other); }},
      {0, [](auto* service, auto& original, auto*) {
         service->SetDelegate(nullptr);
         service->SetDelegate(original.get());  // a new model could sit at the old address
       }},
      {0, [](auto* service, auto& original, auto*) {
         service->SetDelegate(nullptr);
         original.reset();
       }},
  };
  int completed = 0;
  for (const auto& [original_calls, meanwhile] : kCases) {
    SCOPED_TRACE(completed);
    auto original = std::make_unique<RecordingDelegate>();
    RecordingDelegate other;
    service_->SetDelegate(original.get());
    service_->GetMeetingEndPopUpInfo(MakeInfo(5), original.get());
    meanwhile(service_, original, &other);
    ASSERT_TRUE(WaitForResponses(++completed));
    EXPECT_EQ(original ? static_cast<int>(original->calls.size()) : 0, original_calls);
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
  EXPECT_NE(seen[0], nullptr);
  EXPECT_EQ(seen, std::vector<AfterMeetingService*>(kThreads, AfterMeetingService::GetInstance()));
}

}  // namespace
}  // namespace after_meeting::test
