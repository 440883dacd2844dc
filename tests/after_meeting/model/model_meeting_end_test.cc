#include <cstdint>
#include <vector>

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
  testing_support::DataCenterBackend backend_;
};

TEST_F(ModelMeetingEnd, AsksTheBackEndForTheMeetingInTheParams) {
  backend_.SetMeeting("8812345678", V(kEntry).ToJson());
  facts_.app_id = "200000001.5";
  SetFacts();
  const Variant params = V(R"({"meeting_id": 8812345678, "sub_meeting_id": "p-7",
      "open_room_num": 4242, "meeting_type": 1})");
  ASSERT_TRUE(CallModel(kCallGetAfterMeetingConclusionInfo, &params));
  ASSERT_TRUE(WaitForResponses(rec_, 1));

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

}  // namespace
}  // namespace after_meeting::test
