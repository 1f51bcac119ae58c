// The root that parse builds around the body: its span and its frontmatter.
#include "parser/parser.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vyn::parser {
namespace {

using ast::Json;

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
