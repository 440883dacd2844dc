#include "platform/testing/data_center_backend.h"

#include <httplib.h>

#include <strings.h>

#include <chrono>

#include "platform/sdk/environment.h"

namespace testing_support {

namespace {

using base::json::JsonValue;

constexpr char kJsonType[] = "application/json";

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

JsonValue Envelope(int64_t biz_code, const std::string& msg, uint64_t request_id, JsonValue data) {
  JsonValue envelope = JsonValue::MakeObject();
  envelope.Set("biz_code", biz_code);
  envelope.Set("msg", msg);
  envelope.Set("request_id", std::to_string(request_id));
  envelope.Set("data", std::move(data));
  return envelope;
}

// The envelope the entry asks for, with the fault's changes. Faults that break the transport
// are handled before this.
JsonValue AnswerFor(const JsonValue& entry, const std::string& fault, int served,
                    uint64_t request_id) {
  const JsonValue biz_code = entry["biz_code"];
  JsonValue data = entry.HasMember("data") ? entry["data"] : JsonValue::MakeObject();
  if (fault == "biz_-100" || (fault == "biz_-100_once" && served == 0)) {
    return Envelope(-100, "", request_id, JsonValue::MakeObject());
  }
  if (fault == "biz_-101") return Envelope(-101, "", request_id, JsonValue::MakeObject());
  if (fault == "payload_not_object") {
    data = JsonValue::MakeArray();
  } else if (fault == "info_array") {
    JsonValue info = JsonValue::MakeArray();
    if (data.HasMember("info")) info.Append(data["info"]);
    data.Set("info", std::move(info));
  }
  return Envelope(biz_code.IsInteger() ? biz_code.AsInt64() : 0, entry["msg"].AsString(),
                  request_id, std::move(data));
}

}  // namespace

std::string DataCenterBackend::ReceivedRequest::Header(std::string_view name) const {
  for (const auto& [key, value] : headers)
    if (EqualsIgnoringCase(key, name)) return value;
  return std::string();
}

DataCenterBackend::DataCenterBackend()
    : expected_token_(velmosdk::utils::environment::kDefaultAccountToken) {}

DataCenterBackend::~DataCenterBackend() { Stop(); }

bool DataCenterBackend::Start() {
  if (server_) return false;
  auto server = std::make_unique<httplib::Server>();
  // One request per connection: an idle kept-alive client would hold Stop for seconds.
  server->set_keep_alive_max_count(1);
  server->Post(kMeetingEndPopUpInfoPath,
               [this](const httplib::Request& request, httplib::Response& response) {
                 Handle(request, response);
               });
  const int port = server->bind_to_any_port("127.0.0.1");
  if (port <= 0) return false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = false;
  }
  port_ = port;
  server_ = std::move(server);
  listen_returned_ = false;
  thread_ = std::thread([this, server = server_.get()] {
    server->listen_after_bind();
    listen_returned_ = true;
  });
  return true;
}

void DataCenterBackend::Stop() {
  if (!server_) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  // stop() does nothing until the server loop has begun, so wait for it (a few instructions).
  while (!server_->is_running() && !listen_returned_) std::this_thread::yield();
  server_->stop();
  thread_.join();
  server_.reset();
  port_ = 0;
}

bool DataCenterBackend::IsRunning() const { return server_ != nullptr; }

int DataCenterBackend::port() const { return port_; }

std::string DataCenterBackend::BaseUrl() const {
  return "http://127.0.0.1:" + std::to_string(port_);
}

void DataCenterBackend::SetMeeting(const std::string& meeting_id, JsonValue entry) {
  std::lock_guard<std::mutex> lock(mutex_);
  Meeting& meeting = meetings_[meeting_id];
  meeting.fault = entry["fault"].AsString();
  meeting.entry = std::move(entry);
  meeting.served = 0;
}

