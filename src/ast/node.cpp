#include "ast/node.hpp"

namespace vyn::ast {

NodeList* Node::children() {
  return std::visit(
      [](auto& p) -> NodeList* {
        if constexpr (HasChildren<decltype(p)>)
          return &p.children;
        else
          return nullptr;
      },
      payload);
}

const NodeList* Node::children() const { return const_cast<Node*>(this)->children(); }

const Position& Node::position() const {
  return std::visit([](const auto& p) -> const Position& { return p.position; }, payload);
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
