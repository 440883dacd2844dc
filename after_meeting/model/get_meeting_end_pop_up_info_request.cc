#include "after_meeting/model/get_meeting_end_pop_up_info_request.h"

#include <string>

#include "after_meeting/host/log.h"
#include "after_meeting/model/numeric_string.h"
#include "platform/sdk/cgi.h"

namespace after_meeting {

namespace {
constexpr char kMeetingEndPopUpInfoPath[] = "/v2/velmo_data_center/get_meeting_end_pop_up_info";
}  // namespace

GetMeetingEndPopUpInfoRequest::GetMeetingEndPopUpInfoRequest() = default;
GetMeetingEndPopUpInfoRequest::~GetMeetingEndPopUpInfoRequest() = default;

GetMeetingEndPopUpInfoRequest& GetMeetingEndPopUpInfoRequest::SetRequestInfo(
    const PluginGetMeetingEndPopUpInfoReqInfo& info) {
  SetUrl(velmosdk::utils::cgi::MakeCgiCommonUrlPath(kMeetingEndPopUpInfoPath));
  SetMethod(kPost);

  // The back end reads the ids as signed numbers and the meeting id as text.
  base::json::JsonValue body = base::json::JsonValue::MakeObject();
  body.Set("meeting_id", std::to_string(info.meeting_id));
  if (!info.sub_meeting_id.empty()) body.Set("sub_meeting_id", info.sub_meeting_id);
  body.Set("open_room_num", static_cast<int64_t>(info.open_room_num));
  body.Set("meeting_type", static_cast<int32_t>(info.meeting_type));
  body.Set("app_uid", info.app_uid);
  body.Set("app_id", static_cast<int64_t>(info.app_id));
  SetBody(body.ToStyledString());

  WithToken(true);
  SetSubscribeToken(info.subscribe_token);
  return *this;
}

void GetMeetingEndPopUpInfoRequest::PrintResponseData(const velmosdk::plugin::Result& result) {
  AM_LOG(6) << "biz_code: " << result.biz_code << ", status_code: " << result.status_code;
}

void GetMeetingEndPopUpInfoRequest::HandleBizResponse(bool success,
                                                      const velmosdk::plugin::Result& result,
                                                      const base::json::JsonValue& data) {
  AM_LOG(6) << "get meeting end popup info : " << data.ToStyledString();

  MeetingEndPopUpInfoResult record;
  static_cast<velmosdk::plugin::Result&>(record) = result;
  const bool parsed =
      success && record.biz_code == 0 && data.IsObject() && ParseBasicInfo(data, &record);
  if (!parsed) AM_LOG(3) << "parse meeting end popup info failed." << success;

  if (!DeliverResult(&record)) AM_LOG(1) << "callback is not set";
}

bool GetMeetingEndPopUpInfoRequest::ParseBasicInfo(const base::json::JsonValue& data,
                                                   MeetingEndPopUpInfoResult* record) {
  const base::json::JsonValue info = data["info"];
  if (!info.IsObject()) {
    AM_LOG(3) << "no basic_info ";
    return false;
  }
  // A member that is missing or not a string reads as "" and so as 0.
  record->begin_time = NumericStringToUInt64(info["begin_time"].AsString());
  record->duration_time = NumericStringToUInt64(info["duration_time"].AsString());
  record->join_uid_num = NumericStringToUInt64(info["join_uid_num"].AsString());
  record->join_time = NumericStringToUInt64(info["join_time"].AsString());
  record->cumulative_time = NumericStringToUInt64(info["cumulative_time"].AsString());
  return true;
}

}  // namespace after_meeting
