#include "platform/base/log.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/testing/recorder.h"

namespace {

class Log : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = base::log::GetLogLevel(); }
  void TearDown() override { base::log::SetLogLevel(saved_); }
  int saved_ = 0;
  testing_support::Recorder rec_;
};

int Costly(int* calls) {
  ++*calls;
  return 1;
}

}  // namespace

TEST_F(Log, LevelGateSkipsStatementsWithoutEvaluatingThem) {
  base::log::SetLogLevel(3);
  int calls = 0;
  VLOG(6) << "detail" << Costly(&calls);
  VLOG(3) << "warning" << Costly(&calls);
  VLOG(1) << "error";
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(rec_.LogTexts(), (std::vector<std::string>{"warning1", "error"}));
}

TEST_F(Log, LongTextsAreCutExceptAtLevelSeven) {
  base::log::SetLogLevel(7);
  const std::string long_text(3000, 'x');
  VLOG(6) << long_text;
  VLOG(7) << long_text;
  // A cut never splits a UTF-8 sequence: "é" is two bytes straddling byte 1024.
  VLOG(1) << std::string(1023, 'a') << "\xc3\xa9" << "tail";
  auto texts = rec_.LogTexts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].size(), base::log::kMaxLogTextLength);
  EXPECT_EQ(texts[1].size(), 3000u);
  EXPECT_EQ(texts[2], std::string(1023, 'a'));
}

TEST_F(Log, LinesCarryFileLineFunctionAndBooleansAsWords) {
  base::log::SetLogLevel(6);
  const int line = __LINE__ + 1;
  VLOG(6) << "flag=" << true;
  auto logs = rec_.Of("log");
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_EQ(logs[0].GetString("text"), "flag=true");
  EXPECT_EQ(logs[0].GetInt32("line"), line);
  EXPECT_EQ(logs[0].GetString("file"), "tests/platform/log_test.cc");
  EXPECT_EQ(logs[0].GetString("function"), "TestBody");
  EXPECT_EQ(logs[0].GetInt32("level"), 6);
}

TEST_F(Log, StatementWrittenWhileAnotherIsOpenKeepsBothTexts) {
  base::log::SetLogLevel(6);
  auto inner = [] {
    VLOG(6) << "inner";
    return std::string("value");
  };
  VLOG(6) << "outer:" << inner();
  EXPECT_EQ(rec_.LogTexts(), (std::vector<std::string>{"inner", "outer:value"}));
}
