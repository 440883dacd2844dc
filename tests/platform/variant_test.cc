#include "platform/base/variant.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "platform/base/json.h"

using base::variant::Variant;

TEST(Variant, IntegersKeepExactTypeAndValue) {
  const uint64_t big = std::numeric_limits<uint64_t>::max();
  const int64_t low = std::numeric_limits<int64_t>::min();
  Variant v;
  v["u64"] = big;
  v["i64"] = low;
  v["u32"] = uint32_t{4000000000u};
  v["i32"] = -5;
  EXPECT_TRUE(v["u64"].IsUInt64());
  EXPECT_EQ(v.GetUInt64("u64"), big);
  EXPECT_TRUE(v["i64"].IsInt64());
  EXPECT_EQ(v.GetInt64("i64"), low);
  EXPECT_TRUE(v["u32"].IsUInt32());
  EXPECT_EQ(v.GetUInt32("u32"), 4000000000u);
  EXPECT_TRUE(v["i32"].IsInt32());
  // Same value, other kind: not equal.
  EXPECT_NE(Variant(1), Variant(uint64_t{1}));
  EXPECT_EQ(Variant(uint64_t{8812345678}), Variant(uint64_t{8812345678}));
}

TEST(Variant, TypedReadsGiveDefaultsOnMissingOrWrongKind) {
  Variant v;
  v["s"] = "text";
  v["b"] = true;
  v["n"] = 7;
  v["d"] = 2.9;
  v["null"] = Variant();
  struct Row {
    const char* key;
    int32_t int_default;
    bool bool_default;
    const char* str_default;
    int32_t want_int;
    bool want_bool;
    std::string want_str;
  } rows[] = {
      {"missing", 11, true, "x", 11, true, "x"},
      {"s", 11, true, "x", 11, true, "text"},
      {"b", 11, false, "x", 11, true, "x"},  // a bool is not a number for typed reads
      {"n", 11, false, "x", 7, false, "x"},  // a number is not a bool for GetBool
      {"d", 11, false, "x", 2, false, "x"},  // reals truncate
      {"null", 11, true, "x", 11, true, "x"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.key);
    EXPECT_EQ(v.GetInt32(r.key, r.int_default), r.want_int);
    EXPECT_EQ(v.GetBool(r.key, r.bool_default), r.want_bool);
    EXPECT_EQ(v.GetString(r.key, r.str_default), r.want_str);
  }
  // Reads on a value that is not a map never add keys.
  Variant s("plain");
  EXPECT_FALSE(s.Has("a"));
  EXPECT_TRUE(s.Get("a").IsNull());
  EXPECT_EQ(s.GetUInt64("a", 3), 3u);
  EXPECT_TRUE(s.IsString());
}

