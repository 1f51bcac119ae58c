// The node kinds in one table: each kind's "type" tag, its payload record and
// the passes over a tree that look inside it. The enumeration, the names the
// writer and the reader use, the reader's payload records and every pass's
// set of kinds come from this table, so adding a kind means adding its line
// here, its record if it has a new one, and the code that makes it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "ast/math_expr.hpp"
#include "ast/records.hpp"

namespace vyn::ast {

// One line per kind, in kind order: the order is the kind's index in the
// dictionary form, where a node's tag may be given by its index. A 1 in a pass
// column means the pass looks at the kind's children; each pass has its own
// set of kinds, on purpose:
//   walk      the pre-order walk: text collection, node queries, the table of
//             contents' headings; not a footnote reference's children
//   slug      auto-slug's search for headings; not inside definition lists
//   github    the GitHub references' search for text; not inside links and
//             images, whose text is already a link
//   validate  schema validation's search for components; a component's own
//             children are checked against its schema apart from this
//   merge     the parser's text merging and inline-code hints; only the
//             containers whose text the Markdown pass splits into pieces
// clang-format off
#define VYN_NODE_KINDS(KIND)                                                                                   \
  /*   enumerator              "type"                    payload            walk slug github validate merge */ \
  KIND(Text,                   "text",                   TextNode,          0,   0,   0,     0,       0)       \
  KIND(CodeInline,             "code_inline",            CodeInlineNode,    0,   0,   0,     0,       0)       \
  KIND(CodeBlock,              "code_block",             CodeBlockNode,     0,   0,   0,     0,       0)       \
  KIND(Paragraph,              "paragraph",              StandardBlockNode, 1,   1,   1,     1,       1)       \
  KIND(Heading,                "heading",                StandardBlockNode, 1,   1,   1,     1,       1)       \
  KIND(List,                   "list",                   StandardBlockNode, 1,   1,   1,     1,       1)       \
  KIND(ListItem,               "list_item",              StandardBlockNode, 1,   1,   1,     1,       1)       \
  KIND(Blockquote,             "blockquote",             StandardBlockNode, 1,   1,   1,     1,       1)       \
  KIND(ThematicBreak,          "thematic_break",         StandardBlockNode, 1,   1,   1,     1,       0)       \
  KIND(Html,                   "html",                   StandardBlockNode, 1,   1,   1,     1,       0)       \
  KIND(Table,                  "table",                  StandardBlockNode, 1,   1,   1,     1,       1)       \
  KIND(TableRow,               "table_row",              StandardBlockNode, 1,   1,   1,     1,       1)       \
  KIND(TableCell,              "table_cell",             StandardBlockNode, 1,   1,   1,     1,       1)       \
  KIND(Link,                   "link",                   LinkNode,          1,   1,   0,     1,       1)       \
  KIND(Image,                  "image",                  ImageNode,         1,   1,   0,     1,       1)       \
  KIND(Emphasis,               "emphasis",               StandardBlockNode, 1,   1,   1,     1,       1)       \
  KIND(Strong,                 "strong",                 StandardBlockNode, 1,   1,   1,     1,       1)       \
  KIND(Strikethrough,          "strikethrough",          StandardBlockNode, 1,   1,   1,     1,       1)       \
  KIND(DefinitionList,         "definition_list",        StandardBlockNode, 1,   0,   1,     1,       0)       \
  KIND(DefinitionTerm,         "definition_term",        StandardBlockNode, 1,   0,   1,     1,       0)       \
  KIND(DefinitionDescription,  "definition_description", StandardBlockNode, 1,   0,   1,     1,       0)       \
  KIND(FootnoteDefinition,     "footnote_definition",    FootnoteNode,      1,   1,   1,     1,       0)       \
  KIND(FootnoteReference,      "footnote_reference",     FootnoteNode,      0,   0,   0,     0,       0)       \
  KIND(MathInline,             "math_inline",            MathNode,          0,   0,   0,     0,       0)       \
  KIND(MathDisplay,            "math_display",           MathDisplayNode,   0,   0,   0,     0,       0)       \
  KIND(Citation,               "citation",               CitationNode,      0,   0,   0,     0,       0)       \
  KIND(CrossRef,               "cross_ref",              CrossRefNode,      0,   0,   0,     0,       0)       \
  KIND(Component,              "component",              ComponentNode,     1,   1,   1,     0,       0)       \
  KIND(Variable,               "variable",               VariableNode,      0,   0,   0,     0,       0)       \
  KIND(Error,                  "error",                  ErrorNode,         0,   0,   0,     0,       0)
// clang-format on

enum class NodeKind : std::uint8_t {
#define VYN_KIND_ENUMERATOR(kind, name, payload, walk, slug, github, validate, merge) kind,
  VYN_NODE_KINDS(VYN_KIND_ENUMERATOR)
#undef VYN_KIND_ENUMERATOR
};

// Which passes look at a kind's children (see the table's columns).
struct Enters {
  bool walk;
  bool slug;
  bool github;
  bool validate;
  bool merge;

