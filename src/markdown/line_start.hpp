// Reads the start of one line: indentation by columns (tabs stop every 4), container markers,
// list markers and task-list markers. A partly consumed tab leaves columns in `spaces_remaining`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "markdown/tree.hpp"

namespace markdown {

struct ListMarker {
  char ch;               // '-', '+', '*', '.' or ')'
  std::uint64_t number;  // ordered lists
  std::size_t indent;    // columns from the container start to the item's content
  bool blank;            // nothing follows the marker on this line
  std::size_t position;  // byte offset of the marker
  std::size_t leading;   // columns of indent before it
};

class LineStart {
 public:
  LineStart(std::string_view text, std::size_t ix) : text_(text), ix_(ix) {}

  std::size_t ix() const { return ix_; }
  std::size_t spaces_remaining() const { return spaces_remaining_; }

  // Consumes up to `n` columns of spaces and tabs; returns the columns consumed.
  std::size_t scan_space_upto(std::size_t n) {
    // Most lines start with no indent left to take: settled here, without a call.
    if (spaces_remaining_ == 0 && (ix_ >= text_.size() || (text_[ix_] != ' ' && text_[ix_] != '\t'))) return 0;
    return scan_indent_upto(n);
  }
  // Consumes exactly `n` columns, or nothing.
  bool scan_space(std::size_t n);
  // Skips all spaces and tabs.
  std::size_t scan_all_space();
  bool is_at_eol() const;
  // `continuing`: the marker continues an open quote rather than starting one.
  bool scan_blockquote_marker(bool continuing = false);
  // What continues the open container `node` on this line: a quote marker, an item's or a
  // definition's indent (or a blank rest of line); nothing for the others.
  bool scan_continuation(const Node& node);
  std::optional<ListMarker> scan_list_marker();
  std::optional<bool> scan_task_list_marker();
  // `:` of a definition; returns the content indent.
  std::optional<std::size_t> scan_definition_marker();
  // `[^label]:` of a footnote definition; returns the label as written.
  std::optional<std::string_view> scan_footnote_label();

 private:
  std::size_t scan_indent_upto(std::size_t n);

  std::string_view text_;
  std::size_t ix_;
  std::size_t col_ = 0;
  std::size_t spaces_remaining_ = 0;
  // Where a thematic-break scan on this line last failed: a later scan that starts inside the
  // same run of marker characters fails there too (keeps `- - - … x` linear).
  std::size_t hrule_fail_ = 0;
};

}  // namespace markdown
