// Web pages and pay pages: how a module opens a web page in the client's own web window or in
// the system browser, and the URL helpers it builds those URLs with. Every page opened is
// announced on the observer seam as kind "web" and handed to the host's handler (the simulator
// shows or records it).
//
//   velmo::NavigateParams nav;
//   nav.from_scheme = "velmo://page/ai_helper";
//   velmo::OpenWebPage(url, context(), /*flag=*/true, &page_params, std::move(nav));
//
// UI thread only.
#pragma once

#include <functional>
#include <string>

#include "platform/base/variant.h"

namespace velmo {

// How a page was reached, for the web page to read.
struct NavigateParams {
  // The scheme or tag of the place the page was opened from ("velmo://page/ai_helper", ...).
  std::string from_scheme;
};

// flag: true opens the client's own web window (params: its settings), false the system
// browser. False when no host handler is installed.
bool OpenWebPage(const std::string& url, void* context, bool flag,
                 const base::variant::Variant* params, NavigateParams&& navigate_params);

struct WebPageRequest {
  enum class Kind { kWebPage, kPayPage };
  Kind kind = Kind::kWebPage;
  std::string url;
  void* context = nullptr;
  bool flag = false;
  bool has_params = false;
  base::variant::Variant params;
  NavigateParams navigate_params;
};
using WebPageHandler = std::function<void(const WebPageRequest& request)>;
void SetWebPageHandler(WebPageHandler handler);

}  // namespace velmo

namespace velmo_common {
namespace utils {
namespace web {

// Trims surrounding blanks and gives a URL without a scheme "https://"; "" stays "".
std::string ReviseWebUrl(const std::string& url);

// The account centre's page that signs the user in and then opens its "target" parameter.
std::string GetUserCenterMiddleLoginUrl();
void SetUserCenterMiddleLoginUrl(std::string url);

// url with two query parameters: "login_code", a one-time code that stands for the signed-in
// account's token, and "target", exactly the text given (callers pass it URL-encoded, as the
// login page expects). The token itself never appears in the URL, so the URL may be logged;
// the page that receives the code exchanges it once with RedeemLoginCode.
std::string Generate2ExternalBrowserUrlByToken(const std::string& url, const std::string& target);
// The token a code stands for, once; "" for an unknown or already redeemed code.
std::string RedeemLoginCode(const std::string& code);

}  // namespace web

namespace professional {

// Opens the client's pay page for url (flag: in the client's own pay window).
void NavigatorPayWebForConstUrl(void* context, const std::string& url, bool flag);

}  // namespace professional
}  // namespace utils
}  // namespace velmo_common
