#include "ast/unicode.hpp"

#include <cstdint>

namespace vyn::ast {

namespace {

// Start of the character that ends just before `end`.
std::size_t previous_start(std::string_view text, std::size_t end) {
  std::size_t i = end - 1;
  while (i > 0 && end - i < 4 && (static_cast<std::uint8_t>(text[i]) & 0xC0) == 0x80) --i;
  return i;
}

}  // namespace

Decoded decode_at(std::string_view text, std::size_t i) {
  auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
  std::uint8_t lead = byte(i);
  std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (i + length > text.size()) return {lead, 1};
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (byte(i + k) & 0x3F);
  return {c, length};
}

bool is_white_space(char32_t c) {
  switch (c) {
    case 0x09:
    case 0x0A:
    case 0x0B:
    case 0x0C:
    case 0x0D:
    case 0x20:
    case 0x85:
    case 0xA0:
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x202F:
    case 0x205F:
    case 0x3000: return true;
    default: return c >= 0x2000 && c <= 0x200A;
  }
}

std::string_view trim_start(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    Decoded d = decode_at(text, i);
    if (!is_white_space(d.c)) break;
    i += d.length;
  }
  return text.substr(i);
}

std::string_view trim_end(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0) {
    std::size_t start = previous_start(text, end);
    Decoded d = decode_at(text, start);
    if (start + d.length != end || !is_white_space(d.c)) break;
    end = start;
  }
  return text.substr(0, end);
}

std::string_view trim(std::string_view text) { return trim_end(trim_start(text)); }

}  // namespace vyn::ast
