#include "parser/text_origin.hpp"

#include <algorithm>

namespace vyn::parser {

namespace {

// The index of the first line end at or after `from`, or the text's size.
std::size_t line_end(std::string_view text, std::size_t from) {
  return std::min(text.find_first_of("\r\n", from), text.size());
}

}  // namespace

LineAlignment::LineAlignment(std::string_view text, std::string_view source, std::uint64_t base) {
  std::size_t text_start = 0;
  std::size_t source_start = 0;
  for (;;) {
    // Should the source hold fewer lines, the text's last ones map to its end.
    source_start = std::min(source_start, source.size());
    std::size_t text_end = line_end(text, text_start);
    std::size_t source_end = line_end(source, source_start);
    lines_.push_back({text_end, base + source_end, base + source_start});
    if (text_end == text.size()) break;
    text_start = text_end + 1;
    source_start = source_end + 1;
  }
}

std::uint64_t LineAlignment::offset(std::size_t index) const {
  auto line = std::lower_bound(lines_.begin(), lines_.end(), index,
                               [](const Line& line, std::size_t index) { return line.text_end < index; });
  if (line == lines_.end()) return lines_.back().source_end;
  std::uint64_t back = line->text_end - index;
  return back > line->source_end - line->source_start ? line->source_start : line->source_end - back;
}

}  // namespace vyn::parser
