// Reading math expression trees, for the readers of the two math node kinds.
#pragma once

#include "ast/json.hpp"
#include "ast/math_expr.hpp"
#include "ast/read_rules.hpp"

namespace vyn::ast {

template <>
struct ValueReader<MathExpr> {
  static void fill(const Json& value, Reader& reader, MathExpr& out);
};

}  // namespace vyn::ast
