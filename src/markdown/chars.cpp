#include "markdown/chars.hpp"

#include <algorithm>

#include "markdown/tables.hpp"

namespace markdown {

namespace {

constexpr char32_t replacement_char = 0xfffd;

std::size_t utf8_length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead >> 5) == 0x6) return 2;
  if ((lead >> 4) == 0xe) return 3;
  if ((lead >> 3) == 0x1e) return 4;
  return 1;
}

bool is_hex(unsigned char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
unsigned hex_value(unsigned char c) {
  if (c <= '9') return c - '0';
  return (c | 0x20) - 'a' + 10;
}
bool is_alnum(unsigned char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::optional<std::string_view> lookup_entity(std::string_view name) {
  const EntityEntry* first = entities;
  const EntityEntry* last = entities + entity_count;
  auto it = std::lower_bound(first, last, name, [](const EntityEntry& e, std::string_view n) { return e.name < n; });
  if (it != last && it->name == name) return it->value;
  return std::nullopt;
}

void append_folded(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c));
    return;
  }
  const CaseFold* first = case_folds;
  const CaseFold* last = case_folds + case_fold_count;
  auto it = std::lower_bound(first, last, c, [](const CaseFold& f, char32_t cp) { return f.codepoint < cp; });
  if (it != last && it->codepoint == c) {
    out += it->folded;
  } else {
    append_utf8(out, c);
  }
}

}  // namespace

namespace detail {

char32_t decode_utf8_at(std::string_view s, std::size_t ix) {
  if (ix >= s.size()) return 0;
  auto lead = static_cast<unsigned char>(s[ix]);
  std::size_t n = utf8_length(lead);
  if (n == 1 || ix + n > s.size()) return lead < 0x80 ? lead : replacement_char;
  char32_t c = lead & (0x7f >> n);
  for (std::size_t i = 1; i < n; ++i) c = (c << 6) | (static_cast<unsigned char>(s[ix + i]) & 0x3f);
  return c;
}

char32_t decode_utf8_before(std::string_view s, std::size_t ix) {
  if (ix == 0) return 0;
  std::size_t start = ix - 1;
  while (start > 0 && ix - start < 4 && (static_cast<unsigned char>(s[start]) & 0xc0) == 0x80) {
    --start;
  }
  return decode_utf8_at(s, start);
}

}  // namespace detail

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xc0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3f)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xe0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3f)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3f)));
  } else {
    out.push_back(static_cast<char>(0xf0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3f)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3f)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3f)));
  }
}

namespace detail {

bool is_punctuation(char32_t c) {
  const CodepointRange* first = punctuation_ranges;
  const CodepointRange* last = punctuation_ranges + punctuation_range_count;
  auto it = std::upper_bound(first, last, c, [](char32_t cp, const CodepointRange& r) { return cp < r.first; });
  return it != first && c <= (it - 1)->last;
}

bool is_unicode_whitespace(char32_t c) {
  switch (c) {
    case 0x85:
    case 0xa0:
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x202f:
    case 0x205f:
    case 0x3000: return true;
    default: return c >= 0x2000 && c <= 0x200a;
  }
}

}  // namespace detail

std::optional<Reference> scan_entity(std::string_view text, std::size_t ix) {
  std::size_t i = ix + 1;
  if (i < text.size() && text[i] == '#') {
    ++i;
    bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
    if (hex) ++i;
    std::size_t digits_start = i;
    std::uint64_t value = 0;
    const std::size_t max_digits = hex ? 6 : 7;
    while (i < text.size() && i - digits_start < max_digits &&
           (hex ? is_hex(static_cast<unsigned char>(text[i])) : (text[i] >= '0' && text[i] <= '9'))) {
      value = value * (hex ? 16 : 10) + hex_value(static_cast<unsigned char>(text[i]));
      ++i;
    }
    if (i == digits_start || i >= text.size() || text[i] != ';') return std::nullopt;
    char32_t c = static_cast<char32_t>(value);
    if (c == 0 || c > 0x10ffff || (c >= 0xd800 && c < 0xe000)) c = replacement_char;
    Reference ref{i + 1 - ix, {}};
    append_utf8(ref.value, c);
    return ref;
  }
  std::size_t name_start = i;
  while (i < text.size() && i - name_start < 32 && is_alnum(static_cast<unsigned char>(text[i]))) ++i;
  if (i == name_start || i >= text.size() || text[i] != ';') return std::nullopt;
  auto value = lookup_entity(text.substr(name_start, i - name_start));
  if (!value) return std::nullopt;
  return Reference{i + 1 - ix, std::string(*value)};
}

void drop_pipe_escapes(std::string& text) {
  std::size_t out = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '|')) text[out++] = text[i];
  }
  text.resize(out);
}

std::string unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    // Bytes that start neither an escape nor a reference are copied a run at a time.
    std::size_t run = i;
    while (run < text.size() && text[run] != '\\' && text[run] != '&') ++run;
    out.append(text.substr(i, run - i));
    i = run;
    if (i == text.size()) break;
    if (text[i] == '\\' && i + 1 < text.size() && is_ascii_punctuation(static_cast<unsigned char>(text[i + 1]))) {
      out.push_back(text[i + 1]);
      i += 2;
    } else if (auto ref = text[i] == '&' ? scan_entity(text, i) : std::nullopt) {
      out += ref->value;
      i += ref->length;
    } else {
      out.push_back(text[i]);
      ++i;
    }
  }
  return out;
}

std::string_view collapse_whitespace(std::string_view label, std::string& room) {
  // Most labels are words with single spaces between them: already collapsed.
  bool collapsed = label.empty() || (label.front() != ' ' && label.back() != ' ');
  for (std::size_t i = 0; collapsed && i < label.size(); ++i) {
    const auto c = static_cast<unsigned char>(label[i]);
    collapsed = c == ' ' ? label[i + 1] != ' ' : !is_ascii_whitespace(c);
  }
  if (collapsed) return label;
  room.clear();
  for (char c : label) {
    if (is_ascii_whitespace(static_cast<unsigned char>(c))) {
      if (!room.empty() && room.back() != ' ') room.push_back(' ');
    } else {
      room.push_back(c);
    }
  }
  if (!room.empty() && room.back() == ' ') room.pop_back();
  return room;
}

std::string normalize_label(std::string_view label) {
  std::string out;
  out.reserve(label.size());
  bool pending_space = false;
  std::size_t i = 0;
  while (i < label.size()) {
    const auto byte = static_cast<unsigned char>(label[i]);
    if (byte < 0x80) {  // ASCII, most labels: no decoding, no table
      ++i;
      if (is_ascii_whitespace(byte)) {
        pending_space = !out.empty();
        continue;
      }
      if (pending_space) out.push_back(' ');
      pending_space = false;
      out.push_back(static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + 32 : byte));
      continue;
    }
    char32_t c = decode_utf8_at(label, i);
    std::size_t n = utf8_length(static_cast<unsigned char>(label[i]));
    if (i + n > label.size()) n = 1;
    i += n;
    // White space beyond ASCII (a no-break space, U+3000) is part of the label, as any letter.
    if (pending_space) out.push_back(' ');
    pending_space = false;
    append_folded(out, c);
  }
  return out;
}

}  // namespace markdown
