// Offsets into lines and byte columns.
#include "parser/source_map.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vyn::parser {
namespace {

// The line starts up to the end marker.
std::vector<std::uint64_t> line_starts(const SourceMap& map) {
  std::vector<std::uint64_t> starts;
  for (std::size_t i = 0; map.line_start(i) != SourceMap::kNoLine; ++i) starts.push_back(map.line_start(i));
  return starts;
}

TEST(SourceMap, LineStartsFollowLineFeedsOnly) {
  EXPECT_EQ(line_starts(SourceMap("")), (std::vector<std::uint64_t>{0}));
  EXPECT_EQ(line_starts(SourceMap("a\n")), (std::vector<std::uint64_t>{0, 2}));
  EXPECT_EQ(line_starts(SourceMap("a\r\nb\rc\n\n")), (std::vector<std::uint64_t>{0, 3, 7, 8}));
  // Line feeds at both edges of 16-byte blocks, several in one block, and in a tail shorter than a block.
  std::string text(70, 'x');
  for (std::size_t at : {0, 15, 16, 17, 20, 21, 31, 47, 64, 69}) text[at] = '\n';
  EXPECT_EQ(line_starts(SourceMap(text)), (std::vector<std::uint64_t>{0, 1, 16, 17, 18, 21, 22, 32, 48, 65, 70}));
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
  // Spans whose start lies any number of lines before their end, from anywhere.
  for (std::size_t k = 1; k < offsets.size(); ++k) {
    std::uint64_t start = std::min(offsets[k - 1], offsets[k]), end = std::max(offsets[k - 1], offsets[k]);
    EXPECT_EQ(map.position(start, end), (ast::Position{counted(start), counted(end)})) << start << ' ' << end;
  }
}

}  // namespace
}  // namespace vyn::parser
