#include "platform/common/web.h"

#include <cstdint>
#include <cstdio>
#include <map>

#include "platform/base/observer.h"
#include "platform/sdk/environment.h"
#include "platform/util/url.h"

namespace velmo {

namespace {

using base::variant::Variant;

WebPageHandler& Handler() {
  static auto* handler = new WebPageHandler();
  return *handler;
}

bool Deliver(const WebPageRequest& request) {
  base::observer::Notify("web", [&] {
    Variant::Map m;
    m["url"] = request.url;
    m["flag"] = request.flag;
    if (request.has_params) m["params"] = request.params;
    // Pay pages take no navigate parameters; their absence tells them apart in a trace.
    if (request.kind == WebPageRequest::Kind::kWebPage) {
      Variant::Map nav;
      nav["from_scheme"] = request.navigate_params.from_scheme;
      m["navigate_params"] = Variant(std::move(nav));
    }
    return Variant(std::move(m));
  });
  WebPageHandler handler = Handler();
  if (!handler) return false;
  handler(request);
  return true;
}

}  // namespace

bool OpenWebPage(const std::string& url, void* context, bool flag, const Variant* params,
                 NavigateParams&& navigate_params) {
  WebPageRequest request;
  request.kind = WebPageRequest::Kind::kWebPage;
  request.url = url;
  request.context = context;
  request.flag = flag;
  request.has_params = params != nullptr;
  if (params) request.params = *params;
  request.navigate_params = std::move(navigate_params);
  return Deliver(request);
}

void SetWebPageHandler(WebPageHandler handler) { Handler() = std::move(handler); }

}  // namespace velmo

namespace velmo_common {
namespace utils {
namespace web {

namespace {

std::string& MiddleLoginUrl() {
  static auto* url = new std::string("https://account.example/middle_login");
  return *url;
}

std::map<std::string, std::string>& LoginCodes() {
  static auto* codes = new std::map<std::string, std::string>();
  return *codes;
}

// Deterministic, so that headless runs trace the same URL every time, and opaque: a hash of
// the token and a sequence number, not the token.
std::string MakeLoginCode(const std::string& token) {
  static uint64_t sequence = 0;
  uint64_t hash = 1469598103934665603ULL;
  auto mix = [&hash](unsigned char c) {
    hash ^= c;
    hash *= 1099511628211ULL;
  };
  for (unsigned char c : token) mix(c);
  const std::string salt = "#" + std::to_string(++sequence);
  for (unsigned char c : salt) mix(c);
  char text[24];
  std::snprintf(text, sizeof(text), "lc%016llx", static_cast<unsigned long long>(hash));
  return text;
}

}  // namespace

std::string ReviseWebUrl(const std::string& url) {
  const char* kBlanks = " \t\r\n";
  const size_t first = url.find_first_not_of(kBlanks);
  if (first == std::string::npos) return std::string();
  std::string revised = url.substr(first, url.find_last_not_of(kBlanks) - first + 1);
  if (revised.rfind("//", 0) == 0) return "https:" + revised;
  if (revised.find("://") == std::string::npos) return "https://" + revised;
  return revised;
}

std::string GetUserCenterMiddleLoginUrl() { return MiddleLoginUrl(); }

void SetUserCenterMiddleLoginUrl(std::string url) { MiddleLoginUrl() = std::move(url); }

std::string Generate2ExternalBrowserUrlByToken(const std::string& url, const std::string& target) {
  const std::string code = MakeLoginCode(velmosdk::utils::environment::GetAccountToken());
  LoginCodes()[code] = velmosdk::utils::environment::GetAccountToken();
  std::string out = url;
  out += util::url::AppendQueryParams(out, "login_code", code);
  out += util::url::AppendQueryParams(out, "target", target);
  return out;
}

std::string RedeemLoginCode(const std::string& code) {
  auto it = LoginCodes().find(code);
  if (it == LoginCodes().end()) return std::string();
  std::string token = std::move(it->second);
  LoginCodes().erase(it);
  return token;
}

}  // namespace web

namespace professional {

void NavigatorPayWebForConstUrl(void* context, const std::string& url, bool flag) {
  velmo::WebPageRequest request;
  request.kind = velmo::WebPageRequest::Kind::kPayPage;
  request.url = url;
  request.context = context;
  request.flag = flag;
  velmo::Deliver(request);
}

}  // namespace professional
}  // namespace utils
}  // namespace velmo_common
