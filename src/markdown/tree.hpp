// The document tree both parsing passes build: an arena of nodes linked as first-child / next-sibling.
// The block pass appends blocks and raw inline items; the inline pass rewrites each block's children.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "markdown/node_memory.hpp"

namespace markdown {

inline constexpr std::uint32_t nil = 0xffffffffu;

enum class Item : std::uint8_t {
  // Inline items as the block pass leaves them; the inline pass resolves or demotes them to Text.
  MaybeEmphasis,
  MaybeCode,
  MaybeHtml,
  MaybeLinkOpen,
  MaybeLinkClose,
  MaybeImage,
  // Leaves.
  Text,
  Code,
  InlineHtml,
  Html,
  SoftBreak,
  HardBreak,
  FootnoteReference,
  TaskListMarker,
  Rule,
  // Containers.
  Emphasis,
  Strong,
  Strikethrough,
  Link,
  Image,
  Paragraph,
  Heading,
  BlockQuote,
  CodeBlock,
  HtmlBlock,
  List,
  ListItem,
  FootnoteDefinition,
  Table,
  TableHead,
  TableRow,
  TableCell,
  DefinitionList,
  DefinitionListTitle,
  DefinitionListDefinition,
};

// Flag bits of Node::flags.
inline constexpr std::uint8_t can_open = 1;       // delimiter run
inline constexpr std::uint8_t can_close = 2;      // delimiter run
inline constexpr std::uint8_t escaped = 4;        // backtick run right after a backslash
inline constexpr std::uint8_t tight = 8;          // list, definition list
inline constexpr std::uint8_t checked = 16;       // task-list marker
inline constexpr std::uint8_t fenced = 32;        // code block
inline constexpr std::uint8_t needs_inline = 64;  // block holding raw inline items still to resolve
inline constexpr std::uint8_t had_block = 128;    // item that held link reference definitions

// Kept small (32 bytes): a dense document has a node for every few bytes, and the arena is
// written once by the block pass and read again by the inline pass and the events. What few
// nodes carry beyond their range lives in the Document's side tables, found through `data`.
// Offsets take 48 bits, more than any memory a text could be held in.
struct Node {
  std::uint64_t start : 48 = 0;
  std::uint64_t end : 48 = 0;
  Item item : 8 = Item::Text;
  std::uint8_t flags = 0;
  // Delimiter run length, list item indent, heading level, list marker number; for a table
  // cell, the number of empty cells it stands for that fill up a short row (0 for a written one).
  std::uint32_t count = 0;
  // By item: the delimiter character (delimiter runs), the marker character (lists), the
  // index of the link (links, images), of the table's alignments (tables), of the end of the
  // inline source (blocks with inline content: a setext underline or a heading's closing
  // sequence lies beyond it), or of the payload text (text, code, HTML, footnote labels, info
  // strings: nil when it is the node's own range of the source).
  std::uint32_t data = nil;
  std::uint32_t child = nil;
  std::uint32_t next = nil;
};
static_assert(sizeof(Node) == 32);

// Columns of indentation a line needs to continue an open container (0 for the others).
inline std::size_t continuation_indent(const Node& node) {
  switch (node.item) {
    case Item::ListItem:
    case Item::DefinitionListDefinition: return node.count;
    case Item::FootnoteDefinition: return 4;
    default: return 0;
  }
}

// Appending builds siblings under the innermost open node (the spine's top); push opens the last
// appended node, pop closes the innermost one.
class Tree {
 public:
  // A small document gets room for a few nodes and open containers at once, so that it does not
  // grow its lists step by step.
  explicit Tree(std::size_t expected_nodes) {
    nodes_.reserve(std::max<std::size_t>(expected_nodes, 15) + 1);
    nodes_.push_back(Node{.item = Item::Paragraph});  // root
    spine_.reserve(8);
  }

  std::uint32_t append(const Node& node) {
    auto ix = static_cast<std::uint32_t>(nodes_.size());
    nodes_.push_back(node);
    link(ix);
    return ix;
  }
  // Appends an existing, detached node.
  void link(std::uint32_t ix) {
    nodes_[ix].next = nil;
    if (cur_ != nil) {
      nodes_[cur_].next = ix;
    } else {
      nodes_[spine_.empty() ? 0 : spine_.back().ix].child = ix;
    }
    cur_ = ix;
  }
  std::uint32_t add_detached(const Node& node) {
    auto ix = static_cast<std::uint32_t>(nodes_.size());
    nodes_.push_back(node);
    return ix;
  }
  void push() {
    open(cur_);
    cur_ = nil;
  }
  std::uint32_t pop() {
    auto ix = spine_.back().ix;
    spine_.pop_back();
    cur_ = ix;
    return ix;
  }
  // Reopens `ix`, the last appended node, with `last_child` as its last child.
  void reopen(std::uint32_t ix, std::uint32_t last_child) {
    open(ix);
    cur_ = last_child;
  }
  // Columns of indentation that continue the open containers from spine position `from` on.
  std::size_t indent_from(std::size_t from) const {
    return spine_.back().indent - (from == 0 ? 0 : spine_[from - 1].indent);
  }
  std::uint32_t cur() const { return cur_; }
  void set_cur(std::uint32_t ix) { cur_ = ix; }
  std::size_t spine_len() const { return spine_.size(); }
  std::uint32_t spine_at(std::size_t i) const { return spine_[i].ix; }
  std::uint32_t peek_up() const { return spine_.empty() ? nil : spine_.back().ix; }
  std::uint32_t root_first() const { return nodes_[0].child; }

  Node& operator[](std::uint32_t ix) { return nodes_[ix]; }
  const Node& operator[](std::uint32_t ix) const { return nodes_[ix]; }
  std::size_t size() const { return nodes_.size(); }

 private:
  void open(std::uint32_t ix) {
    spine_.push_back({ix, (spine_.empty() ? 0 : spine_.back().indent) + continuation_indent(nodes_[ix])});
  }

  struct Open {
    std::uint32_t ix;
    std::size_t indent;  // running total of the spine's continuation indents up to this one
  };

  std::vector<Node, NodeAllocator<Node>> nodes_;
  std::vector<Open> spine_;
  std::uint32_t cur_ = nil;
};

}  // namespace markdown
