// The line table of one input: turns absolute byte offsets into positions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "ast/node.hpp"

namespace vyn::parser {

class SourceMap {
 public:
  explicit SourceMap(std::string_view text);

  // Lines and columns count from 1, columns in bytes. An offset at or past
  // the end of the input falls on the last line.
  ast::Point point(std::uint64_t offset) const {
    hint_ = line_index(offset, hint_);
    return point_on(hint_, offset);
  }

  // The end is looked up first: positions are mostly asked for as nodes
  // close, after their children, so the end lies near the last lookup and the
  // start, when it is on an earlier line, is searched back from the end.
  ast::Position position(std::uint64_t start, std::uint64_t end) const {
    ast::Point last = point(end);
    std::size_t first_line = start >= line_starts_[hint_] ? hint_ : line_index(start, hint_);
    return ast::Position{point_on(first_line, start), last};
  }

  // The index (from 0) of the line holding `offset`, searched outward from
  // line `near`: a few steps when the two are close, a binary search's when
  // they are far. The line after `near` is tried first: a block ends at the
  // start of the line after its last.
  std::size_t line_index(std::uint64_t offset, std::size_t near) const {
    if (line_starts_[near] <= offset) {
      if (offset < line_starts_[near + 1]) return near;
      // line_starts_[near + 1] <= offset, so it is a line's start and a next one (or kNoLine) follows.
      if (offset < line_starts_[near + 2]) return near + 1;
    }
    return line_index_far(offset, near);
  }

  // Where line `index` starts; for the index one past the last line,
  // kNoLine.
  std::uint64_t line_start(std::size_t index) const { return line_starts_[index]; }
  static constexpr std::uint64_t kNoLine = UINT64_MAX;

 private:
  std::size_t line_index_far(std::uint64_t offset, std::size_t near) const;
  ast::Point point_on(std::size_t line, std::uint64_t offset) const {
    return ast::Point{line + 1, offset - line_starts_[line] + 1, offset};
  }

  // 0, then one past every line feed, then kNoLine: every line has a next
  // start to compare with.
  std::vector<std::uint64_t> line_starts_;
  // The line of the last lookup: a parse asks for offsets mostly in order, so
  // the next one is usually on that line or close to it.
  mutable std::size_t hint_ = 0;
};

}  // namespace vyn::parser
