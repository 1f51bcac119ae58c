// Nesting bounds shared by every recursive routine, so that no input can
// exhaust the machine stack. Producers stop below them; readers reject beyond.
#pragma once

#include <cstddef>

namespace vyn::ast {

// Levels of document nodes inside one another (components, containers).
inline constexpr std::size_t kMaxNodeDepth = 256;
// Levels of math expressions inside one formula: atoms read inside one another.
inline constexpr std::size_t kMaxMathDepth = 200;
// Levels of JSON arrays and objects inside one value read from outside. Every
// tree the parser produces must read back: a node level takes two (the node
// and its children) and a math level up to seven (an environment, its rows, a
// row, its cells, a cell's row and that row's children, and a script around
// the atom inside), besides the root and the math node around the tree.
inline constexpr std::size_t kMaxJsonDepth = 2048;
static_assert(2 * kMaxNodeDepth + 7 * kMaxMathDepth + 16 <= kMaxJsonDepth);

}  // namespace vyn::ast
