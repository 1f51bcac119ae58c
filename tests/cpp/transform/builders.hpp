// Small factories for hand-built trees in the transform, github and schema
// suites.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ast/node.hpp"

namespace vyn::testing {

using ast::Node;
using ast::NodeKind;
using ast::NodeList;

inline Node text(std::string value, ast::Position position = {}) { return ast::make_text(std::move(value), position); }

inline Node block(NodeKind kind, NodeList children = {}) { return ast::make_block(kind, std::move(children), {}); }

inline Node heading(std::uint8_t depth, NodeList children, std::optional<std::string> id = std::nullopt) {
  Node node = block(NodeKind::Heading, std::move(children));
  node.as<ast::StandardBlockNode>().depth = depth;
  node.as<ast::StandardBlockNode>().id = std::move(id);
  return node;
}

inline Node link(std::string url, NodeList children) {
  return ast::make_node(NodeKind::Link, ast::LinkNode{std::move(url), std::nullopt, std::move(children), {}});
}

inline Node image(std::string url, NodeList children) {
  return ast::make_node(NodeKind::Image,
                        ast::ImageNode{std::move(url), std::nullopt, std::nullopt, std::move(children), {}});
}

inline Node footnote(NodeKind kind, NodeList children) {
  return ast::make_node(kind, ast::FootnoteNode{"1", std::move(children), {}});
}

inline Node component(std::string name, NodeList children = {}) {
  ast::ComponentNode component;
  component.name = std::move(name);
  component.children = std::move(children);
  return ast::make_node(NodeKind::Component, std::move(component));
}

inline ast::AttributeNode attribute(std::string name, ast::AttributeValue value, ast::Position position = {}) {
  return {std::move(name), std::move(value), position};
}

inline Node component_with(std::string name, std::vector<ast::AttributeNode> attributes, NodeList children = {},
                           ast::Position position = {}) {
  Node node = component(std::move(name), std::move(children));
  node.as<ast::ComponentNode>().attributes = std::move(attributes);
  node.as<ast::ComponentNode>().position = position;
  return node;
}

inline Node code_inline(std::string value) {
  return ast::make_node(NodeKind::CodeInline, ast::CodeInlineNode{std::move(value), std::nullopt, {}});
}

inline Node code_block(std::string value) {
  ast::CodeBlockNode code;
  code.value = std::move(value);
  return ast::make_node(NodeKind::CodeBlock, std::move(code));
}

inline Node math_inline(std::string raw) {
  return ast::make_node(NodeKind::MathInline, ast::MathNode{std::move(raw), ast::MathExpr::Row{}, {}});
}

inline ast::Root root_of(NodeList children) {
  ast::Root root;
  root.children = std::move(children);
  return root;
}

}  // namespace vyn::testing
