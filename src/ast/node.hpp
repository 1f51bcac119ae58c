// The document tree: a node of one of the kinds with its payload record, and
// the root.
#pragma once

#include <optional>
#include <string>
#include <type_traits>
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

  Node() = default;
  Node(const Node&) = default;
  Node& operator=(const Node&) = default;
  Node& operator=(Node&&) = default;
  ~Node() = default;
  // A node is moved once or more on its way into its parent's list; std::variant moves one of this
  // many records through a table of functions, a call per node, where a branch on the index lets
  // the compiler move the common records inline.
  Node(Node&& other) noexcept : kind(other.kind), payload(moved_payload(other.payload)) {}
  // Builds the payload record in place from `args`, so that no record is moved into the node: a
  // list that emplaces its nodes moves none.
  template <class Stored, class... Args>
  Node(NodeKind kind, std::in_place_type_t<Stored> stored, Args&&... args)
      : kind(kind), payload(payload_of(stored, std::forward<Args>(args)...)) {}

  bool operator==(const Node&) const = default;

  template <class Payload>
  Payload& as() {
    return unbox(std::get<StoredRecord<Payload>>(payload));
  }
  template <class Payload>
  const Payload& as() const {
    return unbox(std::get<StoredRecord<Payload>>(payload));
  }
  // Calls `f` with the payload record, out of its Box if it has one.
  template <class F>
  decltype(auto) visit_record(F&& f) {
    return std::visit([&](auto& stored) -> decltype(auto) { return f(unbox(stored)); }, payload);
  }
  template <class F>
  decltype(auto) visit_record(F&& f) const {
    return std::visit([&](const auto& stored) -> decltype(auto) { return f(unbox(stored)); }, payload);
  }

  // The child list of the kinds that carry one, else nullptr.
  NodeList* children();
  const NodeList* children() const;
  const Position& position() const;

 private:
  static_assert(std::is_nothrow_move_constructible_v<NodePayload>,
                "a move that throws would leave a node without a payload");
  template <std::size_t Index = 0>
  static NodePayload moved_payload(NodePayload& from) {
    if constexpr (Index + 1 < std::variant_size_v<NodePayload>) {
      if (from.index() != Index) return moved_payload<Index + 1>(from);
    }
    return NodePayload(std::in_place_index<Index>, std::move(*std::get_if<Index>(&from)));
  }

  // Compilers without parenthesized initialization of aggregates (clang 14) build a record from
  // its fields with braces, then move it in.
  template <class Stored, class... Args>
  static NodePayload payload_of(std::in_place_type_t<Stored> stored, Args&&... args) {
    if constexpr (std::is_constructible_v<Stored, Args...>)
      return NodePayload(stored, std::forward<Args>(args)...);
    else
      return NodePayload(stored, Stored{std::forward<Args>(args)...});
  }
};

Node make_text(std::string value, Position position);
Node make_block(NodeKind kind, NodeList children, Position position);  // a StandardBlockNode kind
Node make_error(std::string message, std::string raw_content, Position position);
template <class Payload>
Node make_node(NodeKind kind, Payload payload) {
  return Node(kind, std::in_place_type<StoredRecord<Payload>>, std::move(payload));
}

enum class RootType : std::uint8_t { Root };

struct Root {
  RootType type = RootType::Root;
  std::optional<Json> frontmatter;
  NodeList children;
  Position position;
  // The texts that nodes of the tree view (SharedText).
  KeptTexts shared_texts;

  Root() = default;
  Root(RootType type, std::optional<Json> frontmatter, NodeList children, Position position)
      : type(type), frontmatter(std::move(frontmatter)), children(std::move(children)), position(position) {}
  Root(Root&&) = default;
  Root& operator=(Root&&) = default;
  // A copy's nodes view the copy's own texts.
  Root(const Root& other);
  Root& operator=(const Root& other);

  // By value: where a text is kept makes no difference.
  bool operator==(const Root& other) const {
    return type == other.type && frontmatter == other.frontmatter && children == other.children &&
           position == other.position;
  }
};

}  // namespace vyn::ast
