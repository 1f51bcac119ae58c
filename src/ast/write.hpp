// The dictionary form of trees, written once for every sink.
#pragma once

#include <span>

#include "ast/json.hpp"
#include "ast/math_expr.hpp"
#include "ast/node.hpp"
#include "ast/sink.hpp"

namespace vyn::ast {

void write_root(const Root& root, Sink& sink);
void write_node(const Node& node, Sink& sink);
void write_math(const MathExpr& expr, Sink& sink);
// An array of `nodes`, listed in the pre-order of one tree, each written once: one that lies
// inside another listed before it is there the value the sink repeats (see Sink::repeat), so that
// nested nodes cost their size once.
void write_node_list(std::span<const Node* const> nodes, Sink& sink);

// The dictionary form as a JSON value.
Json serialize(const Root& root);
Json serialize(const Node& node);
Json serialize(const MathExpr& expr);

}  // namespace vyn::ast
