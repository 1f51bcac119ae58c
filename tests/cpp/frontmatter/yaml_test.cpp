// Reading frontmatter YAML into JSON values: the core schema, anchors,
// merge keys, and every resource limit.
#include "frontmatter/yaml.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "repeat.hpp"

namespace vyn::frontmatter {
namespace {

using vyn::test_input::repeat;

using ast::Json;

struct ReadCase {
  std::string yaml;
  Json expected;
};

void expect_reads(const std::vector<ReadCase>& cases) {
  for (const auto& c : cases) {
    std::optional<Json> value = read_yaml(c.yaml);
    ASSERT_TRUE(value.has_value()) << c.yaml;
    EXPECT_EQ(*value, c.expected) << c.yaml;
    EXPECT_EQ(value->type(), c.expected.type()) << c.yaml;
  }
}

void expect_absent(const std::vector<std::string>& texts) {
  for (const auto& text : texts) EXPECT_EQ(read_yaml(text), std::nullopt) << text.substr(0, 80);
}

// "a7": built by appending, which also keeps g++ 12's -Wrestrict quiet.
std::string numbered(std::string_view prefix, std::size_t n) {
  std::string text(prefix);
  text += std::to_string(n);
  return text;
}

// [1,1,...,1]
std::string flow_sequence(std::size_t items) {
  std::string text = "[";
  text += repeat("1,", items - 1);
  text += "1]";
  return text;
}

// The first element of a one-element flow sequence, so that each scalar
// is resolved in value position.
Json scalar(std::string_view text) { return read_yaml("- " + std::string(text) + "\n")->at(0); }

TEST(ReadYaml, PlainScalarsResolveByTheCoreSchema) {
  struct Case {
    std::string text;
    Json expected;
  };
  const std::vector<Case> cases = {
      {"", nullptr},
      {"~", nullptr},
      {"null", nullptr},
      {"Null", nullptr},
      {"NULL", nullptr},
      {"nULL", "nULL"},
      {"true", true},
      {"True", true},
      {"TRUE", true},
      {"false", false},
      {"False", false},
      {"FALSE", false},
      {"yes", "yes"},
      {"on", "on"},
      {"tRUE", "tRUE"},
      {"0", 0u},
      {"42", 42u},
      {"+42", 42u},
      {"007", 7u},
      {"-3", -3},
      {"-0", std::int64_t{0}},
      {"18446744073709551615", 18446744073709551615u},
      {"-9223372036854775808", INT64_MIN},
      {"18446744073709551616", 18446744073709551616.0},
      {"-9223372036854775809", -9223372036854775809.0},
      {"0o17", 15u},
      {"0x1F", 31u},
      {"0xff", 255u},
      {"0x10000000000000000", 18446744073709551616.0},
      {"0o8", "0o8"},
      {"0xg", "0xg"},
      {"0x", "0x"},
      {"-0x1", "-0x1"},
      {"1_000", "1_000"},
      {"1.5", 1.5},
      {"-2.5e3", -2500.0},
      {".5", 0.5},
      {"-.5", -0.5},
      {"5.", 5.0},
      {"1e3", 1000.0},
      {"+1E-2", 0.01},
      {"1e-999", 0.0},
      {"1.e", "1.e"},
      {".", "."},
      {"1.2.3", "1.2.3"},
      {".inf", nullptr},
      {"-.Inf", nullptr},
      {"+.INF", nullptr},
      {".nan", nullptr},
      {".NaN", nullptr},
      {"-.nan", "-.nan"},
      {"1e999", nullptr},
      {"-1e999", nullptr},
      {"hello world", "hello world"},
      {"12abc", "12abc"},
  };
  for (const auto& c : cases) {
    Json value = scalar(c.text);
    EXPECT_EQ(value, c.expected) << c.text;
    EXPECT_EQ(value.type(), c.expected.type()) << c.text;
  }
}

TEST(ReadYaml, QuotedAndBlockScalarsStayStrings) {
  expect_reads({
      {"- \"1\"\n- 'true'\n- \"\"\n- ''\n- \"~\"\n", Json{"1", "true", "", "", "~"}},
      {"a: |\n  line one\n  line two\nb: >\n  folded\n  text\n",
       Json{{"a", "line one\nline two\n"}, {"b", "folded text\n"}}},
      {"a: \"tab\\there \\u00e9\"\n", Json{{"a", "tab\there \xc3\xa9"}}},
  });
}

TEST(ReadYaml, TagsSteerOrAreIgnored) {
  expect_reads({
      {"a: !!str 12\nb: !!str true\nc: ! 5\n", Json{{"a", "12"}, {"b", "true"}, {"c", "5"}}},
      {"a: !!int \"0x1F\"\nb: !!float 1\nc: !!bool \"true\"\nd: !!null ''\n",
       Json{{"a", 31u}, {"b", 1.0}, {"c", true}, {"d", nullptr}}},
      {"a: !custom 5\nb: !custom [1]\nc: !!map {x: 1}\n", Json{{"a", 5u}, {"b", Json{1u}}, {"c", Json{{"x", 1u}}}}},
  });
  expect_absent({"a: !!int abc\n", "a: !!bool yes\n", "a: !!float x\n", "a: !!null 0\n"});
}

TEST(ReadYaml, KeysAreTheirTextAndUnique) {
  expect_reads({
      {"1: a\ntrue: b\nnull: c\n~: d\n\"q\": e\n1.50: f\n",
       Json{{"1", "a"}, {"true", "b"}, {"null", "c"}, {"~", "d"}, {"q", "e"}, {"1.50", "f"}}},
      {"b: 1\nB: 2\na: 3\n", Json{{"B", 2u}, {"a", 3u}, {"b", 1u}}},
      {"k: &k key\n*k : v\n", Json{{"k", "key"}, {"key", "v"}}},
      {"? \n: empty\n", Json{{"", "empty"}}},
  });
  // A key repeated, or a collection as a key: no JSON object can hold it.
  expect_absent({"a: 1\na: 2\n", "a: 1\n\"a\": 2\n", "? [a]\n: b\n", "? {a: 1}\n: b\n", "s: &s [1]\n*s : x\n"});
}

TEST(ReadYaml, AliasesRepeatTheirAnchoredNode) {
  expect_reads({
      {"a: &x [1, {b: 2}]\nc: *x\n", Json{{"a", Json{1u, Json{{"b", 2u}}}}, {"c", Json{1u, Json{{"b", 2u}}}}}},
      {"a: &x 1\nb: &x 2\nc: *x\n", Json{{"a", 1u}, {"b", 2u}, {"c", 2u}}},
      {"a: &x [&y 1, *y]\nb: *x\n", Json{{"a", Json{1u, 1u}}, {"b", Json{1u, 1u}}}},
      {"- &s \"1\"\n- *s\n", Json{"1", "1"}},
  });
  expect_absent({"a: *nowhere\n", "a: &x [1, *x]\n", "b: *x\na: &x 1\n"});
}

TEST(ReadYaml, MergeKeysFillInMissingKeys) {
  expect_reads({
      {"base: &b {x: 1, y: 2}\nm:\n  <<: *b\n  y: 3\n",
       Json{{"base", {{"x", 1u}, {"y", 2u}}}, {"m", {{"x", 1u}, {"y", 3u}}}}},
      {"m:\n  y: 3\n  <<: {x: 1, y: 2}\n", Json{{"m", {{"x", 1u}, {"y", 3u}}}}},
      {"m:\n  <<: [{x: 1}, {x: 2, y: 2}]\n", Json{{"m", {{"x", 1u}, {"y", 2u}}}}},
      {"m:\n  <<: {x: 1}\n  <<: {x: 2, z: 3}\n", Json{{"m", {{"x", 1u}, {"z", 3u}}}}},
      {"m:\n  \"<<\": {x: 1}\n", Json{{"m", {{"<<", {{"x", 1u}}}}}}},
  });
  expect_absent({"m:\n  <<: 1\n", "m:\n  <<: [{x: 1}, 2]\n", "m:\n  <<:\n"});
}

TEST(ReadYaml, OnlyOneDocumentMakesAValue) {
  expect_reads({{"--- \na: 1\n...\n", Json{{"a", 1u}}}, {"a: 1\n...\n# done\n", Json{{"a", 1u}}}});
  expect_absent({"", "# nothing\n", "~\n", "a: 1\n...\nb: 2\n", "a: 1\n--- b\n", "a: 1\n...\n--- \n"});
}

TEST(ReadYaml, SyntaxErrorsGiveNothing) {
  expect_absent({"key: [unclosed\n", "a: b: c\n", "\ta: 1\n", "a: \"\\ud800\"\n", "- a\nb: c\n", "a: 'open\n"});
}

TEST(ReadYaml, NestingIsBoundedAtTwoThousandLevels) {
  EXPECT_TRUE(read_yaml(repeat("[", 2000) + repeat("]", 2000)).has_value());
  EXPECT_TRUE(read_yaml(repeat("{a: ", 1999) + "[1]" + repeat("}", 1999)).has_value());
  std::string block;
  for (std::size_t i = 0; i < 2000; ++i) block += std::string(2 * i, ' ') + "-\n";
  EXPECT_TRUE(read_yaml(block).has_value());
  // Aliases count at the depth where they are expanded.
  std::string anchored = "a: &x " + repeat("[", 1000) + repeat("]", 1000) + "\nb: " + repeat("[", 999);
  EXPECT_TRUE(read_yaml(anchored + "*x" + repeat("]", 999)).has_value());
  expect_absent({
      repeat("[", 2001) + repeat("]", 2001),
      repeat("[", 100'000),
      block + std::string(4000, ' ') + "- x\n",
      anchored + "[*x]" + repeat("]", 999),
  });
}

TEST(ReadYaml, LimitsOnSizeAndCounts) {
  auto anchors = [](std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) (text += numbered("- &a", i)) += " x\n";
    return text;
  };
  auto aliases = [](std::size_t count) { return repeat("- *a0\n", count); };
  auto merges = [](std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) (text += numbered("m", i)) += ": {<<: {x: 1}}\n";
    return text;
  };
  const std::string quarter = std::string("a: &a ").append((16u << 20) - 1, 'x');
  struct Case {
    const char* limit;
    std::string within;
    std::string beyond;
  };
  const std::vector<Case> cases = {
      {"nodes", flow_sequence(249'999), flow_sequence(250'000)},
      {"anchors", anchors(50'000), anchors(50'001)},
      {"aliases", anchors(5'000) + aliases(50'000), anchors(5'001) + aliases(50'001)},
      {"alias ratio", anchors(10) + aliases(100), anchors(10) + aliases(101)},
      {"merge keys", merges(10'000), merges(10'001)},
      // Keys count too: "a" and "b" take a byte each.
      {"scalar bytes", std::string("a: ").append((64u << 20) - 1, 'x'), std::string("a: ").append(64u << 20, 'x')},
      {"scalar bytes through aliases", quarter + "\nb: [*a, *a, *a]\n", quarter + "\nb: [*a, *a, *a, *a]\n"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(read_yaml(c.within).has_value()) << c.limit;
    EXPECT_FALSE(read_yaml(c.beyond).has_value()) << c.limit;
  }
  EXPECT_FALSE(read_yaml(std::string((256u << 20) + 1, ' ')).has_value());
}

TEST(ReadYaml, AliasReplayIsBounded) {
  // Each level names the one below nine times: 9^9 values if expanded.
  std::string bomb = "a0: &a0 [x, x, x, x, x, x, x, x, x]\n";
  for (std::size_t level = 1; level <= 9; ++level) {
    std::string below = numbered("*a", level - 1);
    bomb += numbered("a", level) + numbered(": &a", level) + " [" + repeat(below + ", ", 8) + below + "]\n";
  }
  EXPECT_EQ(read_yaml(bomb), std::nullopt);
  // Within the replay budget the same shape is read in full.
  std::string small = "a0: &a0 [x, x]\na1: &a1 [*a0, *a0]\na2: [*a1, *a1]\n";
  Json pair = Json::array({"x", "x"});
  Json pairs = Json::array({pair, pair});
  EXPECT_EQ(read_yaml(small)->at("a2"), Json::array({pairs, pairs}));

  // Replays nest one level per alias inside an anchored node: 64 levels are
  // fine, the 65th is not.
  std::string chain = "a0: &a0 x\n";
  for (std::size_t k = 1; k <= 64; ++k)
    chain += numbered("a", k) + numbered(": &a", k) + numbered(" [*a", k - 1) + "]\n";
  EXPECT_TRUE(read_yaml(chain + "z: *a63\n").has_value());
  EXPECT_FALSE(read_yaml(chain + "z: *a64\n").has_value());

  // A million replayed events and no more: a hundred replays of ten
  // thousand events (with anchors enough to keep the alias ratio).
  std::string wide = "d: [&d0 x, &d1 x, &d2 x, &d3 x, &d4 x, &d5 x, &d6 x, &d7 x, &d8 x, &d9 x]\na: &a ";
  wide += flow_sequence(9'998);
  wide += "\nb: [" + repeat("*a,", 99) + "*a]\n";
  EXPECT_TRUE(read_yaml(wide).has_value());
  EXPECT_FALSE(read_yaml(wide + "c: *a\n").has_value());
}

}  // namespace
}  // namespace vyn::frontmatter
