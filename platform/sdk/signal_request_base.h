// VELMO_CGI::VelmoSignalRequestBase: one request to the back end over HTTP(S), through the
// process's QNetworkAccessManager. It owns the transport and the response envelope; subclasses
// receive the outcome once per Send in HandleBizResponse(const CgiResult&).
//
//   auto request = std::make_shared<SomeRequest>();     // always shared-owned
//   request->SetUrl(url); request->SetMethod(VelmoSignalRequestBase::kPost);
//   request->SetBody(text); request->WithToken(true);
//
// Response envelope: a JSON object
//   {"biz_code": 0, "msg": "", "request_id": "17", "data": {...}}
// "biz_code" (integer; -1 when absent or not an integer), "msg" and "request_id" (strings; empty
// when absent) and "data" (any JSON; null when absent).
//
// Status codes: the HTTP status when a response arrived, otherwise one of the negative codes
// below. `success` is true only for HTTP 200 with a body that is an envelope object.
//
// Threading: set up on any thread; the request is sent from, and completes on, the main (Qt)
// thread, which must run a QCoreApplication. While in flight the request keeps itself alive, so
// its owner may drop it right after sending.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/base/json.h"

namespace VELMO_CGI {

// Transport outcomes that carry no HTTP status.
inline constexpr int32_t kStatusConnectionFailed = -1;  // refused, reset, closed early, TLS
inline constexpr int32_t kStatusTimedOut = -2;          // no complete answer within the time-out
inline constexpr int32_t kStatusInvalidRequest = -3;    // bad URL or method: nothing was sent

struct CgiResult {
  bool success = false;
  int32_t status_code = kStatusConnectionFailed;
  int64_t biz_code = -1;
  std::string msg;
  std::string request_id;
  base::json::JsonValue data;  // the envelope's "data"; null without an envelope
};

class VelmoSignalRequestBase : public std::enable_shared_from_this<VelmoSignalRequestBase> {
 public:
  // Request-method codes.
  enum RequestMethod : int { kGet = 1, kPut = 2, kPost = 3, kDelete = 4 };

  virtual ~VelmoSignalRequestBase();
  VelmoSignalRequestBase(const VelmoSignalRequestBase&) = delete;
  VelmoSignalRequestBase& operator=(const VelmoSignalRequestBase&) = delete;

  void SetUrl(std::string url) { url_ = std::move(url); }
  // One of RequestMethod; kPost and kPut send the body, the others send none.
  void SetMethod(int method) { method_ = method; }
  void SetBody(std::string body) { body_ = std::move(body); }
  // Attaches the signed-in account's token as the bearer credential.
  void WithToken(bool with_token) { with_token_ = with_token; }
  // Sent as the X-Velmo-Subscribe-Token header when not 0.
  void SetSubscribeToken(uint64_t token) { subscribe_token_ = token; }

  const std::string& url() const { return url_; }
  int method() const { return method_; }
  const std::string& body() const { return body_; }

  // Requests sent and not yet completed, in this process.
  static int InFlightCount();
  // Requests handed to the network so far, in this process (invalid ones never are).
  static uint64_t NetworkSendCount();

  // Reads an envelope from a response body into out's biz_code, msg, request_id and data;
  // false, with out untouched, when the body is not a JSON object. Never throws.
  static bool ParseEnvelope(std::string_view body, CgiResult* out);

 protected:
  VelmoSignalRequestBase() = default;

  // Sends the request; HandleBizResponse(const CgiResult&) follows exactly once, on the main
  // thread, never from inside Send.
  void Send();
  virtual void HandleBizResponse(const CgiResult& result) = 0;
  // The request can no longer complete (the application is going away with it in flight):
  // drop whatever refers back to the request.
  virtual void OnAbandoned() {}

 private:
  class InFlight;
  void SendOnMainThread(std::shared_ptr<InFlight> flight);

  std::string url_;
  int method_ = kGet;
  std::string body_;
  bool with_token_ = false;
  uint64_t subscribe_token_ = 0;
  std::atomic<bool> sent_{false};
};

}  // namespace VELMO_CGI
