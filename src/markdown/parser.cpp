#include "markdown/parser.hpp"

#include "markdown/block_parser.hpp"
#include "markdown/inline_parser.hpp"

namespace markdown {

namespace {

bool is_container(Item item) { return item >= Item::Emphasis; }

TagKind tag_of(Item item) {
  switch (item) {
    case Item::Emphasis: return TagKind::Emphasis;
    case Item::Strong: return TagKind::Strong;
    case Item::Strikethrough: return TagKind::Strikethrough;
    case Item::Link: return TagKind::Link;
    case Item::Image: return TagKind::Image;
    case Item::Paragraph: return TagKind::Paragraph;
    case Item::Heading: return TagKind::Heading;
    case Item::BlockQuote: return TagKind::BlockQuote;
    case Item::CodeBlock: return TagKind::CodeBlock;
    case Item::HtmlBlock: return TagKind::HtmlBlock;
    case Item::List: return TagKind::List;
    case Item::ListItem: return TagKind::Item;
    case Item::FootnoteDefinition: return TagKind::FootnoteDefinition;
    case Item::Table: return TagKind::Table;
    case Item::TableHead: return TagKind::TableHead;
    case Item::TableRow: return TagKind::TableRow;
    case Item::TableCell: return TagKind::TableCell;
    case Item::DefinitionList: return TagKind::DefinitionList;
    case Item::DefinitionListTitle: return TagKind::DefinitionListTitle;
    case Item::DefinitionListDefinition: return TagKind::DefinitionListDefinition;
    // Not containers: make_event asks only containers for their tag; an
    // event of any other kind keeps the default tag.
    case Item::MaybeEmphasis:
    case Item::MaybeCode:
    case Item::MaybeHtml:
    case Item::MaybeLinkOpen:
    case Item::MaybeLinkClose:
    case Item::MaybeImage:
    case Item::Text:
    case Item::Code:
    case Item::InlineHtml:
    case Item::Html:
    case Item::SoftBreak:
    case Item::HardBreak:
    case Item::FootnoteReference:
    case Item::TaskListMarker:
    case Item::Rule: break;
  }
  return TagKind::Paragraph;
}

bool carries_text(Item item) {
  return item == Item::Text || item == Item::Code || item == Item::InlineHtml || item == Item::Html ||
         item == Item::FootnoteReference;
}

EventKind leaf_kind(Item item) {
  switch (item) {
    case Item::Code: return EventKind::Code;
    case Item::InlineHtml: return EventKind::InlineHtml;
    case Item::Html: return EventKind::Html;
    case Item::SoftBreak: return EventKind::SoftBreak;
    case Item::HardBreak: return EventKind::HardBreak;
    case Item::FootnoteReference: return EventKind::FootnoteReference;
    case Item::TaskListMarker: return EventKind::TaskListMarker;
    case Item::Rule: return EventKind::Rule;
    default: return EventKind::Text;
  }
}

}  // namespace

Parser::Parser(std::string_view text, Options options) : doc_(text, options) {
  parse_blocks(doc_);
  cur_ = doc_.tree.root_first();
}

void Parser::make_event(std::uint32_t ix, bool end, Event& event) const {
  const Node& node = doc_.tree[ix];
  // Field by field: assigning a whole blank Event compiles to a string store, slow to start.
  event.tag = TagKind::Paragraph;
  event.text = {};
  event.link_type = LinkType::Inline;
  event.dest_url = {};
  event.title = {};
  event.id = {};
  event.code_block_kind = CodeBlockKind::Indented;
  event.heading_level = 0;
  event.list_start.reset();
  event.ordered = false;
  event.checked = false;
  event.filler = false;
  event.alignments = {};
  event.start = node.start;
  event.end = node.end;
  if (!is_container(node.item)) {
    event.kind = leaf_kind(node.item);
    if (carries_text(node.item)) event.text = doc_.text_of(node);
    event.checked = (node.flags & checked) != 0;
    return;
  }
  event.kind = end ? EventKind::End : EventKind::Start;
  event.tag = tag_of(node.item);
  switch (node.item) {
    case Item::Heading: event.heading_level = static_cast<std::uint8_t>(node.count); break;
    case Item::CodeBlock:
      event.code_block_kind = (node.flags & fenced) ? CodeBlockKind::Fenced : CodeBlockKind::Indented;
      if (node.data != nil) event.text = doc_.texts[node.data];
      break;
    case Item::List:
      event.ordered = node.data == '.' || node.data == ')';
      if (event.ordered) event.list_start = node.count;
      break;
    case Item::FootnoteDefinition: event.text = doc_.texts[node.data]; break;
    case Item::Table: event.alignments = doc_.tables[node.data]; break;
    case Item::Link:
    case Item::Image: {
      const LinkInfo& link = doc_.links[node.data];
      event.link_type = link.type;
      event.dest_url = link.dest;
      event.title = link.title;
      event.id = link.id;
      break;
    }
    default: break;
  }
}

// Paragraphs directly in the items of a tight list show only their content (in whatever else a
// list came to hold, too).
bool Parser::hidden_paragraph(std::uint32_t ix) const {
  const Tree& tree = doc_.tree;
  if (open_.size() < 2) return false;
  // An empty paragraph (link reference definitions and a line of white space left nothing)
  // keeps its tags after another block of the item.
  if (tree[ix].child == nil && tree[open_.back()].child != ix) return false;
  const Node& list = tree[open_[open_.size() - 2]];
  return (list.item == Item::List || list.item == Item::DefinitionList) && (list.flags & tight) != 0;
}

// An item's text reads as one from its first item to resolve on: the paragraphs after this one
// are resolved now, before the blocks between them. That decides which searches for the end of a
// comment or the like come first, and a search read past hides what an earlier one would find.
void Parser::resolve_hidden_after(std::uint32_t ix) {
  Tree& tree = doc_.tree;
  for (std::uint32_t later = tree[ix].next; later != nil; later = tree[later].next) {
    Node& node = tree[later];
    if (node.item == Item::Paragraph && (node.flags & needs_inline) && hidden_paragraph(later)) {
      node.flags &= static_cast<std::uint8_t>(~needs_inline);
      resolve_inlines(doc_, later, open_, &code_spans_);
    }
  }
}

// The empty cells that fill up a short row: one node stands for them, each a start and an end.
void Parser::fill_cell(std::uint32_t ix, Event& event) {
  const Node& node = doc_.tree[ix];
  if (filling_ == 0) filling_ = 2 * std::uint64_t{node.count};
  make_event(ix, filling_ % 2 == 1, event);
  event.filler = true;
  if (--filling_ == 0) cur_ = node.next;
}

std::optional<Event> Parser::next() {
  Event event;
  if (!next(event)) return std::nullopt;
  return event;
}

bool Parser::next(Event& event) {
  Tree& tree = doc_.tree;
  while (true) {
    if (cur_ != nil) {
      std::uint32_t ix = cur_;
      Node& node = tree[ix];
      if (node.item == Item::TableCell && node.count > 0) {
        fill_cell(ix, event);
        return true;
      }
      if (!is_container(node.item)) {
        cur_ = node.next;
        make_event(ix, false, event);
        return true;
      }
      bool hidden = node.item == Item::Paragraph && hidden_paragraph(ix);
      if (node.flags & needs_inline) {
        node.flags &= static_cast<std::uint8_t>(~needs_inline);
        if (hidden) {
          code_spans_ = {};
          resolve_inlines(doc_, ix, open_, &code_spans_);
          resolving_item_ = open_.back();
          resolve_hidden_after(ix);
        } else {
          resolve_inlines(doc_, ix);
        }
      } else if (hidden && node.next == nil && resolving_item_ == open_.back()) {
        end_with_literal_backslash(doc_, ix);
      }
      open_.push_back(ix);
      cur_ = tree[ix].child;
      if (hidden) continue;
      make_event(ix, false, event);
      return true;
    }
    if (open_.empty()) return false;
    std::uint32_t ix = open_.back();
    open_.pop_back();
    cur_ = tree[ix].next;
    if (tree[ix].item == Item::Paragraph && hidden_paragraph(ix)) continue;
    make_event(ix, true, event);
    return true;
  }
}

}  // namespace markdown