TEST(Variant, ConversionsAreDefinedForEveryKind) {
  EXPECT_EQ(Variant(1e300).AsInt32(), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(Variant(-1e300).AsInt64(), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(Variant(std::numeric_limits<double>::quiet_NaN()).AsUInt64(), 0u);
  EXPECT_EQ(Variant("12").AsInt32(), 0);  // strings are not numbers
  EXPECT_EQ(Variant(true).AsInt32(), 1);
  EXPECT_TRUE(Variant(3).AsBoolean());
  EXPECT_FALSE(Variant("true").AsBoolean());
  EXPECT_EQ(Variant(5).AsStr(), "");
  EXPECT_EQ(Variant(-1).AsUInt32(), 0xFFFFFFFFu);
  int x = 0;
  EXPECT_EQ(Variant(static_cast<void*>(&x)).AsPointer(), &x);
  EXPECT_TRUE(Variant(nullptr).IsNull());
  EXPECT_TRUE(Variant("literal").IsString());  // never a bool
}

TEST(Variant, IndexingAddsKeysAndTurnsOtherKindsIntoMaps) {
  Variant v(5);
  v["a"]["b"] = "c";
  EXPECT_TRUE(v.IsMap());
  EXPECT_EQ(v["a"].GetString("b"), "c");
  Variant list;
  list.Add(1);
  list.Add("two");
  EXPECT_TRUE(list.IsArray());
  EXPECT_EQ(list.Size(), 2u);
  EXPECT_EQ(list.At(1).AsStr(), "two");
  EXPECT_TRUE(list.At(9).IsNull());
  EXPECT_TRUE(v.Erase("a"));
  EXPECT_FALSE(v.Erase("a"));
  // Copies are deep.
  Variant copy = v;
  copy["z"] = 1;
  EXPECT_FALSE(v.Has("z"));
}

TEST(Variant, ToStringIsStableReadableText) {
  Variant v;
  v["b"] = Variant::MakeArray();
  v["b"].Add(uint64_t{18446744073709551615ull});
  v["b"].Add(1.5);
  v["a"] = "q\"uote\n";
  v["c"] = Variant();
  v["d"] = false;
  EXPECT_EQ(v.ToString(),
            R"({"a": "q\"uote\n", "b": [18446744073709551615, 1.5], "c": null, "d": false})");
  EXPECT_EQ(Variant::MakeMap().ToString(), "{}");
  EXPECT_EQ(framework::VariantToString(static_cast<const Variant*>(nullptr)), "null");
}

TEST(Variant, JsonRoundTripKeepsIntegersExact) {
  base::json::JsonValue json;
  ASSERT_TRUE(base::json::JsonValue::Parse(
      R"({"small": 5, "neg": -3000000000, "big": 18446744073709551615, "real": 0.25,
          "list": [true, null, "x"], "obj": {"k": 2147483648}})",
      &json));
  Variant v = Variant::FromJson(json);
  EXPECT_TRUE(v["small"].IsInt32());
  EXPECT_TRUE(v["neg"].IsInt64());
  EXPECT_EQ(v.GetInt64("neg"), -3000000000LL);
  EXPECT_TRUE(v["big"].IsUInt64());
  EXPECT_EQ(v.GetUInt64("big"), 18446744073709551615ull);
  EXPECT_TRUE(v["obj"]["k"].IsInt64());
  EXPECT_TRUE(v["real"].IsDouble());
  EXPECT_EQ(v["list"].Size(), 3u);
  base::json::JsonValue back = v.ToJson();
  EXPECT_EQ(back["big"].AsUInt64(), 18446744073709551615ull);
  EXPECT_EQ(back["neg"].AsInt64(), -3000000000LL);
  EXPECT_TRUE(back["list"].At(1).IsNull());
}

TEST(Json, ParseRejectsMalformedAndOverDeepInput) {
  base::json::JsonValue out(7);
  for (const char* bad : {"", "{", "[1,]", "{\"a\":}", "nul", "{\"a\":1} x", "\"\xff\""}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(base::json::JsonValue::Parse(bad, &out));
    EXPECT_EQ(out.AsInt64(), 7);  // untouched
  }
  std::string deep(base::json::JsonValue::kMaxDepth + 10, '[');
  deep += std::string(base::json::JsonValue::kMaxDepth + 10, ']');
  EXPECT_FALSE(base::json::JsonValue::Parse(deep, &out));
}

TEST(Json, StyledTextKeepsMemberOrderAndBuildsObjects) {
  base::json::JsonValue body;
  body.Set("meeting_id", "0");
  body.Set("open_room_num", int64_t{5});
  body.Set("app_uid", "");
  EXPECT_EQ(body.ToStyledString(),
            "{\n    \"meeting_id\": \"0\",\n    \"open_room_num\": 5,\n    \"app_uid\": \"\"\n}\n");
  EXPECT_EQ(body.MemberNames(), (std::vector<std::string>{"meeting_id", "open_room_num", "app_uid"}));
  EXPECT_TRUE(body["missing"].IsNull());
  EXPECT_EQ(body["open_room_num"].AsString("d"), "d");
  // Invalid UTF-8 inside a built string is written replaced, never thrown.
  base::json::JsonValue bad(std::string("\xff\xfe"));
  EXPECT_FALSE(bad.ToCompactString().empty());
}
