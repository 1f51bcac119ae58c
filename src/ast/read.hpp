// Reading the dictionary form of a tree back into a Root, the inverse of
// write.hpp: strict about the values it needs, lenient about unknown keys, and
// stopped by the first problem with its exact error text.
#pragma once

#include "ast/json.hpp"
#include "ast/node.hpp"
#include "ast/read_rules.hpp"

namespace vyn::ast {

// A whole tree, as validate, collect_text and query_all receive it.
ReadResult<Root> read_root(const Json& value);
// One node, read as a child of the root is (its tag by name only).
ReadResult<Node> read_node(const Json& value);

}  // namespace vyn::ast
