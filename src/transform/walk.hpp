// Read-only traversals of node lists: the pre-order walk, the plain text of
// a tree and the nodes of one kind.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ast/node.hpp"

namespace vyn::transform {

using Visitor = std::function<void(const ast::Node&)>;

// Whether `walk` enters the children of a node of this kind: the container
// kinds, links, images, footnote definitions and components. A footnote
// reference's children are not entered.
constexpr bool walk_enters(ast::NodeKind kind) { return ast::kind_info(kind).enters.walk; }

// Calls `visitor` for each node, then walks its children, before the next
// sibling (pre-order, depth first).
void walk(const ast::NodeList& nodes, const Visitor& visitor);

// The values of all text nodes in walk order, joined with no separator.
std::string collect_text(const ast::NodeList& nodes);

// Appends the nodes whose kind is named `node_type` exactly, in walk order
// (a node before its descendants); a name that is no kind finds nothing.
void collect_by_type(const ast::NodeList& nodes, std::string_view node_type, std::vector<const ast::Node*>& found);

}  // namespace vyn::transform
