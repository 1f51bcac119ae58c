// Read-only traversals of node lists: the pre-order walk and the plain text
// of a tree.
#pragma once

#include <functional>
#include <string>

#include "ast/node.hpp"

namespace vyn::transform {

using Visitor = std::function<void(const ast::Node&)>;

// Whether `walk` enters the children of a node of this kind: the container
// kinds, links, images, footnote definitions and components. A footnote
// reference's children are not entered.
constexpr bool walk_enters(ast::NodeKind kind) {
  using K = ast::NodeKind;
  return (kind >= K::Paragraph && kind <= K::FootnoteDefinition) || kind == K::Component;
}

// Calls `visitor` for each node, then walks its children, before the next
// sibling (pre-order, depth first).
void walk(const ast::NodeList& nodes, const Visitor& visitor);

// The values of all text nodes in walk order, joined with no separator.
std::string collect_text(const ast::NodeList& nodes);

}  // namespace vyn::transform
