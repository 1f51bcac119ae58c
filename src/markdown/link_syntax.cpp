#include "markdown/link_syntax.hpp"

#include "markdown/chars.hpp"

namespace markdown {

namespace {

// Deeper parentheses end a destination scan, which keeps rescans after each `](` bounded.
constexpr int max_destination_parens = 32;

bool is_eol(int c) { return c == '\n' || c == '\r'; }
bool is_blank(int c) { return c >= 0 && is_line_space(static_cast<unsigned char>(c)); }

}  // namespace

namespace {

constexpr ByteSet kEscapeOrReference("\\&");
constexpr ByteSet kLabelStop("[]\\\n\r");
constexpr ByteSet kLabelSpace(" \t\v\f");

struct LabelRun {
  std::size_t end;
  std::size_t counted;
};
// Passes the bytes from i up to the next bracket, backslash or line ending (or `end`), counting
// those that count toward a label's length: white space, and each byte of a character beyond
// ASCII; other ASCII is free. Stops early once more than `budget` were counted.
LabelRun pass_label_run(std::string_view text, std::size_t i, std::size_t end, std::size_t budget) {
  std::size_t counted = 0;
  for (; i < end && counted <= budget && !kLabelStop.has(static_cast<unsigned char>(text[i])); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    counted += c >= 0x80 || kLabelSpace.has(c);
  }
  return {i, counted};
}

// Escapes and references resolved, after a table cell's `\|` became `|`; a text without any is
// its source as it stands.
Payload payload(const InlineSource& src, std::string_view raw) {
  if (src.table_cell) {
    std::string text(raw);
    drop_pipe_escapes(text);
    return Payload(unescape(text));
  }
  if (find_byte_of(raw, 0, raw.size(), kEscapeOrReference) == raw.size()) return Payload::slice(raw);
  return Payload(unescape(raw));
}

// Whether a line break in [from, to) leads to a line that could underline a setext heading.
// pulldown-cmark reads a definition's destination or title on into no such line, not even a lazy
// one, which the paragraph itself takes as text.
bool crosses_underline(const InlineSource& src, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; i = src.advance(i)) {
    if (is_eol(src.at(i)) && src.underline_after(i)) return true;
  }
  return false;
}

}  // namespace

std::string collect_source(const InlineSource& src, std::size_t a, std::size_t b, bool strip_indent) {
  std::string out;
  std::size_t i = a;
  while (i < b) {
    int c = src.at(i);
    if (is_eol(c)) {
      std::size_t next = src.after_eol(i);
      out.append(src.text.substr(i, c == '\r' && src.at(i + 1) == '\n' ? 2 : 1));
      i = next;
      if (strip_indent) {
        while (i < b && is_blank(src.at(i))) ++i;
      }
      continue;
    }
    std::size_t run = i;
    while (run < b && !is_eol(src.at(run))) ++run;
    out.append(src.text.substr(i, run - i));
    i = run;
  }
  if (src.table_cell) drop_pipe_escapes(out);
  return out;
}

std::size_t skip_link_space(const InlineSource& src, std::size_t i, bool allow_newline, bool* saw_newline) {
  bool newline = false;
  while (true) {
    int c = src.at(i);
    if (is_blank(c)) {
      ++i;
    } else if (is_eol(c) && allow_newline && !newline) {
      newline = true;
      i = src.after_eol(i);
    } else {
      break;
    }
  }
  if (saw_newline) *saw_newline = newline;
  return i;
}

namespace {

// With `exact`, counts a label's bytes toward its length limit; without, counts one for each byte
// read. No byte counts more than one, so a label that stays within the limit so counted (as
// nearly all do) is settled without the exact count.
template <bool exact>
LabelBytes read_label_bytes(const InlineSource& src, std::size_t i, std::size_t end, bool one_line) {
  LabelBytes read{i, false, false, true};
  std::size_t length = 0;
  end = std::min(end, std::min(src.limit, src.text.size()));
  while (read.end < end && length <= max_label_length) {
    const std::size_t budget = max_label_length - length;
    const LabelRun run =
        exact ? pass_label_run(src.text, read.end, end, budget)
              : LabelRun{find_byte_of(src.text, read.end, std::min(end, read.end + budget + 1), kLabelStop), 0};
    for (std::size_t k = read.end; !read.has_content && k < run.end; ++k) {
      read.has_content = !is_ascii_whitespace(static_cast<unsigned char>(src.text[k]));
    }
    length += exact ? run.counted : run.end - read.end;
    read.end = run.end;
    if (read.end >= end || length > max_label_length) break;
    const int c = src.at(read.end);
    if (c == '[' || c == ']') break;
    if (c == '\\') {
      // An escape counts its two bytes, a table cell's `\|` one; a backslash that escapes nothing
      // counts none.
      read.has_content = true;
      const int next = src.at(read.end + 1);
      const bool escape = next >= 0 && is_ascii_punctuation(static_cast<unsigned char>(next));
      length += !exact ? 1 + escape : !escape ? 0 : src.table_cell && next == '|' ? 1 : 2;
      read.end += escape ? 2 : 1;
    } else if (one_line) {
      break;
    } else {
      // A line break counts its line ending and the container prefix after it, byte for byte.
      const std::size_t next = src.after_eol(read.end);
      length += next - read.end;
      read.one_line = false;
      read.end = next;
    }
  }
  read.too_long = length > max_label_length;
  return read;
}

}  // namespace

