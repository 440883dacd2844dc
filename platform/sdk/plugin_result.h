// velmosdk::plugin::Result: what the SDK's signal-request layer reports for one request.
#pragma once

#include <cstdint>
#include <string>

namespace velmosdk {
namespace plugin {

struct Result {
  virtual ~Result() = default;
  int32_t status_code = -1;  // HTTP status, or a negative transport code (see signal_request.h)
  std::string msg;           // the envelope's message, or a description of the failure
  int64_t biz_code = -1;     // the envelope's business code; -1 when there was no envelope
  std::string request_id;    // the envelope's request id, when it has one
};

}  // namespace plugin
}  // namespace velmosdk
