// velmosdk::utils::cgi: back-end URLs.
//
//   request->SetUrl(velmosdk::utils::cgi::MakeCgiCommonUrlPath("/v2/velmo_data_center/x"));
//
// Thread-safe.
#pragma once

#include <string>
#include <string_view>

namespace velmosdk {
namespace utils {
namespace cgi {

// The configured base URL (environment::GetCgiBaseUrl) followed by path, with one '/' between.
std::string MakeCgiCommonUrlPath(std::string_view path);

}  // namespace cgi
}  // namespace utils
}  // namespace velmosdk
