#include "parser/source_map.hpp"

#include <algorithm>
#include <cstring>

namespace vyn::parser {

SourceMap::SourceMap(std::string_view text) {
  // Room for lines of 32 bytes on average, which few texts go below: the table is mostly made
  // once, without counting the lines first.
  line_starts_.reserve(text.size() / 32 + 2);
  line_starts_.push_back(0);
  const char* begin = text.data();
  const char* end = begin + text.size();
  for (const char* p = begin; p < end;) {
    const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    if (!hit) break;
    p = static_cast<const char*>(hit) + 1;
    line_starts_.push_back(static_cast<std::uint64_t>(p - begin));
  }
}

ast::Point SourceMap::point(std::uint64_t offset) const {
  // Whether `line` (an index) holds the offset; the last line holds everything past its start.
  auto holds = [&](std::size_t line) {
    return line_starts_[line] <= offset && (line + 1 == line_starts_.size() || offset < line_starts_[line + 1]);
  };
  std::size_t line = hint_;
  if (!holds(line)) {
    if (line + 1 < line_starts_.size() && holds(line + 1)) {
      ++line;
    } else {
      auto after = std::upper_bound(line_starts_.begin(), line_starts_.end(), offset);
      line = static_cast<std::size_t>(after - line_starts_.begin()) - 1;  // line_starts_[0] == 0
    }
    hint_ = line;
  }
  return ast::Point{line + 1, offset - line_starts_[line] + 1, offset};
}

ast::Position SourceMap::position(std::uint64_t start, std::uint64_t end) const {
  return ast::Position{point(start), point(end)};
}

}  // namespace vyn::parser
