#include <gtest/gtest.h>

#include "platform/util/crypto.h"
#include "platform/util/file.h"
#include "platform/util/url.h"

TEST(Crypto, Base64RejectsAnythingButCleanInput) {
  std::string out = "untouched";
  EXPECT_TRUE(util::crypto::Decode64("eyJhIjoxfQ==", &out));
  EXPECT_EQ(out, "{\"a\":1}");
  for (const char* bad : {"eyJh*IjoxfQ==", "eyJhIjoxfQ=", "e", "eyJhIjoxfQ==x"}) {
    SCOPED_TRACE(bad);
    std::string keep = "untouched";
    EXPECT_FALSE(util::crypto::Decode64(bad, &keep));
    EXPECT_EQ(keep, "untouched");
  }
  EXPECT_EQ(util::crypto::Encode64("{\"a\":1}"), "eyJhIjoxfQ==");
}

TEST(Url, AppendedParametersCannotAddOrChangeOthers) {
  EXPECT_EQ(util::crypto::RawUrlEncode("a b&c=d#e?f~-_."), "a%20b%26c%3Dd%23e%3Ff~-_.");
  std::string url = "https://pay.example/p";
  url += util::url::AppendQueryParams(url, "mid", "1 & x=2#frag");
  url += util::url::AppendQueryParams(url, "from", "after_meeting");
  EXPECT_EQ(url, "https://pay.example/p?mid=1%20%26%20x%3D2%23frag&from=after_meeting");
  auto parsed = base::net::URL::From(url);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(parsed->GetQueryValue("mid"), "1 & x=2#frag");
  EXPECT_FALSE(parsed->HasQuery("x"));
  EXPECT_EQ(parsed->GetQueryValue("absent"), "");
  EXPECT_FALSE(base::net::URL::From("not a url").has_value());
  EXPECT_FALSE(base::net::URL::From("").has_value());
}

TEST(File, PathsJoinWithOneSeparator) {
  EXPECT_EQ(util::file::MakeChildDirPath("/res", "raw"), "/res/raw/");
  EXPECT_EQ(util::file::MakeChildDirPath("/res/raw/", "after_meeting"), "/res/raw/after_meeting/");
  EXPECT_EQ(util::file::MakeFilePath("/res/raw/after_meeting/", "ai_icon.png"),
            "/res/raw/after_meeting/ai_icon.png");
  EXPECT_EQ(util::file::MakeFilePath("/d", "/x.png"), "/d/x.png");
  EXPECT_EQ(util::file::MakeFilePath("", "x.png"), "x.png");
}
