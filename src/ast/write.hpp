// The dictionary form of trees, written once for every sink.
#pragma once

#include "ast/json.hpp"
#include "ast/math_expr.hpp"
#include "ast/node.hpp"
#include "ast/sink.hpp"

namespace vyn::ast {

void write_root(const Root& root, Sink& sink);
void write_node(const Node& node, Sink& sink);
void write_math(const MathExpr& expr, Sink& sink);

// The dictionary form as a JSON value.
Json serialize(const Root& root);
Json serialize(const Node& node);
Json serialize(const MathExpr& expr);

}  // namespace vyn::ast