LabelBytes read_label(const InlineSource& src, std::size_t i, std::size_t end, bool one_line) {
  const LabelBytes read = read_label_bytes<false>(src, i, end, one_line);
  return read.too_long ? read_label_bytes<true>(src, i, end, one_line) : read;
}

std::optional<ScannedLabel> scan_link_label(const InlineSource& src, std::size_t ix) {
  const LabelBytes read = read_label(src, ix + 1, src.limit);
  if (read.too_long || !read.has_content || src.at(read.end) != ']') return std::nullopt;
  const std::size_t i = read.end;
  // On one line, outside a table cell, the label is its source as it stands.
  if (read.one_line && !src.table_cell) {
    return ScannedLabel{i + 1, Payload::slice(src.text.substr(ix + 1, i - ix - 1))};
  }
  return ScannedLabel{i + 1, Payload(collect_source(src, ix + 1, i, true))};
}

std::optional<ScannedText> scan_link_destination(const InlineSource& src, std::size_t ix) {
  std::size_t i = ix;
  if (src.at(i) == '<') {
    ++i;
    while (true) {
      int c = src.at(i);
      if (c < 0 || is_eol(c) || c == '<') return std::nullopt;
      if (c == '>') break;
      i += (c == '\\' && src.at(i + 1) >= 0 && !is_eol(src.at(i + 1))) ? 2 : 1;
    }
    return ScannedText{i + 1, payload(src, src.text.substr(ix + 1, i - ix - 1))};
  }
  int depth = 0;
  while (true) {
    int c = src.at(i);
    if (c < 0 || c <= ' ') break;
    if (c == '\\' && src.at(i + 1) > ' ' && is_ascii_punctuation(static_cast<unsigned char>(src.at(i + 1)))) {
      i += 2;
      continue;
    }
    if (c == '(') {
      if (++depth > max_destination_parens) return std::nullopt;
    } else if (c == ')') {
      if (depth == 0) break;
      --depth;
    }
    ++i;
  }
  if (depth != 0) return std::nullopt;
  return ScannedText{i, payload(src, src.text.substr(ix, i - ix))};
}

std::optional<ScannedText> scan_link_title(const InlineSource& src, std::size_t ix, bool definition) {
  int open = src.at(ix);
  int close = open == '(' ? ')' : open;
  if (open != '"' && open != '\'' && open != '(') return std::nullopt;
  std::size_t i = ix + 1;
  while (true) {
    int c = src.at(i);
    if (c < 0) return std::nullopt;
    if (c == close) break;
    if (open == '(' && c == '(') return std::nullopt;
    if (c == '\\' && src.at(i + 1) >= 0 && !is_eol(src.at(i + 1))) {
      i += 2;
      continue;
    }
    if (is_eol(c)) {
      // A title does not run over a blank line.
      std::size_t next = src.after_eol(i);
      std::size_t k = next;
      while (is_blank(src.at(k))) ++k;
      if (src.at(k) < 0 || is_eol(src.at(k))) return std::nullopt;
      i = next;
      continue;
    }
    ++i;
  }
  std::string raw = collect_source(src, ix + 1, i, true);
  // A line broken by a lone CR reads as broken by a line feed; so does one broken by a CRLF in a
  // definition's title, while an inline link's title keeps it as written.
  std::size_t out = 0;
  for (std::size_t k = 0; k < raw.size(); ++k) {
    if (raw[k] == '\r') {
      const bool crlf = k + 1 < raw.size() && raw[k + 1] == '\n';
      if (crlf && definition) continue;
      if (!crlf) raw[k] = '\n';
    }
    raw[out++] = raw[k];
  }
  raw.resize(out);
  return ScannedText{i + 1, Payload(unescape(raw))};
}

std::optional<ScannedRefDef> scan_refdef(const InlineSource& src, std::size_t ix) {
  auto label = scan_link_label(src, ix);
  if (!label || src.at(label->end) != ':') return std::nullopt;
  std::size_t i = skip_link_space(src, label->end + 1, true);
  if (crosses_underline(src, label->end, i)) return std::nullopt;
  auto dest = scan_link_destination(src, i);
  if (!dest) return std::nullopt;
  if (dest->end == i && src.at(i) != '<') return std::nullopt;
  std::size_t after_dest = dest->end;
  // The definition may end after the destination if only white space follows on its line.
  std::size_t line_end = after_dest;
  while (is_blank(src.at(line_end))) ++line_end;
  bool dest_line_ends = src.at(line_end) < 0 || is_eol(src.at(line_end));
  bool saw_newline = false;
  std::size_t t = skip_link_space(src, after_dest, true, &saw_newline);
  if (t > after_dest) {
    if (auto title = scan_link_title(src, t, true); title && !crosses_underline(src, t, title->end)) {
      std::size_t end = title->end;
      while (is_blank(src.at(end))) ++end;
      if (src.at(end) < 0 || is_eol(src.at(end))) {
        return ScannedRefDef{end, normalize_label(label->raw.view()), std::move(dest->value), std::move(title->value)};
      }
    }
  }
  if (!dest_line_ends) return std::nullopt;
  return ScannedRefDef{line_end, normalize_label(label->raw.view()), std::move(dest->value), Payload()};
}

}  // namespace markdown
