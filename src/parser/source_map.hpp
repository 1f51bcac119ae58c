// The line table of one input: turns absolute byte offsets into positions.
#pragma once

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
  ast::Point point(std::uint64_t offset) const;
  ast::Position position(std::uint64_t start, std::uint64_t end) const;

  const std::vector<std::uint64_t>& line_starts() const { return line_starts_; }

 private:
  std::vector<std::uint64_t> line_starts_;  // 0, then one past every line feed
  // The line of the last lookup: a parse asks for offsets mostly in order, so
  // the next one is usually on that line or the one after it.
  mutable std::size_t hint_ = 0;
};

}  // namespace vyn::parser
