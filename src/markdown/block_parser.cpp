#include "markdown/block_parser.hpp"

#include <algorithm>
#include <array>
#include <string_view>

#include "markdown/chars.hpp"
#include "markdown/link_syntax.hpp"

namespace markdown {

namespace {

// The bytes a container marker starts with (list items, block quotes, footnote definitions,
// definitions): a line whose content starts with another opens none.
constexpr ByteSet kContainerStart("-+*0123456789>[:");
// The bytes a block that interrupts a paragraph starts with, once its line is not blank.
constexpr ByteSet kInterruptStart("-+*_0123456789>[:#`~<|");
constexpr ByteSet kPipeOrLineEnd("|\n\r");

// The byte where a line's content starts after at most three columns of indent, or -1 at the end.
int first_byte(std::string_view text, LineStart ls) {
  ls.scan_space_upto(3);
  return ls.ix() < text.size() ? static_cast<unsigned char>(text[ls.ix()]) : -1;
}

}  // namespace

void parse_blocks(Document& doc) { BlockParser(doc).run(); }

void BlockParser::run() {
  std::size_t ix = 0;
  while (ix < text_.size()) ix = parse_block(ix);
  while (tree_.spine_len() > 0) pop(text_.size());
  if (open_definition_list_ != nil) tree_[open_definition_list_].end = text_.size();
}

std::size_t BlockParser::scan_containers(LineStart& ls, std::size_t limit) {
  std::size_t i = 0;
  const std::size_t deepest_quote = open_quotes_.empty() ? 0 : open_quotes_.back() + 1;
  const std::size_t count = std::min(limit, tree_.spine_len());
  for (; i < count; ++i) {
    // Past the last block quote a blank line continues every container, without walking
    // them all (deep lists followed by many blank lines stay linear).
    if (i == deepest_quote && count == tree_.spine_len() && scan_blank_line(text_, ls.ix())) {
      ls.scan_space_upto(tree_.indent_from(i));
      return tree_.spine_len();
    }
    if (!ls.scan_continuation(tree_[tree_.spine_at(i)])) return i;
  }
  return i;
}

std::uint32_t BlockParser::append_block(const Node& node) {
  note_block_after_blank();
  return tree_.append(node);
}

// A blank line between two blocks of an item makes its list loose. Link reference definitions
// count as a block here although they leave no node. A footnote definition that came to sit in
// a list (after an item or definition closed from within) makes it loose with any block after a
// blank line.
void BlockParser::note_block_after_blank() {
  std::uint32_t parent = tree_.peek_up();
  if (!last_line_blank_ || parent == nil) return;
  Node& item = tree_[parent];
  const Item above = tree_.spine_len() >= 2 ? tree_[tree_.spine_at(tree_.spine_len() - 2)].item : Item::Paragraph;
  const bool in_list = item.item == Item::FootnoteDefinition && (above == Item::List || above == Item::DefinitionList);
  if (in_list || ((item.item == Item::ListItem || item.item == Item::DefinitionListDefinition) &&
                  (item.child != nil || (item.flags & had_block)))) {
    std::uint32_t list = tree_.spine_at(tree_.spine_len() - 2);
    tree_[list].flags &= static_cast<std::uint8_t>(~tight);
  }
}

std::uint32_t BlockParser::pop(std::size_t ix, bool keep_container) {
  std::uint32_t last_child = tree_.cur();
  std::uint32_t node_ix = tree_.pop();
  Node& node = tree_[node_ix];
  node.end = ix;
  if (open_definition_list_ != nil && tree_.spine_len() < open_definition_list_depth_) {
    // The container of a list still stretching over a paragraph closes: the list ends with it.
    tree_[open_definition_list_].end = ix;
    open_definition_list_ = nil;
  }
  if (const PassedList* passed = passed_list(node_ix)) {
    Node& definition = tree_[passed->definition];
    passed_lists_.pop_back();
    if (definition.next != nil) {
      // The blocks read into it after its definition move out to follow it, in their order, and
      // the blocks still to come go after them. pulldown-cmark keeps only the first of them,
      // losing the rest: one of the differences the README lists.
      node.next = definition.next;
      definition.next = nil;
      tree_.set_cur(last_child);
      return node_ix;
    }
    // Closed before any block followed, it ends on its definition as any list would.
  }
  if (node.item == Item::BlockQuote) open_quotes_.pop_back();
  if (node.item == Item::DefinitionList) {
    last_definition_list_ = node_ix;
    last_definition_list_child_ = last_child;
    if (!keep_container && tree_[last_child].item == Item::DefinitionListDefinition &&
        close_container(ix) == Item::DefinitionListDefinition && tree_.peek_up() != nil) {
      passed_lists_.push_back({.list = tree_.peek_up(), .definition = tree_.cur()});
    }
  }
  return node_ix;
}

// A definition list that ends on a definition closes the container around it too. An item or
// definition keeps the end it had when it opened (after its marker), a definition list ends with
// its first term; any other container ends at `ix`, where it closes (pulldown-cmark 0.12.2 leaves
// that end at 0, before the start: one of the differences the README lists). A definition closed
// as a block begins (not by link reference definitions) leaves its own list open but done with:
// it takes no more definitions, and the blocks that follow are read into it after that
// definition. Closed as a block begins, the list moves them out to follow it and ends there (see
// `pop`); closed this way, by a definition list among them, it keeps them.
Item BlockParser::close_container(std::size_t ix) {
  if (tree_.spine_len() == 0) return Item::Paragraph;
  std::uint32_t node_ix = tree_.pop();
  Node& node = tree_[node_ix];
  if (node.item == Item::DefinitionList) {
    node.end = tree_[node.child].end;
  } else if (node.item != Item::ListItem && node.item != Item::DefinitionListDefinition) {
    node.end = ix;
  }
  if (passed_list(node_ix)) passed_lists_.pop_back();
  if (node.item == Item::BlockQuote) open_quotes_.pop_back();
  // A list closed this way (a definition list came to sit in it, after its items) is loose.
  if (node.item == Item::List || node.item == Item::DefinitionList) {
    node.flags &= static_cast<std::uint8_t>(~tight);
  }
  return node.item;
}

const BlockParser::PassedList* BlockParser::passed_list(std::uint32_t list) const {
  return !passed_lists_.empty() && passed_lists_.back().list == list ? &passed_lists_.back() : nullptr;
}

bool BlockParser::takes_terms(std::uint32_t list) const {
  if (list == nil || tree_[list].item != Item::DefinitionList || list == ended_definition_list_) return false;
  const PassedList* passed = passed_list(list);
  return !passed || tree_[passed->definition].next == nil;
}

// A definition list followed by a paragraph ends where the next block begins. It is the list that
// ends here: whatever holds it stays open, even a definition list closed from within.
void BlockParser::finish_list(std::size_t ix, bool keep_container) {
  if (open_definition_list_ != nil) {
    tree_[open_definition_list_].end = ix;
    open_definition_list_ = nil;
    return;
  }
  std::uint32_t top = tree_.peek_up();
  if (top != nil && (tree_[top].item == Item::List || tree_[top].item == Item::DefinitionList)) {
    pop(ix, keep_container);
  }
}

// A list before a paragraph (or a table, which begins as one) ends where it begins. A definition
// list it may extend leaves its container open, and a blank line before it lies inside.
bool BlockParser::finish_list_before_paragraph(std::size_t ix) {
  bool extends = open_definition_list_ == nil && takes_terms(tree_.peek_up());
  if (extends) last_line_blank_ = false;
  finish_list(ix, extends);
  return extends;
}

void BlockParser::continue_list(std::size_t start, const ListMarker& marker) {
  std::uint32_t top = tree_.peek_up();
  // After a definition list stretched over a paragraph, a list starts anew.
  if (open_definition_list_ == nil && top != nil && tree_[top].item == Item::List &&
      tree_[top].data == static_cast<std::uint32_t>(marker.ch)) {
    if (last_line_blank_) tree_[top].flags &= static_cast<std::uint8_t>(~tight);
    return;
  }
  finish_list(start);
  bool ordered = marker.ch == '.' || marker.ch == ')';
  Node list{.start = start,
            .item = Item::List,
            .flags = tight,
            .count = static_cast<std::uint32_t>(ordered ? marker.number : 0),
            .data = static_cast<std::uint32_t>(marker.ch)};
  append_block(list);
  tree_.push();
}

// A `:` line right after a paragraph (or after a definition list that such a paragraph extends)
// turns that paragraph into a term and opens a definition.
bool BlockParser::start_definition(LineStart& ls) {
  std::uint32_t top = tree_.peek_up();
  std::uint32_t prev = tree_.cur();
  bool in_list = takes_terms(top);
  bool after_title = prev != nil && tree_[prev].item == Item::Paragraph;
  if (!in_list && !after_title) return false;
  LineStart probe = ls;
  // Like an item, a definition starts its indent's width, in columns, before its marker.
  std::size_t leading = probe.scan_space_upto(3);
  std::size_t start = probe.ix() - leading;
  probe = ls;
  auto indent = probe.scan_definition_marker();
  if (!indent) return false;
  ls = probe;
  if (after_title) {
    Node& para = tree_[prev];
    bool reopen = last_definition_list_ != nil && last_definition_list_ != ended_definition_list_ &&
                  tree_[last_definition_list_].next == prev;
    bool loose = last_line_blank_;
    if (reopen) {
      std::uint32_t list = last_definition_list_;
      std::uint32_t last = last_definition_list_child_;
      tree_[list].next = nil;
      tree_[last].next = prev;
      para.item = Item::DefinitionListTitle;
      tree_.reopen(list, prev);
      open_definition_list_ = nil;
      if (loose) tree_[list].flags &= static_cast<std::uint8_t>(~tight);
    } else {
      Node title = para;
      title.item = Item::DefinitionListTitle;
      title.next = nil;
      std::uint32_t title_ix = tree_.add_detached(title);
      Node& list = tree_[prev];
      list.item = Item::DefinitionList;
      list.flags = loose ? 0 : tight;
      list.child = title_ix;
      list.data = nil;
      tree_.reopen(prev, title_ix);
    }
  } else {
    // A list whose definition was closed from within, by a line that closed that list's own
    // container too, takes definitions straight after it as any list would.
    if (passed_list(top)) passed_lists_.pop_back();
    if (last_line_blank_) tree_[top].flags &= static_cast<std::uint8_t>(~tight);
  }
  last_line_blank_ = false;
  tree_.append(Node{.start = start,
                    .end = ls.ix(),
                    .item = Item::DefinitionListDefinition,
                    .count = static_cast<std::uint32_t>(*indent)});
  tree_.push();
  return true;
}

std::size_t BlockParser::parse_block(std::size_t start_ix) {
  LineStart ls(text_, start_ix);
  std::size_t matched = scan_containers(ls);
  if (empty_item_ != nil && scan_empty_line(text_, ls.ix())) {
    // A line of nothing but white space leaves such an item open, even where its vertical tabs
    // or form feeds do not continue the item.
    if (matched < tree_.spine_len() && tree_.spine_at(matched) == empty_item_) ++matched;
  } else if (empty_item_ != nil) {
    // An item that began with two blank lines ended with its marker line, if the line goes on
    // in the item's parent.
    for (std::size_t k = 0; k < tree_.spine_len() && k <= matched; ++k) {
      if (tree_.spine_at(k) != empty_item_) continue;
      while (tree_.spine_len() > k + 1) pop(start_ix);
      // A definition list whose last definition ended this way takes no more definitions.
      if (tree_[pop(empty_item_end_)].item == Item::DefinitionListDefinition) {
        ended_definition_list_ = tree_.peek_up();
      }
      // The line is read again without the closed item's indent.
      ls = LineStart(text_, start_ix);
      matched = scan_containers(ls, k);
      break;
    }
    empty_item_ = nil;
  }
  // One pop per container left unmatched, counted before popping: a definition list that closes
  // its container too takes the next one up along with it. A definition list closed here takes
  // no further terms.
  for (std::size_t n = tree_.spine_len() - matched; n > 0 && tree_.spine_len() > 0; --n) {
    std::uint32_t closed = pop(start_ix);
    if (tree_[closed].item == Item::DefinitionList) ended_definition_list_ = closed;
  }

  while (true) {
    const int first = first_byte(text_, ls);
    if (first < 0 || !kContainerStart.has(static_cast<unsigned char>(first))) break;
    if (auto marker = ls.scan_list_marker()) {
      // An item starts its indent's width, in columns, before its marker (a tab counts as
      // the columns it spans).
      std::size_t item_start = marker->position - marker->leading;
      continue_list(item_start, *marker);
      append_block(Node{.start = item_start,
                        .end = ls.ix(),
                        .item = Item::ListItem,
                        .count = static_cast<std::uint32_t>(marker->indent)});
      tree_.push();
      last_line_blank_ = false;
      if (marker->blank) return begin_item_blank(ls.ix());
      if (has(doc_.options, Options::tasklists)) {
        // The marker's range takes in a tab that the item's content begins inside.
        std::size_t marker_start = ls.ix();
        if (auto is_checked = ls.scan_task_list_marker()) {
          Node task{.start = marker_start,
                    .end = ls.ix(),
                    .item = Item::TaskListMarker,
                    .flags = static_cast<std::uint8_t>(*is_checked ? checked : 0)};
          if (scan_empty_line(text_, ls.ix())) {
            tree_.append(task);
            return begin_item_blank(ls.ix());
          }
          // The marker goes to the next paragraph that starts, wherever that is; a
          // later marker takes its place.
          pending_marker_ = tree_.add_detached(task);
        }
      }
      continue;
    }
    LineStart probe = ls;
    probe.scan_space_upto(3);
    std::size_t marker_pos = probe.ix();
    if (ls.scan_blockquote_marker()) {
      finish_list(start_ix);
      append_block(Node{.start = marker_pos, .item = Item::BlockQuote});
      tree_.push();
      open_quotes_.push_back(tree_.spine_len() - 1);
      continue;
    }
    if (has(doc_.options, Options::footnotes)) {
      LineStart footnote = ls;
      if (auto label = footnote.scan_footnote_label()) {
        finish_list(marker_pos);
        std::uint32_t top = tree_.peek_up();
        if (top != nil && tree_[top].item == Item::FootnoteDefinition) {
          // Definitions do not nest: this one closes the enclosing one, and a blank line before
          // it (or the empty rest of that one's first line) leaves the item it sits in tight.
          pop(marker_pos);
          last_line_blank_ = false;
        }
        ls = footnote;
        doc_.footnote_labels.insert(normalize_label(*label));
        std::string room;
        const std::string_view shown = doc_.own(collapse_whitespace(*label, room));
        append_block(Node{.start = marker_pos, .item = Item::FootnoteDefinition, .data = doc_.keep_text(shown)});
        tree_.push();
        // A blank line before it counts for the item it opens in (above), not for the blocks in
        // it: a list it came to sit in, after an item closed from within, stays tight.
        last_line_blank_ = false;
        continue;
      }
    }
    if (has(doc_.options, Options::definition_list) && start_definition(ls)) {
      if (scan_empty_line(text_, ls.ix())) return begin_item_blank(ls.ix());
      continue;
    }
    break;
  }

  std::size_t ix = ls.ix();
  if (auto blank = scan_empty_line(text_, ix)) {
    std::uint32_t top = tree_.peek_up();
    if (top != nil && top == begin_list_item_) {
      // An item can start with at most one blank line; it ends when content follows.
      empty_item_ = top;
    }
    begin_list_item_ = nil;
    if (top == nil || tree_[top].item != Item::BlockQuote) last_line_blank_ = true;
    return ix + *blank;
  }
  begin_list_item_ = nil;

  LineStart leaf = ls;
  std::size_t indent = leaf.scan_space_upto(4);
  if (indent >= 4) {
    finish_list(start_ix);
    return parse_indented_code(ls);
  }
  ix = leaf.ix();
  std::size_t end = ix;
  // A list ends at the start of the line, or after the indent for paragraphs and tables.
  const std::size_t line_content = start_ix;
  if (text_[ix] == '<') {
    if (auto html = scan_html_block_start(text_, ix, true)) {
      finish_list(line_content);
      end = parse_html_block(ix, indent, *html);
    }
  }
  if (end == ix) {
    if (auto rule = scan_hrule(text_, ix)) {
      finish_list(line_content);
      append_block(Node{.start = ix, .end = ix + *rule, .item = Item::Rule});
      end = ix + *rule;
    } else if (auto level = scan_atx_heading(text_, ix)) {
      finish_list(line_content);
      end = parse_atx_heading(ix, *level);
    } else if (auto fence = scan_code_fence(text_, ix)) {
      finish_list(line_content);
      end = parse_fenced_code(ix, indent, *fence);
    } else if (auto alignments = table_start(ix)) {
      finish_list_before_paragraph(ix);
      end = parse_table(ix, std::move(*alignments));
    } else if (text_[ix] == '[' && open_definition_list_ == nil && tree_.peek_up() != nil &&
               tree_[tree_.peek_up()].item == Item::List) {
      // After a list's items; after a definition list stretched over a paragraph in the list,
      // that definition list ends instead (see `finish_list`).
      end = paragraph_after_list(start_ix, ix);
    } else {
      end = paragraph_block(start_ix, ix);
    }
  }
  last_line_blank_ = false;
  return end;
}

// A paragraph, and what it does to a definition list before it: one it closes ends where its
// text begins, after any link reference definitions (where the last of them begins when nothing
// else is left); one it may extend stretches up to the next block.
std::size_t BlockParser::paragraph_block(std::size_t line_start, std::size_t ix) {
  std::uint32_t top = tree_.peek_up();
  std::uint32_t stretched = open_definition_list_;
  // A list stretched over a paragraph before this one is the list this one follows.
  std::uint32_t list = stretched == nil && top != nil && tree_[top].item == Item::DefinitionList ? top : nil;
  const std::size_t depth = tree_.spine_len();
  bool extends = finish_list_before_paragraph(ix);
  std::uint32_t before = tree_.cur();
  // The list closed its container too (which is `before` now): see `paragraph_after_closed`.
  const bool container_closed = text_[ix] == '[' && tree_.spine_len() + 2 == depth;
  std::size_t end = container_closed ? paragraph_after_closed(ix, before) : parse_paragraph(ix);
  std::uint32_t after = tree_.cur();
  if (after == before) {
    // Nothing but definitions: a term after them starts a list of its own.
    std::size_t list_end = last_refdef_line_ == std::string_view::npos ? line_start : last_refdef_line_;
    for (std::uint32_t closed : {stretched, list}) {
      if (closed == nil) continue;
      tree_[closed].end = list_end;
      ended_definition_list_ = closed;
    }
    if (extends && tree_[last_definition_list_child_].item == Item::DefinitionListDefinition) {
      close_container(list_end);
    }
    return end;
  }
  if (stretched != nil) tree_[stretched].end = tree_[after].start;
  if (!extends) {
    if (list != nil) tree_[list].end = tree_[after].start;
    return end;
  }
  // Up to the underline of a paragraph that became a heading; to a table that followed link
  // reference definitions.
  const Node& block = tree_[after];
  if (block.item == Item::Paragraph) {
    open_definition_list_ = list;
    open_definition_list_depth_ = tree_.spine_len();
  } else if (block.item == Item::Heading) {
    tree_[list].end = next_line_start(text_, doc_.content_end(block));
  } else {
    tree_[list].end = block.start;
  }
  return end;
}

// A definition list whose last definition ended empty closes its container as a paragraph
// begins, yet pulldown-cmark reads the link reference definitions opening that paragraph as if
// the container were still open: they take only the lines that would go on in it, and so does
// the line after them, which the text then begins on; from there the paragraph reads on in its
// own containers. Read once in `closed` to find where the definitions end, the paragraph is read
// again when text is left after them.
std::size_t BlockParser::paragraph_after_closed(std::size_t ix, std::uint32_t closed) {
  const std::size_t breaks = doc_.breaks.size();
  const std::uint32_t marker = pending_marker_;
  std::size_t end = parse_paragraph(ix, closed);
  std::uint32_t block = tree_.cur();
  // Nothing but definitions, or a table after them, in the paragraph's own containers.
  if (block == closed || tree_[block].item == Item::Table) return end;
  std::size_t text_start = tree_[block].start;
  tree_[closed].next = nil;
  tree_.set_cur(closed);
  doc_.breaks.resize(breaks);
  pending_marker_ = marker;
  return parse_paragraph(ix, closed, text_start);
}

// A paragraph that may open with link reference definitions ends the list where its text
// begins, after the definitions: it is read inside the list, then moved after it.
std::size_t BlockParser::paragraph_after_list(std::size_t line_start, std::size_t ix) {
  std::uint32_t last_item = tree_.cur();
  std::size_t end = parse_paragraph(ix);
  std::uint32_t para = tree_.cur();
  bool kept = para != last_item;
  if (kept) {
    tree_[last_item].next = nil;
    tree_.set_cur(last_item);
  }
  // With nothing but definitions, the list ends where the last of them begins.
  pop(kept ? tree_[para].start : last_refdef_line_ == std::string_view::npos ? line_start : last_refdef_line_);
  note_block_after_blank();
  if (kept) tree_.link(para);
  mark_had_block();
  return end;
}

// The rest of an item's first line is blank: its content, if any, starts on a later line.
std::size_t BlockParser::begin_item_blank(std::size_t ix) {
  begin_list_item_ = tree_.peek_up();
  empty_item_end_ = next_line_start(text_, ix);
  return empty_item_end_;
}

// A table starts where a line is followed by a delimiter row with as many columns as it has cells.
std::optional<std::vector<Alignment>> BlockParser::table_start(std::size_t ix, std::uint32_t reopened,
                                                               bool interrupting) {
  if (!has(doc_.options, Options::tables)) return std::nullopt;
  // A header row has a pipe that no backslash escapes, and does not end in a backslash that
  // is not itself escaped (that is a hard break). Most lines hold no pipe: the search for one
  // stops at the line's end.
  std::size_t pipe = find_byte_of(text_, ix, text_.size(), kPipeOrLineEnd);
  while (pipe < text_.size() && text_[pipe] == '|' && pipe > ix && text_[pipe - 1] == '\\') {
    pipe = find_byte_of(text_, pipe + 1, text_.size(), kPipeOrLineEnd);
  }
  if (pipe == text_.size() || text_[pipe] != '|') return std::nullopt;
  std::size_t eol = find_eol(text_, pipe);
  std::string_view line = text_.substr(ix, eol - ix);
  std::size_t last = line.find_last_not_of('\\');
  if (!interrupting && (line.size() - (last == std::string_view::npos ? 0 : last + 1)) % 2 == 1) return std::nullopt;
  // Nor is it a link reference definition, which is read first.
  if (text_[ix] == '[' && scan_refdef(InlineSource{.text = text_, .limit = eol}, ix)) return std::nullopt;
  LineStart ls(text_, ix);
  if (!continues(next_line_start(text_, ix), ls, reopened)) return std::nullopt;
  auto alignments = scan_table_delimiter_row(text_, ls.ix());
  if (!alignments || alignments->size() != count_table_cells(text_, ix)) return std::nullopt;
  return alignments;
}

bool BlockParser::interrupts_paragraph(LineStart ls, bool all_matched, bool tables, std::uint32_t reopened) {
  if (scan_blank_line(text_, ls.ix())) return true;
  LineStart probe = ls;
  if (probe.scan_space_upto(4) >= 4) return false;
  std::size_t ix = probe.ix();
  char c = text_[ix];
  if (!kInterruptStart.has(static_cast<unsigned char>(c))) return false;
  if (scan_hrule(text_, ix) || scan_atx_heading(text_, ix) || scan_code_fence(text_, ix)) return true;
  if (c == '<' && scan_html_block_start(text_, ix, false)) return true;
  if (c == '>') return true;
  if (tables && c == '|' && table_start(ix, reopened, true)) return true;
  LineStart list = ls;
  if (auto marker = list.scan_list_marker()) {
    if (!marker->blank && (marker->ch == '-' || marker->ch == '+' || marker->ch == '*' || marker->number == 1)) {
      return true;
    }
    // Inside a list, a sibling item ends the paragraph whatever its number.
    if (!all_matched) return true;
  }
  if (has(doc_.options, Options::footnotes)) {
    LineStart footnote = ls;
    if (footnote.scan_footnote_label()) return true;
  }
  if (has(doc_.options, Options::definition_list)) {
    LineStart def = ls;
    if (def.scan_definition_marker()) return true;
  }
  return false;
}

}  // namespace markdown

namespace markdown {

// Rows go on until a blank line, a line holding just a pipe, or the start of another block (any
// list item counts here, empty or not). Indentation does not count: an indented block start ends
// the table, and the line then reads as indented code.
bool BlockParser::ends_table(LineStart ls) {
  std::size_t ix = ls.ix();
  if (scan_empty_line(text_, ix)) return true;
  ls.scan_all_space();
  LineStart probe = ls;
  probe.scan_space_upto(3);
  if (text_[probe.ix()] == '|' && scan_empty_line(text_, probe.ix() + 1)) return true;
  LineStart list = ls;
  if (list.scan_list_marker()) return true;
  return interrupts_paragraph(ls, true, false);
}

}  // namespace markdown
