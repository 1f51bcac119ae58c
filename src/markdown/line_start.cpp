#include "markdown/line_start.hpp"

#include "markdown/chars.hpp"
#include "markdown/link_syntax.hpp"
#include "markdown/scanners.hpp"

namespace markdown {

std::size_t LineStart::scan_indent_upto(std::size_t n) {
  std::size_t consumed = spaces_remaining_ < n ? spaces_remaining_ : n;
  spaces_remaining_ -= consumed;
  while (consumed < n && ix_ < text_.size()) {
    char c = text_[ix_];
    if (c == ' ') {
      ++consumed;
      ++col_;
      ++ix_;
    } else if (c == '\t') {
      std::size_t width = 4 - (col_ % 4);
      col_ += width;
      ++ix_;
      if (consumed + width > n) {
        spaces_remaining_ = consumed + width - n;
        consumed = n;
      } else {
        consumed += width;
      }
    } else {
      break;
    }
  }
  return consumed;
}

bool LineStart::scan_space(std::size_t n) {
  LineStart saved = *this;
  if (scan_space_upto(n) == n) return true;
  *this = saved;
  return false;
}

std::size_t LineStart::scan_all_space() { return scan_space_upto(static_cast<std::size_t>(-1) / 2); }

bool LineStart::is_at_eol() const { return ix_ >= text_.size() || is_eol_char(static_cast<unsigned char>(text_[ix_])); }

bool LineStart::scan_blockquote_marker(bool continuing) {
  LineStart saved = *this;
  scan_space_upto(3);
  // A tab that reaches past the third column leaves a new quote's marker in indented code, but
  // still continues an open quote.
  if ((continuing || spaces_remaining_ == 0) && ix_ < text_.size() && text_[ix_] == '>') {
    ++ix_;
    ++col_;
    scan_space_upto(1);
    return true;
  }
  *this = saved;
  return false;
}

bool LineStart::scan_continuation(const Node& node) {
  switch (node.item) {
    case Item::BlockQuote: return scan_blockquote_marker(true);
    case Item::ListItem:
    case Item::DefinitionListDefinition:
    case Item::FootnoteDefinition: {
      LineStart probe = *this;
      probe.scan_all_space();
      if (!probe.is_at_eol()) return scan_space(continuation_indent(node));
      scan_space_upto(continuation_indent(node));
      return true;
    }
    default: return true;
  }
}

std::optional<ListMarker> LineStart::scan_list_marker() {
  LineStart saved = *this;
  std::size_t leading = scan_space_upto(3);
  if (spaces_remaining_ > 0 || ix_ >= text_.size()) {
    *this = saved;
    return std::nullopt;
  }
  std::size_t marker_start = ix_;
  char c = text_[ix_];
  ListMarker marker{c, 0, 0, false, marker_start, leading};
  if (c == '-' || c == '+' || c == '*') {
    if (c != '+' && ix_ >= hrule_fail_) {
      if (scan_hrule(text_, ix_)) {
        *this = saved;
        return std::nullopt;
      }
      std::size_t stop = ix_;
      while (stop < text_.size() && (text_[stop] == c || text_[stop] == ' ' || text_[stop] == '\t')) ++stop;
      hrule_fail_ = saved.hrule_fail_ = stop;
    }
    ++ix_;
  } else if (c >= '0' && c <= '9') {
    std::uint64_t number = 0;
    while (ix_ < text_.size() && text_[ix_] >= '0' && text_[ix_] <= '9' && ix_ - marker_start < 9) {
      number = number * 10 + static_cast<std::uint64_t>(text_[ix_] - '0');
      ++ix_;
    }
    if (ix_ >= text_.size() || (text_[ix_] != '.' && text_[ix_] != ')')) {
      *this = saved;
      return std::nullopt;
    }
    marker.ch = text_[ix_];
    marker.number = number;
    ++ix_;
  } else {
    *this = saved;
    return std::nullopt;
  }
  std::size_t width = ix_ - marker_start;
  col_ += width;
  if (is_at_eol()) {
    marker.blank = true;
    marker.indent = leading + width + 1;
    return marker;
  }
  if (text_[ix_] != ' ' && text_[ix_] != '\t') {
    *this = saved;
    return std::nullopt;
  }
  LineStart after_marker = *this;
  std::size_t spaces = scan_space_upto(5);
  if (scan_empty_line(text_, ix_)) {
    // Nothing but white space follows: the marker line is read up to one byte of it.
    *this = after_marker;
    scan_space_upto(1);
    marker.blank = true;
    marker.indent = leading + width + 1;
    return marker;
  }
  if (spaces >= 5) {
    *this = after_marker;
    scan_space_upto(1);
    spaces = 1;
  }
  marker.indent = leading + width + spaces;
  return marker;
}

std::optional<bool> LineStart::scan_task_list_marker() {
  LineStart saved = *this;
  scan_space_upto(3);
  if (ix_ + 3 < text_.size() && text_[ix_] == '[' && text_[ix_ + 2] == ']' &&
      is_line_space(static_cast<unsigned char>(text_[ix_ + 3]))) {
    char mark = text_[ix_ + 1];
    if (is_line_space(static_cast<unsigned char>(mark)) || mark == 'x' || mark == 'X') {
      ix_ += 3;
      col_ += 3;
      return mark == 'x' || mark == 'X';
    }
  }
  *this = saved;
  return std::nullopt;
}

std::optional<std::size_t> LineStart::scan_definition_marker() {
  LineStart saved = *this;
  std::size_t leading = scan_space_upto(3);
  if (spaces_remaining_ == 0 && ix_ < text_.size() && text_[ix_] == ':') {
    ++ix_;
    ++col_;
    if (is_at_eol()) return leading + 1;
    // The marker takes spaces up to the fifth column (more make the content indented code);
    // content may also follow the colon directly.
    return leading + 1 + scan_space_upto(3 - leading);
  }
  *this = saved;
  return std::nullopt;
}

std::optional<std::string_view> LineStart::scan_footnote_label() {
  LineStart saved = *this;
  scan_space_upto(3);
  if (spaces_remaining_ == 0 && ix_ + 2 < text_.size() && text_[ix_] == '[' && text_[ix_ + 1] == '^') {
    // The label is read as a link's is, but on one line.
    const InlineSource src{text_, text_.size()};
    const LabelBytes read = read_label(src, ix_ + 2, text_.size(), true);
    const std::size_t i = read.end;
    if (!read.too_long && read.has_content && src.at(i) == ']' && src.at(i + 1) == ':') {
      std::string_view label = text_.substr(ix_ + 2, i - ix_ - 2);
      ix_ = skip_line_space(text_, i + 2, text_.size());
      // Tab stops count from the content after the label, not from the line start.
      col_ = 0;
      return label;
    }
  }
  *this = saved;
  return std::nullopt;
}

}  // namespace markdown
