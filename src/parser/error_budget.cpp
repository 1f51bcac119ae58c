#include "parser/error_budget.hpp"

#include <string>

namespace vyn::parser {

namespace {

bool is_continuation_byte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string_view cut_short(std::string_view text) {
  // Only the bytes that may be kept are searched: the text may run far.
  std::string_view head = text.substr(0, ErrorBudget::kCutBytes);
  std::size_t line_feed = head.find('\n');
  if (line_feed != std::string_view::npos) return head.substr(0, line_feed);
  std::size_t size = head.size();
  while (size < text.size() && size > 0 && is_continuation_byte(text[size])) --size;
  return head.substr(0, size);
}

ast::Node ErrorBudget::error_node(const TagError& error, TextOrigin raw_origin, const SourceMap& source_map) {
  std::string_view value = error.inserted_value();
  std::string_view raw = error.raw;
  std::size_t size = error.words.size() + value.size() + error.words_after.size() + raw.size();
  if (size <= left_) {
    left_ -= size;
  } else {
    left_ = 0;
    value = cut_short(value);
    raw = cut_short(raw);
  }
  std::uint64_t end = raw.size() == error.raw.size() ? error.end : raw_origin(raw.size());
  return ast::make_error(error.message(value), std::string(raw), source_map.position(error.start, end));
}

}  // namespace vyn::parser
