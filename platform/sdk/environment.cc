#include "platform/sdk/environment.h"

#include <cstdlib>
#include <mutex>

namespace velmosdk {
namespace utils {
namespace environment {

namespace {

std::string FromProcessEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

struct Settings {
  std::mutex mutex;
  std::string cgi_base_url;
  std::string account_token = kDefaultAccountToken;
  int request_timeout_ms = kDefaultRequestTimeoutMs;
  std::string app_res_directory = FromProcessEnvironment("VELMO_APP_RES_DIR");
};

// Leaked on purpose: requests may still read it while statics are torn down.
Settings& GetSettings() {
  static Settings* settings = new Settings();
  return *settings;
}

}  // namespace

std::string GetCgiBaseUrl() {
  std::string overridden = FromProcessEnvironment("VELMO_CGI_BASE_URL");
  if (!overridden.empty()) return overridden;
  Settings& s = GetSettings();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.cgi_base_url;
}

void SetCgiBaseUrl(std::string url) {
  Settings& s = GetSettings();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.cgi_base_url = std::move(url);
}

std::string GetAccountToken() {
  Settings& s = GetSettings();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.account_token;
}

void SetAccountToken(std::string token) {
  Settings& s = GetSettings();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.account_token = std::move(token);
}

int GetRequestTimeoutMs() {
  Settings& s = GetSettings();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.request_timeout_ms;
}

void SetRequestTimeoutMs(int timeout_ms) {
  Settings& s = GetSettings();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.request_timeout_ms = timeout_ms > 0 ? timeout_ms : kDefaultRequestTimeoutMs;
}

std::string GetAppResDirectory() {
  Settings& s = GetSettings();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.app_res_directory;
}

void SetAppResDirectory(std::string directory) {
  Settings& s = GetSettings();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.app_res_directory = std::move(directory);
}

}  // namespace environment
}  // namespace utils
}  // namespace velmosdk
