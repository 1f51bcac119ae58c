// Slicing the input at offsets taken from nodes and tags, whose order the
// slicing does not rely on: a slice never leaves the input nor cuts a UTF-8
// character.
#pragma once

#include <cstdint>
#include <string_view>

namespace vyn::parser {

// `offset` clamped to the input's end and moved forward off continuation bytes.
inline std::uint64_t char_boundary(std::string_view input, std::uint64_t offset) {
  while (offset < input.size() && (static_cast<unsigned char>(input[offset]) & 0xC0) == 0x80) ++offset;
  return offset < input.size() ? offset : input.size();
}

// The input's bytes between the boundaries at or after `start` and `end`;
// empty when they cross.
inline std::string_view source_slice(std::string_view input, std::uint64_t start, std::uint64_t end) {
  start = char_boundary(input, start);
  end = char_boundary(input, end);
  return start < end ? input.substr(start, end - start) : std::string_view();
}

}  // namespace vyn::parser
