#include "math/math.hpp"

#include "math/parser.hpp"

namespace vyn::math {

ast::MathExpr parse(std::string_view formula) {
  Parser parser(formula);
  return flatten_row(parser.parse_row());
}

}  // namespace vyn::math
