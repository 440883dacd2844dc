// A fixture for the meeting-end request and the service: the embedded back end on loopback, the
// client pointed at it with a short time-out, a recording delegate attached to the service, and
// the module's log lines captured.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "after_meeting/model/after_meeting_service.h"
#include "after_meeting/model/get_meeting_end_pop_up_info_request.h"
#include "platform/base/json.h"
#include "platform/sdk/environment.h"
#include "platform/testing/data_center_backend.h"
#include "platform/testing/recorder.h"
#include "platform/testing/run_loop.h"

namespace after_meeting {
namespace test {

class RecordingDelegate : public IAfterMeetingServiceDelegate {
 public:
  struct Call {
    PluginGetMeetingEndPopUpInfoReqInfo info;
    bool is_meeting_end_result = false;
    MeetingEndPopUpInfoResult result;
  };
  void OnGetMeetingEndPopUpInfo(const PluginGetMeetingEndPopUpInfoReqInfo& info,
                                const Result* result) override {
    Call call;
    call.info = info;
    if (auto* record = dynamic_cast<const MeetingEndPopUpInfoResult*>(result)) {
      call.is_meeting_end_result = true;
      call.result = *record;
    }
    calls.push_back(std::move(call));
  }
  std::vector<Call> calls;
};

inline base::json::JsonValue Json(const char* text) {
  base::json::JsonValue value;
  EXPECT_TRUE(base::json::JsonValue::Parse(text, &value)) << text;
  return value;
}

inline PluginGetMeetingEndPopUpInfoReqInfo MakeInfo(uint64_t meeting_id) {
  PluginGetMeetingEndPopUpInfoReqInfo info;
  info.meeting_id = meeting_id;
  info.open_room_num = 7;
  info.meeting_type = 1;
  info.app_uid = "u-1";
  info.app_id = 200000001;
  return info;
}

class MeetingEndBackendTest : public ::testing::Test {
 protected:
  static constexpr char kResponseLine[] = "[After meeting] get-conclusion-info resp - meeting_id: ";
  // Loaded sanitizer runs must never time out by accident; a test that wants the time-out sets
  // kShortTimeoutMs, well below the back end's 3 s "slow" delay.
  static constexpr int kPatientTimeoutMs = 5000;
  static constexpr int kShortTimeoutMs = 200;

  void SetUp() override {
    ASSERT_TRUE(backend_.Start());
    backend_.SetSlowDelayMs(3000);
    velmosdk::utils::environment::SetCgiBaseUrl(backend_.BaseUrl());
    velmosdk::utils::environment::SetRequestTimeoutMs(kPatientTimeoutMs);
    service_ = AfterMeetingService::GetInstance();
    service_->SetDelegate(&delegate_);
  }
  void TearDown() override {
    service_->SetDelegate(nullptr);
    backend_.Stop();
    velmosdk::utils::environment::SetCgiBaseUrl("");
    velmosdk::utils::environment::SetRequestTimeoutMs(0);
  }

  // Runs the loop until `count` completions in all went through the service's callback.
  bool WaitForResponses(int count) {
    return testing_support::RunLoopUntil([&] {
      return recorder_.CountLog(kResponseLine, /*prefix=*/true) >= count &&
             velmosdk::plugin::VelmoSignalRequest::InFlightCount() == 0;
    });
  }

  // The module's own lines, as (level, text). A build through ccache with a base directory names
  // sources relative to the build directory ("../../after_meeting/..."), hence the "../" skip.
  std::vector<std::pair<int, std::string>> ModuleLines() const {
    std::vector<std::pair<int, std::string>> lines;
    for (const auto& fields : recorder_.Of("log")) {
      const std::string file_name = fields.GetString("file");
      std::string_view file = file_name;
      while (file.substr(0, 3) == "../") file.remove_prefix(3);
      if (file.substr(0, 14) == "after_meeting/")
        lines.emplace_back(fields.GetInt32("level"), fields.GetString("text"));
    }
    return lines;
  }

  testing_support::Recorder recorder_;
  testing_support::DataCenterBackend backend_;
  RecordingDelegate delegate_;
  AfterMeetingService* service_ = nullptr;
};

}  // namespace test
}  // namespace after_meeting
