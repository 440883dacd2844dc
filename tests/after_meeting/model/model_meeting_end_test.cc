#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "platform/sdk/environment.h"
#include "tests/after_meeting/model/meeting_end_backend_fixture.h"
#include "tests/after_meeting/model/model_fixture.h"

namespace after_meeting::test {
namespace {

constexpr char kEntry[] = R"({"biz_code": 0, "msg": "ok", "data": {"info": {
    "begin_time": "1767225600000", "duration_time": "3600000", "join_uid_num": "12",
    "join_time": "1767225660000", "cumulative_time": "3540000"}}})";

// The model against the embedded back end: the request goes over loopback and its completion
// comes back through the Qt event loop.
class ModelMeetingEnd : public AfterMeetingModelTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(backend_.Start());
    velmosdk::utils::environment::SetCgiBaseUrl(backend_.BaseUrl());
    velmosdk::utils::environment::SetRequestTimeoutMs(2000);
    AfterMeetingModelTest::SetUp();
  }
  void TearDown() override {
    AfterMeetingModelTest::TearDown();
    backend_.Stop();
    velmosdk::utils::environment::SetCgiBaseUrl("");
    velmosdk::utils::environment::SetRequestTimeoutMs(0);
  }

  bool AskForInfo(const char* params) {
    const Variant p = V(params);
    return CallModel(kCallGetAfterMeetingConclusionInfo, &p);
  }
  bool WaitForResponses(int count) { return test::WaitForResponses(rec_, count); }

  testing_support::DataCenterBackend backend_;
};

TEST_F(ModelMeetingEnd, AsksTheBackEndForTheMeetingInTheParams) {
  backend_.SetMeeting("8812345678", V(kEntry).ToJson());
  facts_.app_id = "200000001.5";
  SetFacts();
  ASSERT_TRUE(AskForInfo(R"({"meeting_id": 8812345678, "sub_meeting_id": "p-7",
      "open_room_num": 4242, "meeting_type": 1})"));
  ASSERT_TRUE(WaitForResponses(1));

  const auto requests = backend_.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(Variant::FromJson(requests[0].body),
            V(R"({"meeting_id": "8812345678", "sub_meeting_id": "p-7", "open_room_num": 4242,
                  "meeting_type": 1, "app_uid": "144115198765432100", "app_id": 200000001})"));
  Variant want = Variant::MakeMap();
  want[conclusion_info::kBizCode] = int64_t{0};
  want[conclusion_info::kMsg] = "ok";
  want[conclusion_info::kStatusCode] = 200;
  Variant& basic = want[conclusion_info::kBasicInfo];
  basic[conclusion_info::kBeginTime] = uint64_t{1767225600000};
  basic[conclusion_info::kDurationTime] = uint64_t{3600000};
  basic[conclusion_info::kJoinUidNum] = uint64_t{12};
  basic[conclusion_info::kJoinTime] = uint64_t{1767225660000};
  basic[conclusion_info::kCumulativeTime] = uint64_t{3540000};
  EXPECT_EQ(Fired(kEventConclusionInfoComplete), std::vector<Variant>{want});
  EXPECT_TRUE(rec_.HasLog("[After meeting] get-conclusion-info - result: " + want.ToString()));
}

TEST_F(ModelMeetingEnd, BusinessCodeMinus100IsAskedAgainOnceAtOnce) {
  struct Case {
    const char* name;
    const char* fault;
    int requests;
    int64_t fired_biz_code;  // 1: nothing fired
    const char* log;
  };
  const Case kCases[] = {
      {"answered", "", 1, 0, nullptr},
      {"-100 once", "biz_-100_once", 2, 0, "[After meeting] retry GetMeetingEndPopUpInfo"},
      {"-100 always", "biz_-100", 2, 1, "[After meeting] retry times Limit! - retry_times_: 1"},
      {"other business code", "biz_-101", 1, -101, nullptr},
  };
  for (const Case& c : kCases) {
    // Asking again starts with a fresh retry allowance.
    for (int round = 0; round < 2; ++round) {
      SCOPED_TRACE(std::string(c.name) + " round " + std::to_string(round));
      backend_.SetMeeting("8812345678", V(kEntry).ToJson());
      backend_.SetFault("8812345678", c.fault);
      backend_.ClearRequests();
      rec_.Clear();
      ASSERT_TRUE(AskForInfo(R"({"meeting_id": 8812345678})"));
      ASSERT_TRUE(WaitForResponses(c.requests));

      EXPECT_EQ(static_cast<int>(backend_.Requests().size()), c.requests);
      const auto fired = Fired(kEventConclusionInfoComplete);
      ASSERT_EQ(fired.size(), c.fired_biz_code == 1 ? 0u : 1u);
      if (!fired.empty()) EXPECT_EQ(fired[0].GetInt64(conclusion_info::kBizCode), c.fired_biz_code);
      EXPECT_EQ(rec_.CountLog("[After meeting] need_retry: true, retry_times_: 0"),
                c.requests == 2 ? 1 : 0);
      if (c.log) EXPECT_EQ(rec_.LogLevelOf(c.log), 6);
    }
  }
}

TEST_F(ModelMeetingEnd, CompletionAfterUnInitDoesNotReachTheModel) {
  backend_.SetMeeting("8812345678", V(kEntry).ToJson());
  ASSERT_TRUE(AskForInfo(R"({"meeting_id": 8812345678})"));
  model_->UnInit();
  ASSERT_TRUE(WaitForResponses(1));
  EXPECT_TRUE(Fired(kEventConclusionInfoComplete).empty());
  EXPECT_FALSE(rec_.HasLog("[After meeting] get-conclusion-info - result: ", /*prefix=*/true));
  model_.reset();
}

}  // namespace
}  // namespace after_meeting::test
