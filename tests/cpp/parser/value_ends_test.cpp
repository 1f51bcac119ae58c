// Where values end, remembered over a text: the same answers as the direct
// searches in whatever order the positions are asked, and tags read through a
// shared memo read as they read alone.
#include "parser/value_ends.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "ast/unicode.hpp"
#include "parser/tags.hpp"

namespace vyn::parser {
namespace {

std::string random_text(std::mt19937& random, std::string_view alphabet, std::size_t max_size) {
  std::string text(random() % (max_size + 1), ' ');
  for (char& c : text) c = alphabet[random() % alphabet.size()];
  return text;
}

void expect_direct_answers(ValueEnds& ends, std::string_view text, const std::vector<std::size_t>& order) {
  for (std::size_t from : order) {
    ASSERT_EQ(ends.closing_brace(from), text.find('}', from)) << text << " from " << from;
    ASSERT_EQ(ends.json_value_end(from), json_value_end(text, from, TagReading::Exact)) << text << " from " << from;
  }
}

// Asked at every position, a short text soon spends its direct searches, so
// most answers come from the tables.
TEST(ValueEnds, AnswersAsTheDirectSearchesInAnyOrder) {
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    std::string text = random_text(random, "{}\"\\x\n", 24);
    std::vector<std::size_t> order(text.size() + 2);
    std::iota(order.begin(), order.end(), 0);
    ValueEnds increasing(text);
    expect_direct_answers(increasing, text, order);
    std::shuffle(order.begin(), order.end(), random);
    ValueEnds shuffled(text);
    expect_direct_answers(shuffled, text, order);
  }
}

TEST(ValueEnds, JsonValueEnds) {
  struct Case {
    std::string text;
    std::size_t end;
  };
  constexpr std::size_t npos = std::string_view::npos;
  const std::vector<Case> cases = {
      {"}}", 0},           {"x}}", 1},      {"} }}", 2},  // a lone "}" at depth 0 is stepped over
      {"{}}}", 2},                                        // the group closes first
      {"{}}", npos},       {"\"}}\"}}", 4},               // braces inside strings don't count
      {"\"\\\"}}\"}}", 6},                                // nor does an escaped quote end the string
      {"\"\\\\\"}}", 4},                                  // an escaped backslash does not escape the quote
      {"{\"}\"}}}", 5},    {"\"}}", npos},  {"{{}}", npos}, {"}", npos}, {"", npos},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(json_value_end(c.text, 0, TagReading::Exact), c.end) << c.text;
    // Asked again and again from the end down, the memo turns to its tables.
    ValueEnds ends(c.text);
    for (int round = 0; round < 8; ++round) {
      for (std::size_t from = c.text.size(); from > 0; --from) ends.json_value_end(from);
    }
    EXPECT_EQ(ends.json_value_end(0), c.end) << c.text;
  }
}

// Values that end at one place share the white space before it, however
// their starts fall among multibyte and broken characters.
TEST(ValueEnds, TrimsAsTheTextAlone) {
  const std::vector<std::string> pieces = {" ",        "\n",   "x",    "\xc2\xa0", "\xe3\x80\x80",
                                           "\xe2\x80", "\x85", "\xa0", "\xe2",     std::string(70, ' ')};
  std::mt19937 random(5);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    std::size_t count = random() % 12;
    for (std::size_t i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
    ValueEnds ends(text);
    const std::size_t value_ends[] = {text.size(), random() % (text.size() + 1)};
    for (int query = 0; query < 40; ++query) {
      std::size_t to = value_ends[query % 2];
      std::size_t from = random() % (to + 1);
      ASSERT_EQ(ends.trimmed(from, to), ast::trim(std::string_view(text).substr(from, to - from)))
          << text << " from " << from << " to " << to;
    }
  }
}

// Tags at every "<" of one text, read through one memo, read as each does
// from a memo of its own.
TEST(ValueEnds, SharedByTheTagsOfOneText) {
  const std::vector<std::string_view> pieces = {"<A x=", "<A x={", "<A x={{", "<A x={$", "{",   "}",  "{{",
                                                "}}",    "a",      "\"",      "\\",      "[1]", "\n", " ",
                                                ">",     "'",      "1",       ":",       "/>"};
  std::mt19937 random(11);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    std::size_t count = random() % 100;
    for (std::size_t i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
    SourceMap source_map(text);
    ValueEnds shared(text);
    for (std::size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1)) {
      ASSERT_EQ(try_parse_open_tag(shared, at, 0, source_map), try_parse_open_tag(text, at, 0, source_map))
          << text << " at " << at;
    }
  }
}

}  // namespace
}  // namespace vyn::parser
