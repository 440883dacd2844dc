// GetMeetingEndPopUpInfoRequest: the one back-end request of the module. It asks for the basic
// figures of the meeting that just ended and reports them, parsed, to its completion callback.
//
//   auto request = std::make_shared<GetMeetingEndPopUpInfoRequest>();
//   request->SetRequestInfo(info);
//   request->Run([request](const Result* result) { ... });   // a MeetingEndPopUpInfoResult
//
// Filled once and run once; completes on the main thread.
#pragma once

#include <cstdint>
#include <string>

#include "platform/base/json.h"
#include "platform/sdk/plugin_result.h"
#include "platform/sdk/signal_request.h"

namespace after_meeting {

struct PluginGetMeetingEndPopUpInfoReqInfo {
  uint64_t subscribe_token = 0;
  uint64_t meeting_id = 0;
  std::string sub_meeting_id;
  uint64_t open_room_num = 0;
  uint32_t meeting_type = 0;
  std::string app_uid;
  uint64_t app_id = 0;
};

// The SDK's result with the meeting's basic figures (milliseconds, and a plain count).
struct MeetingEndPopUpInfoResult : public velmosdk::plugin::Result {
  uint64_t begin_time = 0;
  uint64_t duration_time = 0;
  uint64_t join_uid_num = 0;
  uint64_t join_time = 0;
  uint64_t cumulative_time = 0;
};

class GetMeetingEndPopUpInfoRequest : public velmosdk::plugin::VelmoSignalRequest {
 public:
  GetMeetingEndPopUpInfoRequest();
  ~GetMeetingEndPopUpInfoRequest() override;

  GetMeetingEndPopUpInfoRequest& SetRequestInfo(const PluginGetMeetingEndPopUpInfoReqInfo& info);

  void PrintResponseData(const velmosdk::plugin::Result& result) override;
  // Always hands a MeetingEndPopUpInfoResult to the callback; its figures stay 0 unless the
  // answer succeeded with business code 0 and an "info" object.
  void HandleBizResponse(bool success, const velmosdk::plugin::Result& result,
                         const base::json::JsonValue& data) override;

 protected:
  using VelmoSignalRequest::HandleBizResponse;

 private:
  static bool ParseBasicInfo(const base::json::JsonValue& data, MeetingEndPopUpInfoResult* record);
};

}  // namespace after_meeting
