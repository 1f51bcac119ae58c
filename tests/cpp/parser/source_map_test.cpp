// Offsets into lines and byte columns.
#include "parser/source_map.hpp"

#include <gtest/gtest.h>

#include <algorithm>
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

// Lookups in any order (forward by a byte or a line, back, far jumps, the
// same offset again) agree with counting the line feeds before the offset.
TEST(SourceMap, LookupsInAnyOrderAgreeWithCounting) {
  std::string text;
  for (int line = 0; line < 64; ++line) text += std::string(static_cast<std::size_t>(line % 5), 'x') + "\n";
  SourceMap map(text);
  auto counted = [&](std::uint64_t offset) {
    std::uint64_t line = 1, start = 0;
    for (std::uint64_t k = 0; k < std::min<std::uint64_t>(offset, text.size()); ++k)
      if (text[k] == '\n') ++line, start = k + 1;
    return ast::Point{line, offset - start + 1, offset};
  };
  std::vector<std::uint64_t> offsets;
  for (std::uint64_t k = 0; k <= text.size() + 2; ++k) offsets.push_back(k);
  for (std::uint64_t k = text.size(); k-- > 0;) offsets.push_back(k);
  for (std::uint64_t k = 0; k < 200; ++k) offsets.push_back((k * 37) % (text.size() + 3));
  for (std::uint64_t offset : offsets) EXPECT_EQ(map.point(offset), counted(offset)) << offset;
}

}  // namespace
}  // namespace vyn::parser
