// velmosdk::utils::environment: the client's environment settings that the request layer and
// the module read: the back end's base URL, the signed-in account's token, the request time-out
// and the application's resource directory. The simulator and tests set them; the defaults come
// from the process environment.
//
//   velmosdk::utils::environment::SetCgiBaseUrl(backend.BaseUrl());
//   std::string url = velmosdk::utils::cgi::MakeCgiCommonUrlPath("/v2/...");
//
// Thread-safe: any thread may read or set.
#pragma once

#include <string>

namespace velmosdk {
namespace utils {
namespace environment {

// The token an account signs in with unless told otherwise; the test back end expects it too.
inline constexpr char kDefaultAccountToken[] = "velmo-test-account-token";
inline constexpr int kDefaultRequestTimeoutMs = 10000;

// The back end's base URL ("https://host[:port]", no trailing path). The environment variable
// VELMO_CGI_BASE_URL, when set and not empty, wins over the value set here, so a run can be
// pointed at another back end without rebuilding the caller.
std::string GetCgiBaseUrl();
void SetCgiBaseUrl(std::string url);

// Sent only as the bearer credential of requests made WithToken(true); never logged.
std::string GetAccountToken();
void SetAccountToken(std::string token);

// How long a request may take before it completes as timed out; values below 1 restore the
// default.
int GetRequestTimeoutMs();
void SetRequestTimeoutMs(int timeout_ms);

// The application's resource directory; the default is VELMO_APP_RES_DIR, else empty.
std::string GetAppResDirectory();
void SetAppResDirectory(std::string directory);

}  // namespace environment
}  // namespace utils
}  // namespace velmosdk
