#include "platform/sdk/signal_request.h"

#include <utility>

#include "platform/base/log.h"

namespace velmosdk {
namespace plugin {

VelmoSignalRequest::~VelmoSignalRequest() = default;

void VelmoSignalRequest::Run(Callback callback) {
  callback_ = std::move(callback);
  Send();
}

void VelmoSignalRequest::PrintResponseData(const Result& result) {
  VLOG(6) << "[signal request] status_code: " << result.status_code
          << ", biz_code: " << result.biz_code;
}

void VelmoSignalRequest::HandleBizResponse(bool success, const Result& result,
                                           const base::json::JsonValue& data) {
  DeliverResult(&result);
}

bool VelmoSignalRequest::DeliverResult(const Result* result) {
  if (!callback_) return false;
  // Moved out first: the callback may drop the last outside reference to this request.
  Callback callback = std::move(callback_);
  callback_ = nullptr;
  callback(result);
  return true;
}

void VelmoSignalRequest::HandleBizResponse(const VELMO_CGI::CgiResult& cgi_result) {
  Result result;
  result.status_code = cgi_result.status_code;
  result.msg = cgi_result.msg;
  result.biz_code = cgi_result.biz_code;
  result.request_id = cgi_result.request_id;
  PrintResponseData(result);
  HandleBizResponse(cgi_result.success, result, cgi_result.data);
  // An override that reported nothing still must not keep the callback (and what it holds).
  callback_ = nullptr;
}

void VelmoSignalRequest::OnAbandoned() { callback_ = nullptr; }

}  // namespace plugin
}  // namespace velmosdk
