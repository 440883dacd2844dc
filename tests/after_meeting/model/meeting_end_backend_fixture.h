// The embedded back end on loopback, the client pointed at it, a recording delegate attached to
// the service and the module's log lines captured.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include "after_meeting/model/after_meeting_service.h"
#include "platform/sdk/environment.h"
#include "platform/sdk/signal_request.h"
#include "platform/testing/data_center_backend.h"
#include "platform/testing/recorder.h"
#include "platform/testing/run_loop.h"

namespace after_meeting::test {

struct RecordingDelegate : IAfterMeetingServiceDelegate {
  struct Call {
    PluginGetMeetingEndPopUpInfoReqInfo info;
    MeetingEndPopUpInfoResult result;
    bool on_main_thread = false;
  };
  void OnGetMeetingEndPopUpInfo(const PluginGetMeetingEndPopUpInfoReqInfo& info,
                                const Result* result) override {
    auto* record = dynamic_cast<const MeetingEndPopUpInfoResult*>(result);
    ASSERT_NE(record, nullptr);
    calls.push_back({info, *record, QThread::currentThread() == qApp->thread()});
  }
  std::vector<Call> calls;
};

inline base::json::JsonValue Json(std::string_view text) {
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

inline constexpr char kResponseLine[] = "[After meeting] get-conclusion-info resp - meeting_id: ";

// Until `count` completions have gone through the service and the layer let go of them.
inline bool WaitForResponses(const testing_support::Recorder& rec, int count) {
  return testing_support::RunLoopUntil([&] {
    return rec.CountLog(kResponseLine, /*prefix=*/true) >= count &&
           velmosdk::plugin::VelmoSignalRequest::InFlightCount() == 0;
  });
}

class MeetingEndBackendTest : public ::testing::Test {
 protected:
  // Loaded sanitizer runs must never time out by accident.
  static constexpr int kPatientTimeoutMs = 5000;

  void SetUp() override {
    ASSERT_TRUE(backend_.Start());
    velmosdk::utils::environment::SetCgiBaseUrl(backend_.BaseUrl());
    velmosdk::utils::environment::SetRequestTimeoutMs(kPatientTimeoutMs);
    service_->SetDelegate(&delegate_);
  }
  void TearDown() override {
    service_->SetDelegate(nullptr);
    backend_.Stop();
    velmosdk::utils::environment::SetCgiBaseUrl("");
    velmosdk::utils::environment::SetRequestTimeoutMs(0);
  }

  bool WaitForResponses(int count) { return test::WaitForResponses(recorder_, count); }

  // The module's own lines as (level, text). Built through ccache with a base directory, sources
  // are named from the build directory ("../../after_meeting/...").
  std::vector<std::pair<int, std::string>> ModuleLines() const {
    std::vector<std::pair<int, std::string>> lines;
    for (const auto& fields : recorder_.Of("log")) {
      const std::string file = fields.GetString("file");
      std::string_view path = file;
      while (path.substr(0, 3) == "../") path.remove_prefix(3);
      if (path.substr(0, 14) == "after_meeting/")
        lines.emplace_back(fields.GetInt32("level"), fields.GetString("text"));
    }
    return lines;
  }

  testing_support::Recorder recorder_;
  testing_support::DataCenterBackend backend_;
  RecordingDelegate delegate_;
  AfterMeetingService* service_ = AfterMeetingService::GetInstance();
};

}  // namespace after_meeting::test
