#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/common/inmeeting.h"
#include "platform/common/web.h"
#include "platform/framework/localized_strings.h"
#include "platform/sdk/environment.h"
#include "platform/testing/recorder.h"
#include "platform/util/url.h"

namespace {

using base::variant::Variant;
namespace web = velmo_common::utils::web;

class WebPages : public ::testing::Test {
 protected:
  void SetUp() override {
    velmo::SetWebPageHandler([this](const velmo::WebPageRequest& r) { requests_.push_back(r); });
  }
  void TearDown() override {
    velmo::SetWebPageHandler(nullptr);
    velmosdk::utils::environment::SetAccountToken(
        velmosdk::utils::environment::kDefaultAccountToken);
  }
  testing_support::Recorder rec_;
  std::vector<velmo::WebPageRequest> requests_;
};

TEST_F(WebPages, WebAndPayPagesAreAnnouncedAndHandedToTheHost) {
  Variant params = Variant::MakeMap();
  params["top_most"] = false;
  velmo::NavigateParams nav;
  nav.from_scheme = "velmo://page/ai_helper";
  EXPECT_TRUE(velmo::OpenWebPage("https://a.example/x", nullptr, true, &params, std::move(nav)));
  velmo_common::utils::professional::NavigatorPayWebForConstUrl(nullptr, "https://pay.example", true);

  ASSERT_EQ(requests_.size(), 2u);
  EXPECT_EQ(requests_[0].navigate_params.from_scheme, "velmo://page/ai_helper");
  EXPECT_EQ(requests_[1].kind, velmo::WebPageRequest::Kind::kPayPage);
  auto lines = rec_.Of("web");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Get("params"), params);
  EXPECT_EQ(lines[0].Get("navigate_params").GetString("from_scheme"), "velmo://page/ai_helper");
  EXPECT_EQ(lines[1].GetString("url"), "https://pay.example");
  EXPECT_TRUE(lines[1].GetBool("flag"));
  EXPECT_FALSE(lines[1].Has("params") || lines[1].Has("navigate_params"));

  velmo::SetWebPageHandler(nullptr);
  EXPECT_FALSE(velmo::OpenWebPage("https://a.example", nullptr, false, nullptr, {}));
}

TEST_F(WebPages, ExternalLoginUrlCarriesAOneTimeCodeAndTheTargetIntact) {
  const std::string token = "secret token&x=1";
  velmosdk::utils::environment::SetAccountToken(token);
  const std::string target = "https%3A%2F%2Fpay.example%2Fp%3Fmid%3D1%26a%3Db%23f";
  const std::string url =
      web::Generate2ExternalBrowserUrlByToken(web::GetUserCenterMiddleLoginUrl(), target + " &#?");
  EXPECT_EQ(url.find("secret"), std::string::npos);
  auto parsed = base::net::URL::From(url);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->GetQueryValue("target"), target + " &#?");
  const std::string code = parsed->GetQueryValue("login_code");
  EXPECT_EQ(web::RedeemLoginCode(code), token);
  EXPECT_EQ(web::RedeemLoginCode(code), "");  // once only
  EXPECT_NE(web::Generate2ExternalBrowserUrlByToken("https://l.example", "t"),
            web::Generate2ExternalBrowserUrlByToken("https://l.example", "t"));
}

TEST_F(WebPages, ReviseWebUrl) {
  const std::pair<const char*, const char*> cases[] = {
      {"  https://a.example/p?x=1 \n", "https://a.example/p?x=1"},
      {"pay.example/p", "https://pay.example/p"},
      {"//pay.example", "https://pay.example"},
      {"velmo://page/x", "velmo://page/x"},
      {"   ", ""},
  };
  for (const auto& [in, want] : cases) EXPECT_EQ(web::ReviseWebUrl(in), want) << in;
}

TEST_F(WebPages, LeavingImmersiveModeIsAnnouncedAndHandedToTheHost) {
  std::vector<bool> got;
  velmo_common::utils::inmeeting::SetLeaveImmersiveModeHandler(
      [&](bool a, bool b) { got = {a, b}; });
  velmo_common::utils::inmeeting::HandleEventBusForMeetingRequestLeaveImmersiveMode(true, false);
  velmo_common::utils::inmeeting::SetLeaveImmersiveModeHandler(nullptr);
  EXPECT_EQ(got, (std::vector<bool>{true, false}));
  auto lines = rec_.Of("platform");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].GetString("name"), "HandleEventBusForMeetingRequestLeaveImmersiveMode");
  EXPECT_EQ(lines[0].Get("args").At(0), Variant(true));
}

TEST(ConclusionStrings, EveryHostTextExistsInBothLanguages) {
  using framework::StringTable;
  auto& strings = framework::LocalizedStrings::Instance();
  for (const char* language : {"en", "de"}) {
    for (uint32_t id : {0x92B43A53u, 0x56D34065u})
      EXPECT_TRUE(strings.Has(StringTable::kHost, language, id)) << language << id;
    for (uint32_t id : {0x4D317073u, 0x09BF9C13u, 0xD2E97150u, 0x37277B4Eu, 0xFDB11B1Bu})
      EXPECT_TRUE(strings.Has(StringTable::kAsset, language, id)) << language << id;
  }
  testing_support::Recorder rec;
  EXPECT_EQ(strings.Lookup(StringTable::kHost, 0x92B43A53u), "Close");
  EXPECT_EQ(rec.Of("string").at(0).GetString("table"), "host");
}

}  // namespace
