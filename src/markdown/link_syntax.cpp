#include "markdown/link_syntax.hpp"

#include "markdown/chars.hpp"

namespace markdown {

namespace {

constexpr std::size_t max_label_length = 999;
// Deeper parentheses end a destination scan, which keeps rescans after each `](` bounded.
constexpr int max_destination_parens = 32;

bool is_eol(int c) { return c == '\n' || c == '\r'; }
bool is_blank(int c) { return c >= 0 && is_line_space(static_cast<unsigned char>(c)); }

}  // namespace

namespace {

constexpr ByteSet kEscapeOrReference("\\&");
constexpr ByteSet kLabelStop("[]\\\n\r");

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

std::optional<ScannedLabel> scan_link_label(const InlineSource& src, std::size_t ix) {
  std::size_t i = ix + 1;
  std::size_t length = 0;
  bool has_content = false;
  bool one_line = true;
  const std::size_t end = std::min(src.limit, src.text.size());
  while (true) {
    if (i >= end) return std::nullopt;
    // Bytes other than brackets, backslashes and line endings count one each: a run of them is
    // passed at once, as far as a label may still reach.
    const std::size_t run = find_byte_of(src.text, i, std::min(end, i + max_label_length + 1 - length), kLabelStop);
    for (std::size_t k = i; !has_content && k < run; ++k) {
      has_content = !is_ascii_whitespace(static_cast<unsigned char>(src.text[k]));
    }
    length += run - i;
    i = run;
    if (length > max_label_length) return std::nullopt;
    int c = src.at(i);
    if (c < 0 || c == '[') return std::nullopt;
    if (c == ']') break;
    if (c == '\\' && (src.at(i + 1) == '[' || src.at(i + 1) == ']' || src.at(i + 1) == '\\')) {
      has_content = true;
      i += 2;
      length += 2;
    } else {
      if (!is_ascii_whitespace(static_cast<unsigned char>(c))) has_content = true;
      std::size_t next = src.advance(i);
      length += is_eol(c) ? 1 : next - i;
      one_line = one_line && !is_eol(c);
      i = next;
    }
    if (length > max_label_length) return std::nullopt;
  }
  if (!has_content) return std::nullopt;
  // On one line, outside a table cell, the label is its source as it stands.
  if (one_line && !src.table_cell) return ScannedLabel{i + 1, Payload::slice(src.text.substr(ix + 1, i - ix - 1))};
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
    if (c < 0 || c <= ' ' || c == 0x7f) break;
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
