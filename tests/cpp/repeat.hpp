// Builds long test inputs from a repeated piece.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vyn::test_input {

inline std::string repeat(std::string_view piece, std::size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

}  // namespace vyn::test_input
