// Decoding UTF-8 one character at a time and trimming by the Unicode
// White_Space property; shared by the document and the math parser.
#pragma once

#include <cstddef>
#include <string_view>

namespace vyn::ast {

// The character starting at `text[i]` and its length in bytes; malformed bytes
// decode as themselves with length 1 (the input is valid UTF-8, this only guards).
struct Decoded {
  char32_t c;
  std::size_t length;
};

Decoded decode_at(std::string_view text, std::size_t i);

bool is_white_space(char32_t c);

std::string_view trim_start(std::string_view text);
std::string_view trim_end(std::string_view text);
std::string_view trim(std::string_view text);

}  // namespace vyn::ast
