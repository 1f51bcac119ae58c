// Splitting the frontmatter block off a document, and the root that parse
// builds around it.
#include "parser/frontmatter.hpp"

#include <gtest/gtest.h>

#include <string>

#include "parser/parser.hpp"

namespace vyn::parser {
namespace {

using ast::Json;

struct SplitCase {
  std::string input;
  std::optional<Json> frontmatter;
  std::uint64_t body_start;
};

TEST(ExtractFrontmatter, SplitsAtTheFirstClosingLine) {
  const std::vector<SplitCase> cases = {
      {"", std::nullopt, 0},
      {"---\ntitle: x\n---\nHello", Json{{"title", "x"}}, 17},
      {"---\r\ntitle: x\r\n---\r\nHello", Json{{"title", "x"}}, 20},
      {"---\na: 1\n  ---\nrest", Json{{"a", 1}}, 15},
      {"---\na: 1\n---\r\r\nrest", Json{{"a", 1}}, 15},
      {"---\na: 1\n---", Json{{"a", 1}}, 12},
      {"---\na: 1\n---\n---\nb: 2\n", Json{{"a", 1}}, 13},
      {"---\na: 1\n\xe2\x80\x83---\nx", Json{{"a", 1}}, 16},  // an em space before the closer
      // Blocks that hold no value: the body still starts after the closer.
      {"---\n---\n", std::nullopt, 8},
      {"---\n~\n---\n", std::nullopt, 10},
      {"---\nnull\n---\n", std::nullopt, 13},
      {"---\n# only a comment\n---\nx", std::nullopt, 25},
      {"---\nkey: [unclosed\n---\nText", std::nullopt, 23},
      {"---\nhello\n---\n", Json("hello"), 14},
      {"---\n- 1\n- 2\n---\n", Json{1, 2}, 16},
  };
  for (const auto& c : cases) {
    Frontmatter result = extract_frontmatter(c.input);
    EXPECT_EQ(result.value, c.frontmatter) << c.input;
    EXPECT_EQ(result.body_start, c.body_start) << c.input;
  }
}

TEST(ExtractFrontmatter, NoBlockWithoutAnExactOpenerAndACloser) {
  const std::vector<std::string> inputs = {
      "---",
      "---\n",
      "---\r\n",
      " ---\na: 1\n---\n",
      "\xef\xbb\xbf---\na: 1\n---\n",
      "----\na: 1\n---\n",
      "--- \na: 1\n---\n",
      "---\r\r\na: 1\n---\n",
      "---\na: 1\n--- \n",
      "---\na: 1\n---x\n",
      "---\na: 1\n",
      "---\na: 1",
      "text\n---\na: 1\n---\n",
      "---\na: 1\n---\xc2\xa0\n",  // no white space of any kind after the closer
  };
  for (const auto& input : inputs) {
    Frontmatter result = extract_frontmatter(input);
    EXPECT_EQ(result.value, std::nullopt) << input;
    EXPECT_EQ(result.body_start, 0u) << input;
  }
}

TEST(Parse, RootSpansTheWholeInputAndHoldsTheFrontmatter) {
  struct Case {
    std::string input;
    ast::Position position;
  };
  const std::vector<Case> cases = {
      {"", {{1, 1, 0}, {1, 1, 0}}},
      {"a\n", {{1, 1, 0}, {2, 1, 2}}},
      {"---\ntitle: x\n---\nHello", {{1, 1, 0}, {4, 6, 22}}},
      {"\xc3\xa9x", {{1, 1, 0}, {1, 4, 3}}},
  };
  for (const auto& c : cases) {
    ast::Root root = parse(c.input);
    EXPECT_EQ(root.position, c.position) << c.input;
  }
  EXPECT_EQ(parse("---\ntitle: x\n---\nHello").frontmatter, (Json{{"title", "x"}}));
  EXPECT_EQ(parse("---\nkey: [unclosed\n---\nText").frontmatter, std::nullopt);
}

}  // namespace
}  // namespace vyn::parser
