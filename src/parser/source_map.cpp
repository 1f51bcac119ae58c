#include "parser/source_map.hpp"

#include <algorithm>
#include <cstring>

namespace vyn::parser {

SourceMap::SourceMap(std::string_view text) {
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
  auto after = std::upper_bound(line_starts_.begin(), line_starts_.end(), offset);
  auto line = static_cast<std::uint64_t>(after - line_starts_.begin());  // >= 1: line_starts_[0] == 0
  return ast::Point{line, offset - line_starts_[line - 1] + 1, offset};
}

ast::Position SourceMap::position(std::uint64_t start, std::uint64_t end) const {
  return ast::Position{point(start), point(end)};
}

}  // namespace vyn::parser
