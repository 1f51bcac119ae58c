// Character classes and text decoding shared by both passes: UTF-8, punctuation, white space,
// entity and numeric references, backslash escapes, and link-label normalisation.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace markdown {

inline bool is_ascii_punctuation(unsigned char c) {
  return (c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') || (c >= '{' && c <= '~');
}
inline bool is_ascii_whitespace(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}
inline bool is_blank_char(unsigned char c) { return c == ' ' || c == '\t'; }
// White space within a line where no indentation is counted: around block markers and inline
// syntax, at line ends, on lines with nothing else. Indentation itself is spaces and tabs only.
inline bool is_line_space(unsigned char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }
inline bool is_eol_char(unsigned char c) { return c == '\n' || c == '\r'; }

// Whether `part`'s bytes lie within `whole`'s (std::less orders any two addresses).
inline bool is_slice_of(std::string_view part, std::string_view whole) {
  const std::less<const char*> before;
  return !before(part.data(), whole.data()) && !before(whole.data() + whole.size(), part.data() + part.size());
}

// A few bytes to search for, known at compile time.
struct ByteSet {
  constexpr explicit ByteSet(std::string_view set) : bytes(set) {
    for (unsigned char c : set) table[c] = true;
  }
  bool has(unsigned char c) const { return table[c]; }

  std::string_view bytes;
  std::array<bool, 256> table{};
};

// The first position in [i, limit) whose byte is in `set`, or `limit`. Sixteen bytes are compared
// with every byte of the set at once (the compiler's portable vectors), which ends a search
// without a branch per byte; a search that goes on past a few bytes is common (a line's end, the
// next syntax byte on it). The sixteen may reach past `limit`, as far as the text goes, so that a
// short search (a code span) takes one step too.
inline std::size_t find_byte_of(std::string_view text, std::size_t i, std::size_t limit, const ByteSet& set) {
  using Bytes = unsigned char __attribute__((vector_size(16)));
  for (; i < limit && i + sizeof(Bytes) <= text.size(); i += sizeof(Bytes)) {
    Bytes bytes;
    std::memcpy(&bytes, text.data() + i, sizeof bytes);
    Bytes hits{};
    for (unsigned char c : set.bytes) hits |= reinterpret_cast<Bytes>(bytes == c);
    // Each byte of `hits` is all ones or zero; the first one set, in memory order.
    std::uint64_t halves[2];
    std::memcpy(halves, &hits, sizeof halves);
    for (std::size_t h = 0; h < 2; ++h) {
      if (halves[h] == 0) continue;
      const int bit =
          std::endian::native == std::endian::little ? std::countr_zero(halves[h]) : std::countl_zero(halves[h]);
      return std::min(i + 8 * h + static_cast<std::size_t>(bit / 8), limit);
    }
  }
  while (i < limit && !set.has(static_cast<unsigned char>(text[i]))) ++i;
  return std::min(i, limit);
}

// The characters around syntax are mostly ASCII, settled inline; the others are looked up.
namespace detail {
char32_t decode_utf8_at(std::string_view s, std::size_t ix);
char32_t decode_utf8_before(std::string_view s, std::size_t ix);
bool is_punctuation(char32_t c);
bool is_unicode_whitespace(char32_t c);
}  // namespace detail

// The character at ix (0 past the end); a malformed sequence reads as U+FFFD.
inline char32_t decode_utf8_at(std::string_view s, std::size_t ix) {
  if (ix < s.size() && static_cast<unsigned char>(s[ix]) < 0x80) return static_cast<unsigned char>(s[ix]);
  return detail::decode_utf8_at(s, ix);
}
// The character that ends right before ix (0 at the start).
inline char32_t decode_utf8_before(std::string_view s, std::size_t ix) {
  if (ix > 0 && ix <= s.size() && static_cast<unsigned char>(s[ix - 1]) < 0x80) {
    return static_cast<unsigned char>(s[ix - 1]);
  }
  return detail::decode_utf8_before(s, ix);
}
void append_utf8(std::string& out, char32_t c);

inline bool is_punctuation(char32_t c) {
  return c < 0x80 ? is_ascii_punctuation(static_cast<unsigned char>(c)) : detail::is_punctuation(c);
}
inline bool is_unicode_whitespace(char32_t c) {
  return c < 0x80 ? is_ascii_whitespace(static_cast<unsigned char>(c)) : detail::is_unicode_whitespace(c);
}

struct Reference {
  std::size_t length;  // bytes of `&...;`
  std::string value;   // UTF-8
};
// An entity or numeric character reference starting at text[ix] == '&'.
std::optional<Reference> scan_entity(std::string_view text, std::size_t ix);

// Removes each backslash that stands right before a pipe (how table cells read `\|`).
void drop_pipe_escapes(std::string& text);

// Resolves backslash escapes and character references (link destinations, titles, info strings).
std::string unescape(std::string_view text);

// The key under which link and footnote labels match: trimmed of ASCII white space, inner runs of it
// collapsed to one space, case folded.
std::string normalize_label(std::string_view label);
// The label as reported for reference links: trimmed, white space runs collapsed to one space.
// That is the label itself when it has nothing to collapse, else a text written into `room`.
std::string_view collapse_whitespace(std::string_view label, std::string& room);

}  // namespace markdown
