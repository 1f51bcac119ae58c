// Splits one line of inline content into raw items: text runs, delimiter runs, backtick runs,
// brackets, `<`, entity references and escapes, and reports how the line ends.
#include <string>
#include <string_view>

#include "markdown/block_parser.hpp"
#include "markdown/chars.hpp"

namespace markdown {

namespace {

// The bytes at which parse_line has something to do; runs of others are plain text.
constexpr ByteSet kLineSyntax("\n\r\\&*_~`<[]!|");

}  // namespace

void BlockParser::append_text(std::size_t start, std::size_t end) {
  if (end <= start) return;
  std::uint32_t cur = tree_.cur();
  if (cur != nil) {
    Node& prev = tree_[cur];
    // A text that is its own range of the source grows with it.
    if (prev.item == Item::Text && prev.end == start && prev.data == nil) {
      prev.end = end;
      return;
    }
  }
  tree_.append(Node{.start = start, .end = end, .item = Item::Text});
}

void BlockParser::scan_delimiter_run(std::size_t& ix, std::size_t line_start, std::size_t limit,
                                     std::size_t& text_start, bool table_cell) {
  char c = text_[ix];
  std::size_t j = ix;
  while (j < limit && text_[j] == c) ++j;
  std::size_t count = j - ix;
  const bool at_start = ix == line_start;
  char32_t prev = at_start ? U' ' : decode_utf8_before(text_, ix);
  char32_t next = (j >= limit || is_eol_char(static_cast<unsigned char>(text_[j]))) ? U' ' : decode_utf8_at(text_, j);
  bool prev_ws = is_unicode_whitespace(prev);
  bool next_ws = is_unicode_whitespace(next);
  bool prev_punct = is_punctuation(prev);
  bool next_punct = is_punctuation(next);
  // `*` and `~~` may sit inside a word, `_` and `~` may not; a cell pipe counts as a boundary. A run
  // that opens a cell's text, after the pipe and any white space, opens whatever follows it.
  std::size_t cell_text = ix;
  while (table_cell && cell_text > line_start && is_line_space(static_cast<unsigned char>(text_[cell_text - 1]))) {
    --cell_text;
  }
  bool pipe_before =
      table_cell && !at_start &&
      (cell_text == line_start || (text_[cell_text - 1] == '|' &&
                                   (cell_text == ix || cell_text - 1 == line_start || text_[cell_text - 2] != '\\')));
  bool pipe_after = table_cell && next == U'|';
  bool opens = !next_ws && (at_start || pipe_before ||
                            (!pipe_after && ((c == '*' && !next_punct) || (c == '~' && count > 1) ||
                                             (c == '~' && prev == U'~' && !next_punct) || prev_ws || prev_punct)));
  bool closes = !at_start && !prev_ws &&
                (pipe_after || ((c == '*' || (c == '~' && count > 1)) && !prev_punct) || (c == '~' && prev == U'~') ||
                 next_ws || next_punct);
  if ((opens || closes) && (c != '~' || count <= 2)) {
    mark_needs_inline();
    append_text(text_start, ix);
    auto flags = static_cast<std::uint8_t>((opens ? can_open : 0) | (closes ? can_close : 0));
    for (std::size_t k = 0; k < count; ++k) {
      tree_.append(Node{.start = ix + k,
                        .end = ix + k + 1,
                        .item = Item::MaybeEmphasis,
                        .flags = flags,
                        .count = static_cast<std::uint32_t>(count - k),
                        .data = static_cast<std::uint32_t>(static_cast<unsigned char>(c))});
    }
    text_start = j;
  }
  ix = j;
}

LineEnd BlockParser::parse_line(std::size_t ix, std::size_t limit, bool table_cell) {
  LineEnd result{ix, limit, limit, std::string_view::npos, false, false};
  std::string_view bounded = text_.substr(0, limit);
  const std::size_t line_start = line_content_start_;
  std::size_t i = ix;
  auto token = [&](std::size_t start, std::size_t end, Item item, std::uint32_t count = 0, std::uint8_t flags = 0) {
    mark_needs_inline();
    append_text(result.text_start, start);
    tree_.append(Node{.start = start, .end = end, .item = item, .flags = flags, .count = count});
    result.text_start = end;
    i = end;
  };
  auto backtick_run = [&](std::size_t start, std::uint8_t flags) {
    std::size_t j = start;
    while (j < limit && text_[j] == '`') ++j;
    token(start, j, Item::MaybeCode, static_cast<std::uint32_t>(j - start), flags);
  };
  while (i < limit) {
    i = find_byte_of(text_, i, limit, kLineSyntax);
    if (i == limit) break;
    char c = text_[i];
    switch (c) {
      case '\n':
      case '\r': goto line_end;
      case '\\':
        if (table_cell && i + 1 < limit && text_[i + 1] == '|') {
          // In a cell `\|` is a literal pipe whatever precedes the backslash.
          append_text(result.text_start, i);
          result.text_start = i + 1;
          i += 2;
          continue;
        }
        if (table_cell && i + 2 < limit && text_[i + 1] == '\\' && text_[i + 2] == '|') {
          append_text(result.text_start, i);
          result.text_start = i + 2;
          i += 3;
          continue;
        }
        if (i + 1 < limit && is_eol_char(static_cast<unsigned char>(text_[i + 1]))) {
          result.hard_start = i;
          result.backslash_break = true;
          ++i;
          goto line_end;
        }
        if (i + 1 < limit && is_ascii_punctuation(static_cast<unsigned char>(text_[i + 1]))) {
          append_text(result.text_start, i);
          if (text_[i + 1] == '`') {
            result.text_start = i + 1;
            backtick_run(i + 1, escaped);
          } else {
            result.text_start = i + 1;
            i += 2;
          }
          continue;
        }
        ++i;
        break;
      case '&':
        if (auto ref = scan_entity(bounded, i)) {
          append_text(result.text_start, i);
          tree_.append(Node{
              .start = i, .end = i + ref->length, .item = Item::Text, .data = doc_.keep_text(doc_.own(ref->value))});
          i += ref->length;
          result.text_start = i;
        } else {
          ++i;
        }
        break;
      case '*':
      case '_': scan_delimiter_run(i, line_start, limit, result.text_start, table_cell); break;
      case '~':
        if (has(doc_.options, Options::strikethrough)) {
          scan_delimiter_run(i, line_start, limit, result.text_start, table_cell);
        } else {
          ++i;
        }
        break;
      case '`': backtick_run(i, 0); break;
      case '<':
        if (i + 1 < limit && text_[i + 1] == '\\') {
          ++i;
        } else {
          token(i, i + 1, Item::MaybeHtml);
        }
        break;
      case '[': token(i, i + 1, Item::MaybeLinkOpen); break;
      case ']': token(i, i + 1, Item::MaybeLinkClose); break;
      case '!':
        if (i + 1 < limit && text_[i + 1] == '[') {
          token(i, i + 2, Item::MaybeImage);
        } else {
          ++i;
        }
        break;
      case '|':
        if (table_cell) {
          result.cell_end = true;
          goto line_end;
        }
        ++i;
        break;
      default: ++i; break;
    }
  }
line_end:
  result.eol = i;
  std::size_t trimmed = i;
  while (trimmed > result.text_start && is_line_space(static_cast<unsigned char>(text_[trimmed - 1]))) --trimmed;
  result.trimmed = trimmed;
  if (!result.backslash_break && i < limit && !result.cell_end) {
    // Two or more white space characters make a hard break. On a line of nothing else (it
    // holds a vertical tab or form feed, or it would be blank) the break takes in the white
    // space of the container prefix before it too.
    std::size_t hard = trimmed;
    while (hard > 0 && is_line_space(static_cast<unsigned char>(text_[hard - 1]))) --hard;
    if (i - hard >= 2) result.hard_start = hard;
  }
  return result;
}

}  // namespace markdown