void DataCenterBackend::RemoveMeeting(const std::string& meeting_id) {
  std::lock_guard<std::mutex> lock(mutex_);
  meetings_.erase(meeting_id);
}

void DataCenterBackend::ClearMeetings() {
  std::lock_guard<std::mutex> lock(mutex_);
  meetings_.clear();
}

bool DataCenterBackend::SetFault(const std::string& meeting_id, const std::string& fault) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = meetings_.find(meeting_id);
  if (it == meetings_.end()) return false;
  it->second.fault = fault;
  it->second.served = 0;
  return true;
}

void DataCenterBackend::SetExpectedToken(std::string token) {
  std::lock_guard<std::mutex> lock(mutex_);
  expected_token_ = std::move(token);
}

void DataCenterBackend::SetSlowDelayMs(int delay_ms) {
  std::lock_guard<std::mutex> lock(mutex_);
  slow_delay_ms_ = delay_ms;
}

void DataCenterBackend::ReleaseSlow() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++releases_;
  }
  wake_.notify_all();
}

std::vector<DataCenterBackend::ReceivedRequest> DataCenterBackend::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void DataCenterBackend::ClearRequests() {
  std::lock_guard<std::mutex> lock(mutex_);
  requests_.clear();
}

void DataCenterBackend::SetListener(Listener listener) {
  std::lock_guard<std::mutex> lock(mutex_);
  listener_ = std::move(listener);
}

void DataCenterBackend::Handle(const httplib::Request& request, httplib::Response& response) {
  ReceivedRequest received;
  received.method = request.method;
  received.path = request.path;
  for (const auto& [name, value] : request.headers) received.headers.emplace_back(name, value);
  received.raw_body = request.body;
  if (!JsonValue::Parse(request.body, &received.body)) received.body = JsonValue();
  const JsonValue meeting_id = received.body["meeting_id"];
  const std::string authorization = request.get_header_value("Authorization");

  bool found = false;
  JsonValue entry;
  std::string fault;
  int served = 0;
  uint64_t request_id = 0;
  int slow_delay_ms = 0;
  Listener listener;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = meeting_id.IsString() ? meetings_.find(meeting_id.AsString()) : meetings_.end();
    found = it != meetings_.end();
    if (found) {
      entry = it->second.entry;
      fault = it->second.fault;
      served = it->second.served++;
    }
    received.auth = authorization == "Bearer " + expected_token_ && fault != "no_token";
    request_id = next_request_id_++;
    slow_delay_ms = slow_delay_ms_;
    listener = listener_;
    requests_.push_back(received);
  }
  if (listener) listener(received);

  if (!received.auth) {
    response.status = 401;
    response.set_content("unauthorized", "text/plain");
    return;
  }
  if (!meeting_id.IsString()) {
    response.status = 400;
    response.set_content("bad request", "text/plain");
    return;
  }
  if (!found) {
    response.status = 404;
    response.set_content("not found", "text/plain");
    return;
  }
  if (fault == "http_500") {
    response.status = 500;
    response.set_content("internal error", "text/plain");
    return;
  }
  if (fault == "not_json") {
    response.status = 200;
    response.set_content("<html><body>busy</body></html>", "text/html");
    return;
  }
  if (fault == "drop") {
    // The status line and headers go out, then the connection breaks before the body.
    response.status = 200;
    response.set_content_provider(
        64, kJsonType, [](size_t, size_t, httplib::DataSink&) { return false; });
    return;
  }
  if (fault == "slow") {
    std::unique_lock<std::mutex> lock(mutex_);
    const uint64_t releases = releases_;
    if (wake_.wait_for(lock, std::chrono::milliseconds(slow_delay_ms),
                       [this, releases] { return stopping_ || releases_ != releases; }) &&
        stopping_) {
      response.status = 503;
      return;
    }
  }
  response.status = 200;
  response.set_content(AnswerFor(entry, fault, served, request_id).ToCompactString(), kJsonType);
}

}  // namespace testing_support
