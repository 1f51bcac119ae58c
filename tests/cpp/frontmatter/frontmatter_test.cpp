// Splitting the frontmatter block off a document.
#include "frontmatter/frontmatter.hpp"

#include <gtest/gtest.h>

#include <string>

namespace vyn::frontmatter {
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

}  // namespace
}  // namespace vyn::frontmatter
