#include "parser/source_map.hpp"

#include <algorithm>
#include <cstring>

namespace vyn::parser {

namespace {

// Calls `f` with the offset after each line feed of `text`.
template <class F>
void each_line_feed(std::string_view text, F f) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  for (const char* p = begin; p < end;) {
    const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    if (!hit) break;
    p = static_cast<const char*>(hit) + 1;
    f(static_cast<std::uint64_t>(p - begin));
  }
}

}  // namespace

SourceMap::SourceMap(std::string_view text) {
  // Counted first, so that the table is made once at its size.
  std::size_t lines = 1;
  each_line_feed(text, [&](std::uint64_t) { ++lines; });
  line_starts_.reserve(lines);
  line_starts_.push_back(0);
  each_line_feed(text, [&](std::uint64_t start) { line_starts_.push_back(start); });
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
