#include <string>

#include <gtest/gtest.h>

#include "platform/common/web.h"
#include "platform/sdk/environment.h"
#include "platform/util/url.h"

namespace {

namespace web = velmo_common::utils::web;

TEST(WebPages, ExternalLoginUrlCarriesAOneTimeCodeAndTheTargetIntact) {
  const std::string token = "secret token&x=1";
  velmosdk::utils::environment::SetAccountToken(token);
  const std::string target = "https%3A%2F%2Fpay.example%2Fp%3Fmid%3D1 &#?";
  const std::string url =
      web::Generate2ExternalBrowserUrlByToken(web::GetUserCenterMiddleLoginUrl(), target);
  velmosdk::utils::environment::SetAccountToken(velmosdk::utils::environment::kDefaultAccountToken);
  EXPECT_EQ(url.find("secret"), std::string::npos);
  auto parsed = base::net::URL::From(url);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->GetQueryValue("target"), target);
  EXPECT_EQ(web::RedeemLoginCode(parsed->GetQueryValue("login_code")), token);
  EXPECT_EQ(web::RedeemLoginCode(parsed->GetQueryValue("login_code")), "");  // once only
}

}  // namespace
