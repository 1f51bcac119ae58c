// The document tree: a node of one of the kinds with its payload record, and
// the root.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "ast/json.hpp"
#include "ast/node_kinds.hpp"
#include "ast/records.hpp"

namespace vyn::ast {

// One node: its kind and the payload record that kind carries. Build nodes
// with the factory functions below, which keep the two in agreement.
struct Node {
  NodeKind kind;
  NodePayload payload;

  bool operator==(const Node&) const = default;

  template <class Payload>
  Payload& as() {
    return std::get<Payload>(payload);
  }
  template <class Payload>
  const Payload& as() const {
    return std::get<Payload>(payload);
  }

  // The child list of the kinds that carry one, else nullptr.
  NodeList* children();
  const NodeList* children() const;
  const Position& position() const;
};

Node make_text(std::string value, Position position);
Node make_block(NodeKind kind, NodeList children, Position position);  // a StandardBlockNode kind
Node make_error(std::string message, std::string raw_content, Position position);
template <class Payload>
Node make_node(NodeKind kind, Payload payload) {
  return Node{kind, NodePayload(std::move(payload))};
}

enum class RootType : std::uint8_t { Root };

struct Root {
  RootType type = RootType::Root;
  std::optional<Json> frontmatter;
  NodeList children;
  Position position;
  bool operator==(const Root&) const = default;
};

}  // namespace vyn::ast
