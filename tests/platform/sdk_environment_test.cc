#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/sdk/cgi.h"
#include "platform/sdk/environment.h"

namespace {

namespace env = velmosdk::utils::environment;
using velmosdk::utils::cgi::MakeCgiCommonUrlPath;

TEST(SdkEnvironment, CgiUrlJoinsBaseAndPathAndTheVariableOverridesTheBase) {
  if (std::getenv("VELMO_CGI_BASE_URL")) GTEST_SKIP() << "VELMO_CGI_BASE_URL is set outside";
  const char* kCases[][3] = {
      {"https://dc.example", "/v2/x", "https://dc.example/v2/x"},
      {"https://dc.example/", "/v2/x", "https://dc.example/v2/x"},
      {"http://127.0.0.1:8080/api", "v2/x", "http://127.0.0.1:8080/api/v2/x"},
  };
  for (const auto& c : kCases) {
    env::SetCgiBaseUrl(c[0]);
    EXPECT_EQ(MakeCgiCommonUrlPath(c[1]), c[2]);
  }
  setenv("VELMO_CGI_BASE_URL", "https://override.example", 1);
  EXPECT_EQ(MakeCgiCommonUrlPath("/p"), "https://override.example/p");
  unsetenv("VELMO_CGI_BASE_URL");
  EXPECT_EQ(MakeCgiCommonUrlPath("/p"), "http://127.0.0.1:8080/api/p");
  env::SetCgiBaseUrl("");
}

}  // namespace
