#include "parser/code_meta.hpp"

#include <gtest/gtest.h>

#include <string>

namespace vyn::parser {
namespace {

using Lines = std::vector<std::uint32_t>;
using std::nullopt;

// Info strings as written after the fence, split and read the way a code block's node gets them.
struct InfoCase {
  std::string info;
  std::optional<std::string> lang;
  CodeMeta expected;
};

TEST(CodeMeta, ReadsOptionsOutOfInfoStrings) {
  const InfoCase cases[] = {
      {"yaml title='config.yml' {1,3-5} showLineNumbers",
       "yaml",
       {.title = "config.yml", .highlight = Lines{1, 3, 4, 5}, .show_line_numbers = true}},
      {"py {2}  a   b", "py", {.highlight = Lines{2}, .meta = "a b"}},
      {"py a   b", "py", {.meta = "a   b"}},
      {"py diff extra", "py", {.diff = true, .meta = "extra"}},
      {"py diffx", "py", {.meta = "diffx"}},
      {"py showLineNumbers\tdiff", "py", {.show_line_numbers = true, .diff = true}},
      {"py title=main", "py", {.meta = "title=main"}},
      {"py title='a' title='b'", "py", {.title = "b"}},
      {"py title='a'{1}", "py", {.title = "a", .highlight = Lines{1}}},
      {"py title='My file.txt'", "py", {.title = "My file.txt"}},
      {"py caption='It\\'s'", "py", {.caption = "It's"}},
      {"py title='a\\b'", "py", {.title = "a\\b"}},
      {"py title='\\\\'", "py", {.title = "\\"}},
      {"py title=\"\\\xC3\xA9\"", "py", {.title = "\\\xC3\xA9"}},
      {"py title='open", "py", {.meta = "title='open"}},
      {"py title='open x {2}", "py", {.highlight = Lines{2}, .meta = "title='open x"}},
      {"py caption=\"a\" title='b' {3} {1}", "py", {.title = "b", .caption = "a", .highlight = Lines{1}}},
      {"yaml", "yaml", {}},
      {"yaml  {2}", "yaml", {.highlight = Lines{2}}},
      {"", nullopt, {}},
      {"js   ", "js", {.meta = "  "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.info);
    CodeInfo info = split_code_info(c.info);
    EXPECT_EQ(info.lang, c.lang);
    HighlightBudget highlights(0);
    CodeMeta meta = parse_code_meta(info.meta, highlights);
    EXPECT_EQ(meta.title, c.expected.title);
    EXPECT_EQ(meta.caption, c.expected.caption);
    EXPECT_EQ(meta.highlight, c.expected.highlight);
    EXPECT_EQ(meta.show_line_numbers, c.expected.show_line_numbers);
    EXPECT_EQ(meta.diff, c.expected.diff);
    EXPECT_EQ(meta.meta, c.expected.meta);
  }
}

TEST(CodeMeta, KeepsInvalidHighlightGroupsAsWrittenMeta) {
  for (std::string group : {"{3-1}", "{}", "{1,x}", "{-2}", "{1-2-3}", "{4294967296}", "{1-100001}", "{+}", "{1 2}"}) {
    SCOPED_TRACE(group);
    HighlightBudget highlights(0);
    CodeMeta meta = parse_code_meta(group, highlights);
    EXPECT_EQ(meta.highlight, nullopt);
    EXPECT_EQ(meta.meta, group);
  }
}

TEST(CodeMeta, ExpandsHighlightGroups) {
  const std::pair<std::string, std::optional<Lines>> cases[] = {
      {"5, 1-3, 3", Lines{1, 2, 3, 5}},
      {"+3", Lines{3}},
      {" 2 , 4 ", Lines{2, 4}},
      {"1,,2", Lines{1, 2}},
      {"2 - 4,3-1", Lines{2, 3, 4}},
      {"4294967295", Lines{4294967295u}},
      {"4294967294-4294967295", Lines{4294967294u, 4294967295u}},
      {"1-100000,100001", std::nullopt},
      {"0-99999,100000", std::nullopt},
      {"\u00a07\u3000", Lines{7}},
      {",", std::nullopt},
      {"3-1", std::nullopt},
      {"1-+2", Lines{1, 2}},
      {"++1", std::nullopt},
  };
  for (const auto& [group, lines] : cases) {
    SCOPED_TRACE(group);
    EXPECT_EQ(parse_highlight_ranges(group), lines);
  }
  auto widest = parse_highlight_ranges("100000-1, 1-100000");
  ASSERT_TRUE(widest);
  EXPECT_EQ(widest->size(), kMaxHighlightLines);
  EXPECT_EQ(widest->back(), 100000u);
}

TEST(CodeMeta, ReadsQuotedValues) {
  const std::pair<std::string, std::optional<std::pair<std::string, std::size_t>>> cases[] = {
      {"'a' rest", std::pair{"a", 3}},
      {"\"a'b\"", std::pair{"a'b", 5}},
      {"'\\''", std::pair{"'", 4}},
      {"'\\\\'", std::pair{"\\", 4}},
      {"'\\\"'", std::pair{"\\\"", 4}},
      {"'a\\", std::nullopt},
      {"'", std::nullopt},
      {"", std::nullopt},
      {"x'a'", std::nullopt},
      {"''", std::pair{"", 2}},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    auto value = parse_quoted_value(text);
    ASSERT_EQ(value.has_value(), expected.has_value());
    if (value) {
      EXPECT_EQ(value->value, expected->first);
      EXPECT_EQ(value->consumed, expected->second);
    }
  }
}

// The groups of one parse share a budget: kMaxHighlightLines and one line per input byte. A group
// past what is left is invalid and spends nothing; the last one kept in a meta is what it spends.
TEST(CodeMeta, HighlightGroupsShareOneBudget) {
  HighlightBudget highlights(10);
  const std::pair<std::string, std::optional<std::size_t>> cases[] = {
      {"{1-3} {1-60000}", 60000},  // the earlier group, replaced, spends nothing: 40,010 left
      {"{1-50000}", nullopt},     {"{1-40000} {1-10}", 10}, {"{1-39990}", 39990},  // 10 left
      {"{1-6} {1-5}", 5},         {"{1-6}", nullopt},       {"{1-5}", 5},         {"{1}", nullopt},
  };
  for (const auto& [group, lines] : cases) {
    SCOPED_TRACE(group);
    CodeMeta meta = parse_code_meta(group, highlights);
    EXPECT_EQ(meta.highlight ? std::optional<std::size_t>(meta.highlight->size()) : nullopt, lines);
    if (!lines) {
      EXPECT_EQ(meta.meta, group);
    }
  }
}

// Many groups that close only at the far end and an unterminated title.
TEST(CodeMeta, ManyUnterminatedOptionsStayLeftoverWords) {
  std::string meta;
  for (int k = 0; k < 2000; ++k) meta += "{x {{ ";
  meta += "} title='y ";
  HighlightBudget highlights(0);
  CodeMeta result = parse_code_meta(meta + "diff", highlights);
  EXPECT_EQ(result.diff, true);
  EXPECT_EQ(result.title, nullopt);
  ASSERT_TRUE(result.meta);
  EXPECT_EQ(result.meta->size(), meta.size() - 1);
}

}  // namespace
}  // namespace vyn::parser
