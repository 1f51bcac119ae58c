#include "transform/walk.hpp"

namespace vyn::transform {

// Recursion follows the tree; parsed trees are bounded by ast::kMaxNodeDepth
// and read trees by the reader's JSON depth bound, far below what the stack
// holds for these small frames.
void walk(const ast::NodeList& nodes, const Visitor& visitor) {
  for (const auto& node : nodes) {
    visitor(node);
    if (walk_enters(node.kind)) walk(*node.children(), visitor);
  }
}

std::string collect_text(const ast::NodeList& nodes) {
  std::string text;
  walk(nodes, [&](const ast::Node& node) {
    if (node.kind == ast::NodeKind::Text) text += node.as<ast::TextNode>().value;
  });
  return text;
}

void collect_by_type(const ast::NodeList& nodes, std::string_view node_type, std::vector<const ast::Node*>& found) {
  walk(nodes, [&](const ast::Node& node) {
    if (ast::kind_name(node.kind) == node_type) found.push_back(&node);
  });
}

}  // namespace vyn::transform