  constexpr bool any() const { return walk || slug || github || validate || merge; }
};

struct NodeKindInfo {
  std::string_view name;  // the "type" tag
  std::size_t payload;    // the index of its payload record in NodePayload
  Enters enters;
};

inline constexpr std::array kNodeKinds = {
#define VYN_KIND_INFO(kind, name, payload, walk, slug, github, validate, merge) \
  NodeKindInfo{name, VariantIndex<StoredRecord<payload>, NodePayload>::value, {walk, slug, github, validate, merge}},
    VYN_NODE_KINDS(VYN_KIND_INFO)
#undef VYN_KIND_INFO
};

// The "type" tags in kind order, as the reader lists them.
inline constexpr auto kNodeKindNames = [] {
  std::array<std::string_view, kNodeKinds.size()> names{};
  for (std::size_t k = 0; k < kNodeKinds.size(); ++k) names[k] = kNodeKinds[k].name;
  return names;
}();

constexpr const NodeKindInfo& kind_info(NodeKind kind) { return kNodeKinds[static_cast<std::size_t>(kind)]; }
constexpr std::string_view kind_name(NodeKind kind) { return kind_info(kind).name; }

template <class Stored>
struct Unboxed {
  using type = Stored;
};
template <class Record>
struct Unboxed<Box<Record>> {
  using type = Record;
};

// The payload record of a kind.
template <NodeKind Kind>
using PayloadOf = typename Unboxed<std::variant_alternative_t<kind_info(Kind).payload, NodePayload>>::type;

template <class Payload>
concept HasChildren = requires(Payload p) {
  p.children;
};

namespace kind_table_checks {

// The dictionary form numbers the kinds 0 to 29.
static_assert(kNodeKinds.size() == 30);

constexpr bool names_are_distinct_and_nonempty() {
  for (std::size_t a = 0; a < kNodeKinds.size(); ++a) {
    if (kNodeKinds[a].name.empty()) return false;
    for (std::size_t b = a + 1; b < kNodeKinds.size(); ++b)
      if (kNodeKinds[a].name == kNodeKinds[b].name) return false;
  }
  return true;
}
static_assert(names_are_distinct_and_nonempty());

// Every kind's record is an alternative of NodePayload, and every alternative
// is some kind's record.
constexpr bool payloads_match_the_variant() {
  for (const auto& kind : kNodeKinds)
    if (kind.payload >= std::variant_size_v<NodePayload>) return false;
  for (std::size_t p = 0; p < std::variant_size_v<NodePayload>; ++p) {
    bool used = false;
    for (const auto& kind : kNodeKinds) used = used || kind.payload == p;
    if (!used) return false;
  }
  return true;
}
static_assert(payloads_match_the_variant());

// A pass can only look inside a kind whose record holds children.
constexpr bool passes_enter_only_kinds_with_children() {
  return []<std::size_t... K>(std::index_sequence<K...>) {
    return ((!kNodeKinds[K].enters.any() || HasChildren<PayloadOf<static_cast<NodeKind>(K)>>)&&...);
  }
  (std::make_index_sequence<kNodeKinds.size()>());
}
static_assert(passes_enter_only_kinds_with_children());

}  // namespace kind_table_checks

}  // namespace vyn::ast
