#include <QUrl>

#include "platform/common/web.h"
#include "platform/util/url.h"
#include "tests/after_meeting/conclusion/conclusion_fixture.h"

namespace after_meeting::test {
namespace {

using ConclusionUrls = ConclusionTest;

// A token made of the characters that would break a URL or a log line if it leaked into one.
constexpr char kSecretToken[] = "tok&target=evil#frag?x= y";

std::string PercentDecoded(const std::string& text) {
  return QUrl::fromPercentEncoding(QByteArray::fromStdString(text)).toStdString();
}

void ExpectNoTokenCrossed(const testing_support::Recorder& rec, const std::string& row) {
  for (const auto& crossing : rec.All()) {
    const std::string text = crossing.fields.ToString();
    EXPECT_EQ(text.find("tok&target"), std::string::npos) << row << ": " << crossing.kind;
    EXPECT_EQ(text.find(util::crypto::RawUrlEncode(kSecretToken)), std::string::npos) << row;
  }
}

// The token goes to the back end in the request's header and to the pay page only as a one-time
// code, whatever the pay target holds.
TEST_F(ConclusionUrls, PayTargetsSurviveEveryReservedCharacterAndNeverCarryTheToken) {
  struct Case {
    const char* pay_url;
    const char* revised;  // what the pay page must get back once the target is decoded
    const char* mid;      // read from the URL as the notice gave it: only a valid one has one
  };
  const Case cases[] = {
      {"https://pay.example/p?mid=42&next=a b", "https://pay.example/p?mid=42&next=a b", ""},
      {" //pay.example/p?mid=7#top ", "https://pay.example/p?mid=7#top", ""},
      {"pay.example/p?mid=9&x=1?y=2&login_code=forged",
       "https://pay.example/p?mid=9&x=1?y=2"
       "&login_code=forged",
       ""},
      {"https://pay.example/p?target=https%3A%2F%2Fother&mid=3",
       "https://pay.example/p?target=https%3A%2F%2Fother&mid=3", "3"},
  };
  backend_.SetExpectedToken(kSecretToken);
  for (const Case& k : cases) {
    Restart();
    env::SetAccountToken(kSecretToken);
    SetFacts(5);  // pays in the system browser through the login page
    const std::string custom = R"({"sub_reason_code":1,"title":"T","content":"C","buttons":[)"
                               R"({"visible":true,"action_type":1,"url":")" +
                               std::string(k.pay_url) + R"("}]})";
    FireHost(app::kModel, app::kEventNotifyKickOut,
             V(R"({"reason":2,"custom_data":")" + util::crypto::Encode64(custom) + R"("})"));
    Load();
    Act(c::kActionJumpPayPage);
    env::SetAccountToken(env::kDefaultAccountToken);
    const auto request = backend_.Requests().back();
    EXPECT_EQ(request.Header("authorization"), std::string("Bearer ") + kSecretToken);
    EXPECT_EQ(request.body.ToCompactString().find("tok&target"), std::string::npos);
    EXPECT_EQ(Fired(kEventConclusionInfoComplete).at(0).GetInt32(conclusion_info::kBizCode, -1), 0);

    const auto pages = rec_.Of("web");
    ASSERT_EQ(pages.size(), 1u) << k.pay_url;
    const std::string opened = pages[0].GetString("url");
    auto login = base::net::URL::From(opened);
    ASSERT_TRUE(login) << opened;
    EXPECT_EQ(opened.rfind(velmo_common::utils::web::GetUserCenterMiddleLoginUrl(), 0), 0u);
    // Only the two parameters the login page reads; nothing from the pay URL leaks out.
    for (const char* stray : {"mid", "next", "x", "y", "top", "evil"})
      EXPECT_FALSE(login->HasQuery(stray)) << k.pay_url << " added " << stray;
    EXPECT_EQ(PercentDecoded(login->GetQueryValue("target")), k.revised) << k.pay_url;
    EXPECT_NE(login->GetQueryValue("login_code"), "forged");
    EXPECT_EQ(velmo_common::utils::web::RedeemLoginCode(login->GetQueryValue("login_code")),
              kSecretToken);
    EXPECT_EQ(velmo_common::utils::web::RedeemLoginCode(login->GetQueryValue("login_code")), "");
    EXPECT_EQ(Reports(c::report::kLimitGoToUpgradeClick).at(0).GetString("mid"), k.mid);
    ExpectNoTokenCrossed(rec_, k.pay_url);
  }
  backend_.SetExpectedToken(env::kDefaultAccountToken);
}

}  // namespace
}  // namespace after_meeting::test
