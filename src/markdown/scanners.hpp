// Byte-level recognisers for block starts: line endings, blank lines, thematic breaks, headings,
// code fences, HTML block starts and table delimiter rows. Each looks at one line only.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "markdown/chars.hpp"
#include "markdown/events.hpp"

namespace markdown {

struct Fence {
  std::size_t count;
  char ch;
};

// The scanners that most lines fail at their first byte: past it, out of line.
namespace detail {
std::optional<std::size_t> blank_line_after_space(std::string_view text, std::size_t ix);
std::optional<std::size_t> empty_line_after_space(std::string_view text, std::size_t ix);
std::optional<std::size_t> hrule_from_marker(std::string_view text, std::size_t ix);
std::optional<unsigned> atx_heading_from_marker(std::string_view text, std::size_t ix);
std::optional<Fence> code_fence_from_marker(std::string_view text, std::size_t ix);
}  // namespace detail

// Length of the line ending at text[ix] (1, or 2 for CRLF); 0 when there is none.
inline std::size_t scan_eol(std::string_view text, std::size_t ix) {
  if (ix >= text.size()) return 0;
  if (text[ix] == '\n') return 1;
  if (text[ix] == '\r') return (ix + 1 < text.size() && text[ix + 1] == '\n') ? 2 : 1;
  return 0;
}
inline constexpr ByteSet kLineEnd("\n\r");
// Position of the line ending (or the end of text) of the line holding ix.
inline std::size_t find_eol(std::string_view text, std::size_t ix) {
  return find_byte_of(text, ix, text.size(), kLineEnd);
}
// Position just past the line ending of the line holding ix.
std::size_t next_line_start(std::string_view text, std::size_t ix);
// Only spaces and tabs until the line ends: bytes up to and including the line ending. Such a
// line continues open containers and ends a paragraph.
inline std::optional<std::size_t> scan_blank_line(std::string_view text, std::size_t ix) {
  if (ix < text.size() && !is_blank_char(static_cast<unsigned char>(text[ix])) &&
      !is_eol_char(static_cast<unsigned char>(text[ix]))) {
    return std::nullopt;
  }
  return detail::blank_line_after_space(text, ix);
}
// The same with vertical tabs and form feeds too: a line where no block starts, which ends an
// HTML block or a table and leaves an item's or definition's first line empty.
inline std::optional<std::size_t> scan_empty_line(std::string_view text, std::size_t ix) {
  if (ix < text.size() && !is_line_space(static_cast<unsigned char>(text[ix])) &&
      !is_eol_char(static_cast<unsigned char>(text[ix]))) {
    return std::nullopt;
  }
  return detail::empty_line_after_space(text, ix);
}
// Past spaces, tabs, vertical tabs and form feeds from ix.
inline std::size_t skip_line_space(std::string_view text, std::size_t ix, std::size_t limit) {
  while (ix < limit && is_line_space(static_cast<unsigned char>(text[ix]))) ++ix;
  return ix;
}
// A thematic break: the bytes of the line including its ending.
inline std::optional<std::size_t> scan_hrule(std::string_view text, std::size_t ix) {
  if (ix >= text.size() || (text[ix] != '*' && text[ix] != '-' && text[ix] != '_')) return std::nullopt;
  return detail::hrule_from_marker(text, ix);
}
// An ATX heading opener: its level.
inline std::optional<unsigned> scan_atx_heading(std::string_view text, std::size_t ix) {
  if (ix >= text.size() || text[ix] != '#') return std::nullopt;
  return detail::atx_heading_from_marker(text, ix);
}
inline std::optional<Fence> scan_code_fence(std::string_view text, std::size_t ix) {
  if (ix >= text.size() || (text[ix] != '`' && text[ix] != '~')) return std::nullopt;
  return detail::code_fence_from_marker(text, ix);
}
// A closing fence at ix (after up to 3 spaces of indent): the line's length without its ending.
std::optional<std::size_t> scan_closing_fence(std::string_view text, std::size_t ix, Fence fence);

// A setext underline: level 1 ('=') or 2 ('-'), with the line's length including its ending.
struct SetextUnderline {
  unsigned level;
  std::size_t length;
};
std::optional<SetextUnderline> scan_setext_underline(std::string_view text, std::size_t ix);

// HTML block kinds 1 to 5 end at a line holding a marker; 6 and 7 end at a blank line.
struct HtmlBlockStart {
  int kind;
  std::string_view end_marker;  // kinds 1 to 5
};
// text[ix] == '<'. Kind 7 is only reported when `allow_kind_7`.
std::optional<HtmlBlockStart> scan_html_block_start(std::string_view text, std::size_t ix, bool allow_kind_7);
// Whether the line [ix, eol) holds `marker` (ASCII case-insensitive for kind 1).
bool line_contains_html_end(std::string_view text, std::size_t ix, std::size_t eol, std::string_view marker);

// Column alignments of a table delimiter row, or nothing when the line is not one.
std::optional<std::vector<Alignment>> scan_table_delimiter_row(std::string_view text, std::size_t ix);
// Number of cells of a table row line (pipes split it, outer pipes optional, escaped pipes kept).
std::size_t count_table_cells(std::string_view text, std::size_t ix);

}  // namespace markdown
