// Mapping indexes of a text that lacks the container prefixes of its later
// lines back to the source bytes they came from.
#include "parser/text_origin.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vyn::parser {
namespace {

TEST(LineAlignment, MapsEveryIndexToItsSourceByte) {
  struct Case {
    std::string text;
    std::string source;
    std::vector<std::uint64_t> offsets;  // for each index of the text, then its size
  };
  const std::vector<Case> cases = {
      {"ab\ncd", "ab\ncd", {0, 1, 2, 3, 4, 5}},
      {"<B\nx/>", "<B\n> x/>", {0, 1, 2, 5, 6, 7, 8}},
      {"<B\nx\ny", "<B\n> x\n>   y", {0, 1, 2, 5, 6, 11, 12}},
      {"<B\rx", "<B\r> x", {0, 1, 2, 5, 6}},          // a carriage return ends a line too
      {"a\r\nb", "a\r\n> b", {0, 1, 2, 5, 6}},        // and so does the pair
      {"a\n\tx", "a\n>\t\tx", {0, 1, 4, 5, 6}},       // the part of a tab the prefix takes
      {"a\n\u00e9", "a\n  \u00e9", {0, 1, 4, 5, 6}},  // bytes, not characters
      {"a\n\n", "a\n>\n", {0, 1, 3, 4}},              // an empty line
      {"a\n  x", "a\n x", {0, 1, 2, 2, 3, 4}},        // a byte the source lacks: its line's start
      {"a\nb", "a", {0, 1, 1, 1}},                    // a line the source lacks: its end
  };
  for (const Case& c : cases) {
    ASSERT_EQ(c.offsets.size(), c.text.size() + 1) << c.text;
    LineAlignment lines(c.text, c.source, 10);
    for (std::size_t index = 0; index <= c.text.size(); ++index) {
      EXPECT_EQ(lines.offset(index), 10 + c.offsets[index]) << c.text << " at " << index;
    }
  }
}

TEST(TextOrigin, PlainOffsetsOrMappedIndexesFromAnyStart) {
  EXPECT_EQ(TextOrigin(7)(3), 10u);
  EXPECT_EQ(TextOrigin(7).from(2)(3), 12u);
  LineAlignment lines("<B\nx=1", "<B\n> x=1", 4);
  EXPECT_EQ(TextOrigin(lines)(3), 9u);
  EXPECT_EQ(TextOrigin(lines).from(3)(0), 9u);
  EXPECT_EQ(TextOrigin(lines).from(3)(3), 12u);
  EXPECT_EQ(TextOrigin(lines).from(1)(1), 6u);
}

}  // namespace
}  // namespace vyn::parser
