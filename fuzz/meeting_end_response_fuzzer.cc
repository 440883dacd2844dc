// Feeds arbitrary bytes to the meeting-end answer's parsers: the response envelope, the
// payload's basic-info parse and the numeric-string rule.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "after_meeting/model/get_meeting_end_pop_up_info_request.h"
#include "after_meeting/model/numeric_string.h"
#include "platform/base/json.h"
#include "platform/base/log.h"
#include "platform/sdk/plugin_result.h"
#include "platform/sdk/signal_request_base.h"

namespace {

// A run of at most 19 digits always fits, so the rule must read it exactly.
void CheckPlainDigits(std::string_view text, uint64_t value) {
  if (text.empty() || text.size() > 19) return;
  uint64_t expected = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return;
    expected = expected * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value != expected) __builtin_trap();
}

void HandPayload(const base::json::JsonValue& payload) {
  auto request = std::make_shared<after_meeting::GetMeetingEndPopUpInfoRequest>();
  velmosdk::plugin::Result result;
  result.status_code = 200;
  result.biz_code = 0;
  request->HandleBizResponse(/*success=*/true, result, payload);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool quiet = [] {
    base::log::SetStderrLevel(0);
    return true;
  }();
  (void)quiet;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  CheckPlainDigits(bytes, after_meeting::NumericStringToUInt64(bytes));

  // The bytes as a whole response body, and as the payload itself, so that object-shaped input
  // reaches the figures directly.
  VELMO_CGI::CgiResult envelope;
  if (VELMO_CGI::VelmoSignalRequestBase::ParseEnvelope(bytes, &envelope))
    HandPayload(envelope.data);
  base::json::JsonValue payload;
  if (base::json::JsonValue::Parse(bytes, &payload)) HandPayload(payload);
  return 0;
}
