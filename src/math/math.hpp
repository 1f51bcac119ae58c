// The math notation parser's entry: one formula's source text into an
// expression tree.
#pragma once

#include <string_view>

#include "ast/math_expr.hpp"

namespace vyn::math {

// Never fails: every problem becomes an error expression in the tree.
ast::MathExpr parse(std::string_view formula);

}  // namespace vyn::math
