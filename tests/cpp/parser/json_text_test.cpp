// Reading JSON texts within the nesting limit, whole or as object members
// written without their braces.
#include "parser/json_text.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vyn::parser {
namespace {

std::string nested(int depth) { return std::string(depth, '[') + std::string(depth, ']'); }

// `before` + `text` + `after`, built by appending: g++ 12 warns wrongly about
// the overlap of chained "+".
std::string around(std::string_view before, const std::string& text, std::string_view after) {
  std::string out(before);
  out.append(text).append(after);
  return out;
}

TEST(JsonText, NestingPastTheLimitIsUnreadable) {
  struct Case {
    std::string text;
    bool readable;
  };
  const std::vector<Case> cases = {
      {nested(kMaxJsonTextDepth), true},
      {nested(kMaxJsonTextDepth + 1), false},
      {around("{\"a\": ", nested(kMaxJsonTextDepth - 1), "}"), true},
      {around("{\"a\": ", nested(kMaxJsonTextDepth), "}"), false},
      {around("[\"", std::string(200, '['), "\"]"), true},  // brackets inside a string don't nest
      {std::string(1000000, '['), false},                   // far too deep and never closed
      {nested(1000000), false},
      {around("[", nested(kMaxJsonTextDepth), ", 1]"), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(read_json_text(c.text).has_value(), c.readable) << c.text.substr(0, 40);
  }
}

TEST(JsonText, MembersReadAsTheTextInBraces) {
  const std::vector<std::string> members = {
      "",
      "\"a\": 1",
      "\"a\": -0, \"b\": [1, {\"c\": null}]",
      around("\"a\": ", nested(kMaxJsonTextDepth - 1), ""),
      around("\"a\": ", nested(kMaxJsonTextDepth), ""),
      "\"a\": 1,",
      "\"a\"",
      "}",
      "\"a\": 1}, {\"b\": 2",
      "[1]",
  };
  for (const auto& text : members) {
    std::optional<ast::Json> braced = read_json_text(around("{", text, "}"));
    std::optional<ast::Json> read = read_json_members(text);
    ASSERT_EQ(read.has_value(), braced.has_value()) << text.substr(0, 40);
    if (read) {
      EXPECT_EQ(read->dump(), braced->dump()) << text.substr(0, 40);
    }
  }
  EXPECT_EQ(read_json_members("\"a\": -0")->at("a").dump(), "-0.0");
}

}  // namespace
}  // namespace vyn::parser
