// Offsets into lines and byte columns.
#include "parser/source_map.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vyn::parser {
namespace {

TEST(SourceMap, LineStartsFollowLineFeedsOnly) {
  EXPECT_EQ(SourceMap("").line_starts(), (std::vector<std::uint64_t>{0}));
  EXPECT_EQ(SourceMap("a\n").line_starts(), (std::vector<std::uint64_t>{0, 2}));
  EXPECT_EQ(SourceMap("a\r\nb\rc\n\n").line_starts(), (std::vector<std::uint64_t>{0, 3, 7, 8}));
}

TEST(SourceMap, PointsCountLinesAndByteColumnsFromOne) {
  const std::string text = "ab\n\xc3\xa9x\r\n\nlast";
  SourceMap map(text);
  struct Case {
    std::uint64_t offset;
    ast::Point point;
  };
  const std::vector<Case> cases = {
      {0, {1, 1, 0}},    {2, {1, 3, 2}}, {3, {2, 1, 3}}, {5, {2, 3, 5}},    // the "x" after the two-byte "é"
      {6, {2, 4, 6}},    {8, {3, 1, 8}}, {9, {4, 1, 9}}, {13, {4, 5, 13}},  // the end of the input
      {40, {4, 32, 40}},                                                    // past the end: still the last line
  };
  for (const auto& c : cases) EXPECT_EQ(map.point(c.offset), c.point) << c.offset;
  EXPECT_EQ(map.position(3, 6), (ast::Position{{2, 1, 3}, {2, 4, 6}}));
}

}  // namespace
}  // namespace vyn::parser
