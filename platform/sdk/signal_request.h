// velmosdk::plugin::VelmoSignalRequest: the request base that plug-in modules derive from. It
// turns the transport's outcome into a plugin Result, traces it (PrintResponseData) and hands it
// with the envelope's payload to HandleBizResponse, whose default gives the result to the Run
// callback.
//
//   class MyRequest : public velmosdk::plugin::VelmoSignalRequest { ... };
//   auto request = std::make_shared<MyRequest>();
//   request->SetUrl(...);  request->Run([](const Result* result) { ... });
//
// Once per Run, on the main thread: PrintResponseData, then HandleBizResponse. An override of
// HandleBizResponse that reports a record of its own passes it to DeliverResult instead of
// relying on the default. The callback runs at most once and is released right after it ran,
// so it may hold a shared reference to the request.
#pragma once

#include <functional>

#include "platform/base/json.h"
#include "platform/sdk/plugin_result.h"
#include "platform/sdk/signal_request_base.h"

namespace velmosdk {
namespace plugin {

class VelmoSignalRequest : public VELMO_CGI::VelmoSignalRequestBase {
 public:
  using Callback = std::function<void(const Result*)>;

  ~VelmoSignalRequest() override;

  // Sends the request; callback (may be empty) receives the result on completion or failure.
  void Run(Callback callback);

  // Traces the result before it is handled.
  virtual void PrintResponseData(const Result& result);
  // success: HTTP 200 with an envelope; result: status, message and business code; data: the
  // envelope's payload.
  virtual void HandleBizResponse(bool success, const Result& result,
                                 const base::json::JsonValue& data);

 protected:
  VelmoSignalRequest() = default;

  // Gives result to the Run callback and releases the callback; false when none is set (or it
  // already ran).
  bool DeliverResult(const Result* result);

  void HandleBizResponse(const VELMO_CGI::CgiResult& cgi_result) override;
  void OnAbandoned() override;

 private:
  Callback callback_;
};

}  // namespace plugin
}  // namespace velmosdk
