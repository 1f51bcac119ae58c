#include "ast/node.hpp"

#include <unordered_map>

namespace vyn::ast {

namespace {

// Points every text node, link and image of `nodes` that views one of `from`'s texts at the same text in `to`,
// a copy of `from`. Iterative, so that no tree is too deep for it.
void rebind_shared_texts(NodeList& nodes, const KeptTexts& from, const KeptTexts& to) {
  if (from.size() == 0) return;
  std::unordered_map<const std::string*, const std::string*> copies;
  for (std::size_t k = 0; k < from.size(); ++k) copies.emplace(&from[k], &to[k]);
  auto rebind = [&](SharedText& text) {
    if (auto found = copies.find(text.kept()); found != copies.end()) text.rebind(found->second);
  };
  auto rebind_title = [&](std::optional<SharedText>& title) {
    if (title) rebind(*title);
  };
  std::vector<NodeList*> pending{&nodes};
  while (!pending.empty()) {
    NodeList* list = pending.back();
    pending.pop_back();
    for (Node& node : *list) {
      if (node.kind == NodeKind::Text) {
        rebind(node.as<TextNode>().value);
      } else if (node.kind == NodeKind::Link) {
        rebind(node.as<LinkNode>().url);
        rebind_title(node.as<LinkNode>().title);
      } else if (node.kind == NodeKind::Image) {
        rebind(node.as<ImageNode>().url);
        rebind_title(node.as<ImageNode>().title);
      }
      if (NodeList* children = node.children()) pending.push_back(children);
    }
  }
}

}  // namespace

NodeList* Node::children() {
  return visit_record([](auto& p) -> NodeList* {
    if constexpr (HasChildren<decltype(p)>)
      return &p.children;
    else
      return nullptr;
  });
}

const NodeList* Node::children() const { return const_cast<Node*>(this)->children(); }

const Position& Node::position() const {
  return visit_record([](const auto& p) -> const Position& { return p.position; });
}

Root::Root(const Root& other)
    : type(other.type),
      frontmatter(other.frontmatter),
      children(other.children),
      position(other.position),
      shared_texts(other.shared_texts) {
  rebind_shared_texts(children, other.shared_texts, shared_texts);
}

Root& Root::operator=(const Root& other) {
  if (this != &other) *this = Root(other);
  return *this;
}

Node make_text(std::string value, Position position) {
  return make_node(NodeKind::Text, TextNode{std::move(value), position});
}

Node make_block(NodeKind kind, NodeList children, Position position) {
  StandardBlockNode block;
  block.children = std::move(children);
  block.position = position;
  return make_node(kind, std::move(block));
}

Node make_error(std::string message, std::string raw_content, Position position) {
  return make_node(NodeKind::Error, ErrorNode{std::move(message), std::move(raw_content), position});
}

}  // namespace vyn::ast
