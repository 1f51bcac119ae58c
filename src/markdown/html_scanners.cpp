#include "markdown/html_scanners.hpp"

#include <algorithm>

#include "markdown/chars.hpp"
#include "markdown/line_start.hpp"
#include "markdown/scanners.hpp"

namespace markdown {

namespace {

bool is_letter(int c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
bool is_digit(int c) { return c >= '0' && c <= '9'; }
bool is_space(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

std::size_t skip_space(const InlineSource& src, std::size_t i, bool& any) {
  any = false;
  while (is_space(src.at(i))) {
    any = true;
    i = src.advance(i);
  }
  return i;
}

std::size_t scan_tag_name(const InlineSource& src, std::size_t i) {
  if (!is_letter(src.at(i))) return i;
  while (is_letter(src.at(i)) || is_digit(src.at(i)) || src.at(i) == '-') ++i;
  return i;
}

// Searches for `closer` from i; remembers failures in `guard`. Comments, processing
// instructions, declarations and CDATA sections read the source as it stands, container
// prefixes and all: a `>` that marks a quote may close a declaration.
std::optional<std::size_t> find_closer(const InlineSource& src, std::size_t i, std::string_view closer,
                                       ClosedSpan& guard) {
  if (guard.ends_within(src.raw_end())) return std::nullopt;
  std::size_t start = i;
  while (src.raw_at(i) >= 0) {
    std::size_t k = 0;
    std::size_t j = i;
    while (k < closer.size() && src.raw_at(j) == static_cast<unsigned char>(closer[k])) {
      ++j;
      ++k;
    }
    if (k == closer.size()) return j;
    ++i;
  }
  guard = ClosedSpan{start, src.raw_end()};
  return std::nullopt;
}

// A CDATA section ends at its first run of `]`, which must be followed by `>`: `]>` closes it
// as `]]>` does, and any other `]` leaves it unclosed.
std::optional<std::size_t> scan_cdata(const InlineSource& src, std::size_t i, HtmlGuards& guards) {
  if (guards.cdata.ends_within(src.raw_end()) || guards.cdata_broken.covers(i, i)) return std::nullopt;
  std::size_t start = i;
  while (src.raw_at(i) >= 0 && src.raw_at(i) != ']') ++i;
  if (src.raw_at(i) < 0) {
    guards.cdata = ClosedSpan{start, src.raw_end()};
    return std::nullopt;
  }
  std::size_t run = i;
  while (src.raw_at(i) == ']') ++i;
  if (src.raw_at(i) == '>') return i + 1;
  guards.cdata_broken = ClosedSpan{start, run};
  return std::nullopt;
}

}  // namespace

std::size_t InlineSource::after_eol(std::size_t i) const {
  if (i >= own_end) {
    LineStart ls(text, i + scan_eol(text, i));
    for (std::uint32_t container : containers) {
      if (!ls.scan_continuation((*tree)[container])) break;
    }
    return ls.ix();
  }
  const LineBreak* b = break_at(i);
  return b != nullptr ? b->next : i + scan_eol(text, i);
}

bool InlineSource::underline_after(std::size_t i) const {
  const LineBreak* b = break_at(i);
  return b != nullptr && b->underline;
}

const LineBreak* InlineSource::break_at(std::size_t i) const {
  auto it = std::lower_bound(breaks.begin(), breaks.end(), i,
                             [](const LineBreak& b, std::size_t pos) { return b.eol < pos; });
  return it != breaks.end() && it->eol == i ? &*it : nullptr;
}

std::optional<std::size_t> scan_open_tag(const InlineSource& src, std::size_t ix) {
  std::size_t i = scan_tag_name(src, ix + 1);
  if (i == ix + 1) return std::nullopt;
  while (true) {
    bool had_space = false;
    i = skip_space(src, i, had_space);
    int c = src.at(i);
    if (c == '>') return i + 1;
    if (c == '/') return src.at(i + 1) == '>' ? std::optional<std::size_t>(i + 2) : std::nullopt;
    if (!had_space) return std::nullopt;
    if (!(is_letter(c) || c == '_' || c == ':')) return std::nullopt;
    ++i;
    while (is_letter(src.at(i)) || is_digit(src.at(i)) || src.at(i) == '_' || src.at(i) == '.' || src.at(i) == ':' ||
           src.at(i) == '-') {
      ++i;
    }
    std::size_t after_name = i;
    bool space_before = false;
    i = skip_space(src, i, space_before);
    if (src.at(i) != '=') {
      i = after_name;
      continue;
    }
    bool ignored = false;
    i = skip_space(src, i + 1, ignored);
    int q = src.at(i);
    if (q == '"' || q == '\'') {
      i = src.advance(i);
      while (src.at(i) >= 0 && src.at(i) != q) i = src.advance(i);
      if (src.at(i) != q) return std::nullopt;
      ++i;
    } else {
      // An unquoted value ends at a space or line ending only: tabs and other control
      // characters are part of it.
      std::size_t value_start = i;
      while (src.at(i) >= 0 &&
             std::string_view(" \n\r\"'=<>`").find(static_cast<char>(src.at(i))) == std::string_view::npos) {
        ++i;
      }
      if (i == value_start) return std::nullopt;
    }
  }
}

std::optional<std::size_t> scan_closing_tag(const InlineSource& src, std::size_t ix) {
  if (src.at(ix + 1) != '/') return std::nullopt;
  std::size_t i = scan_tag_name(src, ix + 2);
  if (i == ix + 2) return std::nullopt;
  // Unlike an opening tag, a closing one does not run on over a line ending.
  while (src.at(i) >= 0 && is_line_space(static_cast<unsigned char>(src.at(i)))) ++i;
  if (src.at(i) != '>') return std::nullopt;
  return i + 1;
}

std::optional<std::size_t> scan_inline_html(const InlineSource& src, std::size_t ix, HtmlGuards& guards) {
  int c = src.at(ix + 1);
  if (c == '!') {
    if (src.at(ix + 2) == '-' && src.at(ix + 3) == '-') {
      if (guards.comment.ends_within(src.raw_end())) return std::nullopt;
      if (src.at(ix + 4) == '>') return ix + 5;
      if (src.at(ix + 4) == '-' && src.at(ix + 5) == '>') return ix + 6;
      return find_closer(src, ix + 4, "-->", guards.comment);
    }
    static constexpr std::string_view cdata = "[CDATA[";
    bool is_cdata = true;
    for (std::size_t k = 0; k < cdata.size(); ++k) {
      if (src.at(ix + 2 + k) != cdata[k]) {
        is_cdata = false;
        break;
      }
    }
    if (is_cdata) return scan_cdata(src, ix + 2 + cdata.size(), guards);
    if (is_letter(src.at(ix + 2))) return find_closer(src, ix + 3, ">", guards.declaration);
    return std::nullopt;
  }
  if (c == '?') return find_closer(src, ix + 2, "?>", guards.processing);
  if (c == '/') return scan_closing_tag(src, ix);
  return scan_open_tag(src, ix);
}

std::optional<Autolink> scan_autolink(std::string_view text, std::size_t ix, std::size_t limit) {
  std::size_t i = ix + 1;
  // URI: scheme ':' then anything but space, control, '<' and '>'.
  std::size_t scheme_start = i;
  if (i < limit && is_letter(static_cast<unsigned char>(text[i]))) {
    while (i < limit && i - scheme_start < 33 &&
           (is_letter(static_cast<unsigned char>(text[i])) || is_digit(static_cast<unsigned char>(text[i])) ||
            text[i] == '+' || text[i] == '.' || text[i] == '-')) {
      ++i;
    }
    std::size_t scheme_len = i - scheme_start;
    if (scheme_len >= 2 && scheme_len <= 32 && i < limit && text[i] == ':') {
      ++i;
      while (i<limit&& static_cast<unsigned char>(text[i])> ' ' && text[i] != '<' && text[i] != '>') ++i;
      if (i < limit && text[i] == '>') return Autolink{i + 1, false};
    }
  }
  // Email address.
  i = ix + 1;
  auto local_char = [](unsigned char ch) {
    return is_letter(ch) || is_digit(ch) ||
           std::string_view(".!#$%&'*+/=?^_`{|}~-").find(static_cast<char>(ch)) != std::string_view::npos;
  };
  std::size_t local_start = i;
  while (i < limit && local_char(static_cast<unsigned char>(text[i]))) ++i;
  if (i == local_start || i >= limit || text[i] != '@') return std::nullopt;
  ++i;
  while (true) {
    std::size_t label_start = i;
    while (i < limit && i - label_start < 63 &&
           (is_letter(static_cast<unsigned char>(text[i])) || is_digit(static_cast<unsigned char>(text[i])) ||
            (text[i] == '-' && i > label_start))) {
      ++i;
    }
    if (i == label_start || text[i - 1] == '-') return std::nullopt;
    if (i < limit && text[i] == '.') {
      ++i;
      continue;
    }
    if (i < limit && text[i] == '>') return Autolink{i + 1, true};
    return std::nullopt;
  }
}

}  // namespace markdown
