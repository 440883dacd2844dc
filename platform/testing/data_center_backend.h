// testing_support::DataCenterBackend: the embedded data-center back end. An HTTP server on
// 127.0.0.1 (ephemeral port, its own thread) that answers the meeting-end pop-up info request
// from a table of meetings, wraps each answer in the request layer's envelope and can be told to
// misbehave per meeting.
//
//   testing_support::DataCenterBackend backend;
//   backend.Start();
//   backend.SetMeeting("8812345678", entry);   // {"biz_code": 0, "msg": "", "data": {...}}
//   velmosdk::utils::environment::SetCgiBaseUrl(backend.BaseUrl());
//
// An entry may carry "fault": "biz_-100_once" (the first request gets business code -100, later
// ones the entry), "biz_-100", "biz_-101" (every request), "not_json" (a 200 body that is not
// JSON), "payload_not_object" ("data" is an array), "info_array" ("data"."info" is an array),
// "slow" (answers after SlowDelayMs), "drop" (breaks the connection in the middle of the answer),
// "http_500", "no_token" (treated as unauthenticated). A meeting with no entry gets 404, a
// request without the expected bearer token 401, a body without a string "meeting_id" 400.
//
// Several back ends may run at once. Thread-safe: the table, the settings and the record are
// guarded; the listener runs on the server's thread before the answer is sent.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "platform/base/json.h"

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace testing_support {

class DataCenterBackend {
 public:
  static constexpr char kMeetingEndPopUpInfoPath[] =
      "/v2/velmo_data_center/get_meeting_end_pop_up_info";

  struct ReceivedRequest {
    std::string method;
    std::string path;
    std::vector<std::pair<std::string, std::string>> headers;  // names as sent
    std::string raw_body;
    base::json::JsonValue body;  // the parsed body; null when it is not JSON
    bool auth = false;           // carried the expected token and was treated as such

    // The first header of that name (any case), or "".
    std::string Header(std::string_view name) const;
  };
  using Listener = std::function<void(const ReceivedRequest&)>;

  DataCenterBackend();
  ~DataCenterBackend();  // stops
  DataCenterBackend(const DataCenterBackend&) = delete;
  DataCenterBackend& operator=(const DataCenterBackend&) = delete;

  // Binds 127.0.0.1 on a free port and serves; false when it cannot bind or already runs.
  bool Start();
  // Wakes slow answers, stops serving and joins the server's thread.
  void Stop();
  bool IsRunning() const;
  int port() const;
  std::string BaseUrl() const;  // "http://127.0.0.1:<port>"

  // The entry as a scenario writes it, "fault" included; replaces an earlier one.
  void SetMeeting(const std::string& meeting_id, base::json::JsonValue entry);
  void RemoveMeeting(const std::string& meeting_id);
  void ClearMeetings();
  // Replaces the fault of an existing entry ("" clears it); false when there is no entry.
  bool SetFault(const std::string& meeting_id, const std::string& fault);

  // The token a request must carry as "Authorization: Bearer <token>".
  void SetExpectedToken(std::string token);
  // How long a "slow" meeting waits before answering (default 15 s, beyond the client's
  // default time-out).
  void SetSlowDelayMs(int delay_ms);
  // Slow answers held at this moment go out now, as if their delay had run out.
  void ReleaseSlow();

  std::vector<ReceivedRequest> Requests() const;
  void ClearRequests();
  void SetListener(Listener listener);

 private:
  struct Meeting {
    base::json::JsonValue entry;
    std::string fault;
    int served = 0;
  };
  void Handle(const httplib::Request& request, httplib::Response& response);

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  uint64_t releases_ = 0;  // ReleaseSlow calls so far
  std::map<std::string, Meeting> meetings_;
  std::string expected_token_;
  int slow_delay_ms_ = 15000;
  uint64_t next_request_id_ = 1;
  std::vector<ReceivedRequest> requests_;
  Listener listener_;

  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  std::atomic<bool> listen_returned_{false};
  int port_ = 0;
};

}  // namespace testing_support
