// The records of the document tree: positions, the payload record of each
// node kind, citation keys and component attributes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "ast/box.hpp"
#include "ast/json.hpp"
#include "ast/math_expr.hpp"
#include "ast/shared_text.hpp"

namespace vyn::ast {

struct Point {
  std::uint64_t line = 0;
  std::uint64_t column = 0;
  std::uint64_t offset = 0;
  bool operator==(const Point&) const = default;
};

struct Position {
  Point start;
  Point end;
  bool operator==(const Position&) const = default;
};

struct Node;
using NodeList = std::vector<Node>;

struct TextNode {
  SharedText value;
  Position position;
  bool operator==(const TextNode&) const = default;
};

struct CodeInlineNode {
  std::string value;
  std::optional<std::string> lang;
  Position position;
  bool operator==(const CodeInlineNode&) const = default;
};

struct CodeBlockNode {
  std::string value;
  std::optional<std::string> lang;
  std::optional<std::string> meta;
  std::optional<std::string> title;
  std::optional<std::vector<std::uint32_t>> highlight;
  std::optional<bool> show_line_numbers;
  std::optional<bool> diff;
  std::optional<std::string> caption;
  Position position;
  bool operator==(const CodeBlockNode&) const = default;
};

// Shared by the sixteen container kinds (paragraph, heading, list, ...).
struct StandardBlockNode {
  std::optional<std::uint8_t> depth;
  std::optional<bool> ordered;
  std::optional<bool> checked;
  std::optional<std::string> id;
  NodeList children;
  Position position;
  bool operator==(const StandardBlockNode&) const = default;
};

struct LinkNode {
  SharedText url;
  std::optional<SharedText> title;
  NodeList children;
  Position position;
  bool operator==(const LinkNode&) const = default;
};

struct ImageNode {
  SharedText url;
  std::optional<SharedText> title;
  std::optional<std::string> alt;
  NodeList children;
  Position position;
  bool operator==(const ImageNode&) const = default;
};

// Shared by footnote definitions and footnote references.
struct FootnoteNode {
  std::string label;
  NodeList children;
  Position position;
  bool operator==(const FootnoteNode&) const = default;
};

struct MathNode {
  std::string raw;
  MathExpr tree;
  Position position;
  bool operator==(const MathNode&) const = default;
};

struct MathDisplayNode {
  std::string raw;
  MathExpr tree;
  std::optional<std::string> label;
  Position position;
  bool operator==(const MathDisplayNode&) const = default;
};

struct CitationKey {
  std::string id;
  std::optional<std::string> prefix;
  std::optional<std::string> locator;
  bool operator==(const CitationKey&) const = default;
};

struct CitationNode {
  std::vector<CitationKey> keys;
  Position position;
  bool operator==(const CitationNode&) const = default;
};

struct CrossRefNode {
  std::string target;
  Position position;
  bool operator==(const CrossRefNode&) const = default;
};

struct VariableNode {
  std::string path;
  Position position;
  bool operator==(const VariableNode&) const = default;
};

// An attribute's value: any JSON value (null, boolean, number, string, array,
// object), or a variable reference.
using AttributeValue = std::variant<Json, VariableNode>;

struct AttributeNode {
  std::string name;
  AttributeValue value;
  Position position;
  bool operator==(const AttributeNode&) const = default;
};

struct ComponentNode {
  std::string name;
  bool is_inline = false;
  std::vector<AttributeNode> attributes;
  NodeList children;
  std::string raw_content;  // empty means none
  Position position;
  bool operator==(const ComponentNode&) const = default;
};

struct ErrorNode {
  std::string message;
  std::string raw_content;
  Position position;
  bool operator==(const ErrorNode&) const = default;
};

// The records larger than the common ones (text, inline code, containers) are held in a Box, so
// that a node takes the room of a common record: lists of nodes take a third of the room and
// moving a node moves less.
template <class Record, class... Records>
inline constexpr bool kOneOf = (std::is_same_v<Record, Records> || ...);
template <class Record>
inline constexpr bool kBoxedRecord =
    kOneOf<Record, CodeBlockNode, LinkNode, ImageNode, MathNode, MathDisplayNode, ComponentNode>;

// How a node holds a payload record.
template <class Record>
using StoredRecord = std::conditional_t<kBoxedRecord<Record>, Box<Record>, Record>;

using NodePayload =
    std::variant<TextNode, CodeInlineNode, StoredRecord<CodeBlockNode>, StandardBlockNode, StoredRecord<LinkNode>,
                 StoredRecord<ImageNode>, FootnoteNode, StoredRecord<MathNode>, StoredRecord<MathDisplayNode>,
                 CitationNode, CrossRefNode, StoredRecord<ComponentNode>, VariableNode, ErrorNode>;

}  // namespace vyn::ast
