#include <gtest/gtest.h>

#include "simulator/matcher.h"
#include "simulator/value_mapping.h"

namespace sim {
namespace {

Json J(const char* text) { return Json::parse(text); }

TEST(ValueMapping, WholeNumbersAndTypedValuesKeepTheirKinds) {
  struct Row {
    const char* json;
    Variant::Type type;
  } rows[] = {
      {"5", Variant::Type::kInt32},
      {"2147483648", Variant::Type::kInt64},
      {"-2147483649", Variant::Type::kInt64},
      {"18446744073709551615", Variant::Type::kUInt64},
      {"1.5", Variant::Type::kDouble},
      {R"({"$uint32": 5})", Variant::Type::kUInt32},
      {R"({"$int64": "-9"})", Variant::Type::kInt64},
      {R"({"$uint64": "18446744073709551615"})", Variant::Type::kUInt64},
      {R"({"$double": 2})", Variant::Type::kDouble},
      {"null", Variant::Type::kNull},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.json);
    Variant v;
    ScenarioError error;
    ASSERT_TRUE(JsonToVariant(J(r.json), "x", &v, &error)) << error.ToString();
    EXPECT_EQ(v.type(), r.type);
  }
  Variant v;
  ASSERT_TRUE(JsonToVariant(J(R"({"$uint64": "18446744073709551615"})"), "x", &v, nullptr));
  EXPECT_EQ(v.AsUInt64(), 18446744073709551615ull);

  for (const char* bad : {R"({"$uint32": -1})", R"({"$int32": "x"})", R"({"$uint64": "1e3"})",
                          R"({"$double": "1.5"})", R"({"a": {"$int8": 1}})"}) {
    SCOPED_TRACE(bad);
    ScenarioError error;
    EXPECT_FALSE(JsonToVariant(J(bad), "x", &v, &error));
    EXPECT_EQ(error.path.rfind("x", 0), 0u);
  }
}

TEST(ValueMapping, TraceValuesAreWrittenTypedExceptInt32) {
  Variant v;
  v["i32"] = 1;
  v["u32"] = uint32_t{2};
  v["i64"] = int64_t{-3};
  v["u64"] = uint64_t{8812345678};
  v["d"] = 0.5;
  v["p"] = static_cast<void*>(&v);
  EXPECT_EQ(VariantToJson(v).dump(),
            R"({"d":{"$double":0.5},"i32":1,"i64":{"$int64":"-3"},"p":{"$pointer":"set"},)"
            R"("u32":{"$uint32":2},"u64":{"$uint64":"8812345678"}})");
}

TEST(Matcher, PartialPatternsNumbersAndMatchers) {
  const Json line = J(R"({"kind": "report", "id": "e#meeting_recab#close#click",
      "props": {"end_type": "auto_end", "pre_meeting_id": "8812345678"},
      "n": {"$uint64": "8812345678"}, "list": [1, 2], "json": "{\"a\": [1, 2]}"})");
  struct Row {
    const char* pattern;
    bool match;
  } rows[] = {
      {R"({"kind": "report"})", true},
      {R"({"kind": "log"})", false},
      {R"({"props": {"end_type": "auto_end"}})", true},
      {R"({"props": {"end_type": {"$prefix": "auto"}}})", true},
      {R"({"id": {"$contains": "#close#"}})", true},
      {R"({"n": 8812345678})", true},               // a plain number matches any integer kind
      {R"({"n": {"$uint64": "8812345678"}})", true},
      {R"({"n": {"$int64": "8812345678"}})", false},  // a typed value only its own kind
      {R"({"list": [1]})", false},                   // arrays: same length
      {R"({"list": [1, 2]})", true},
      {R"({"missing": {"$absent": true}})", true},
      {R"({"id": {"$absent": true}})", false},
      {R"({"props": {"$any": true}})", true},
      {R"({"props": {"$exact": {"end_type": "auto_end"}}})", false},
      {R"({"json": {"$json": {"a": [1, 2]}}})", true},
      {R"({"json": {"$json": {"a": [2, 1]}}})", false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.pattern);
    EXPECT_EQ(MatchValue(J(r.pattern), &line, nullptr), r.match);
  }
}

TEST(Matcher, CapturesAreKeptOnlyForWholeMatchesAndFeedVars) {
  const Json line = J(R"({"kind": "reply", "ok": true, "result": {"meeting_id": {"$uint64": "7"}}})");
  Captures captures;
  EXPECT_FALSE(MatchValue(J(R"({"result": {"meeting_id": {"$capture": "id"}}, "ok": false})"), &line,
                          &captures));
  EXPECT_TRUE(captures.empty());
  EXPECT_TRUE(MatchValue(J(R"({"result": {"meeting_id": {"$capture": "id"}}})"), &line, &captures));
  Json substituted;
  ASSERT_TRUE(SubstituteVars(J(R"({"param": {"meeting_id": {"$var": "id"}}})"), captures, "p",
                             &substituted, nullptr));
  EXPECT_EQ(substituted.dump(), R"({"param":{"meeting_id":{"$uint64":"7"}}})");
  ScenarioError error;
  EXPECT_FALSE(SubstituteVars(J(R"({"x": {"$var": "nope"}})"), captures, "p", &substituted, &error));
  EXPECT_EQ(error.path, "p.x.$var");
}

TEST(Matcher, ExpectsMatchInOrder) {
  std::vector<Json> lines = {J(R"({"kind": "log", "text": "a"})"), J(R"({"kind": "log", "text": "b"})")};
  size_t failed = 99;
  EXPECT_TRUE(MatchInOrder(J(R"([{"text": "a"}, {"text": "b"}])"), lines, nullptr, &failed));
  EXPECT_FALSE(MatchInOrder(J(R"([{"text": "b"}, {"text": "a"}])"), lines, nullptr, &failed));
  EXPECT_EQ(failed, 1u);
  size_t which = 99;
  EXPECT_EQ(FindAnyMatch(J(R"([{"text": "z"}, {"text": "b"}])"), lines, &which), 1);
  EXPECT_EQ(which, 1u);
}

}  // namespace
}  // namespace sim
