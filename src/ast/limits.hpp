// Nesting bounds shared by every recursive routine, so that no input can
// exhaust the machine stack. Producers stop below them; readers reject beyond.
#pragma once

#include <cstddef>

namespace vyn::ast {

// Levels of document nodes inside one another (components, containers).
inline constexpr std::size_t kMaxNodeDepth = 256;
// Levels of math expressions inside one formula.
inline constexpr std::size_t kMaxMathDepth = 256;
// Levels of JSON arrays and objects inside one value read from outside; enough
// for any tree the parser can produce (a node level takes two, a math level up
// to three, plus positions and attribute values).
inline constexpr std::size_t kMaxJsonDepth = 2048;

}  // namespace vyn::ast
