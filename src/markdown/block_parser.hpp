// The block pass: reads the text line by line into the tree of containers and leaf blocks, and
// splits each line of inline content into raw inline items for the inline pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "markdown/document.hpp"
#include "markdown/line_start.hpp"
#include "markdown/scanners.hpp"

namespace markdown {

void parse_blocks(Document& doc);

// The empty cells that the short rows of one table may be filled up with, as in pulldown-cmark.
inline constexpr std::size_t kMaxFilledCells = std::size_t{1} << 18;

// How one line of inline content ended.
struct LineEnd {
  std::size_t text_start;  // start of the not yet appended text
  std::size_t eol;         // the line ending, or the limit
  std::size_t trimmed;     // end of the text without trailing spaces and tabs
  std::size_t hard_start;  // start of a hard break (spaces or backslash), or npos
  bool backslash_break;
  bool cell_end;  // stopped at a table pipe
};

class BlockParser {
 public:
  explicit BlockParser(Document& doc) : doc_(doc), tree_(doc.tree), text_(doc.text) {}
  void run();

 private:
  // A definition list still open whose last definition was closed from within: the blocks that
  // follow are read into the list after that definition.
  struct PassedList {
    std::uint32_t list;
    std::uint32_t definition;
  };

  // Containers (block_parser.cpp).
  std::size_t parse_block(std::size_t start_ix);
  // Matches the line against the open containers (the first `limit` of them); returns how many
  // it continues.
  std::size_t scan_containers(LineStart& ls, std::size_t limit = static_cast<std::size_t>(-1));
  std::uint32_t append_block(const Node& node);
  void note_block_after_blank();
  // Records that the open container holds a block (which may have left no node).
  void mark_had_block() {
    if (tree_.peek_up() != nil) tree_[tree_.peek_up()].flags |= had_block;
  }
  // `keep_container`: a definition list ending here leaves its container open.
  std::uint32_t pop(std::size_t ix, bool keep_container = false);
  void finish_list(std::size_t ix, bool keep_container = false);
  // Returns whether the paragraph may extend the definition list before it.
  bool finish_list_before_paragraph(std::size_t ix);
  // The innermost list closed from within, if it is `list`.
  const PassedList* passed_list(std::uint32_t list) const;
  // Whether `list` is a definition list that takes further terms and definitions: not once
  // closed as an unmatched container, nor once blocks are read into it after a definition closed
  // from within.
  bool takes_terms(std::uint32_t list) const;
  // Returns what kind of container it closed (a paragraph: none).
  Item close_container(std::size_t ix);
  void continue_list(std::size_t start, const ListMarker& marker);
  bool start_definition(LineStart& ls);
  // `tables`: whether a table header line counts (not inside a table, where it is a row).
  // `reopened`: a closed container that lines go on in as well (see `paragraph_after_closed`).
  bool interrupts_paragraph(LineStart ls, bool all_matched, bool tables = true, std::uint32_t reopened = nil);
  // `interrupting`: whether the line ends a paragraph before it, which a header row that ends in a
  // hard break does too, though no table follows.
  std::optional<std::vector<Alignment>> table_start(std::size_t ix, std::uint32_t reopened = nil,
                                                    bool interrupting = false);
  std::size_t begin_item_blank(std::size_t ix);
  std::size_t paragraph_after_list(std::size_t line_start, std::size_t ix);
  std::size_t paragraph_block(std::size_t line_start, std::size_t ix);
  std::size_t paragraph_after_closed(std::size_t ix, std::uint32_t closed);
  bool ends_table(LineStart ls);

  // Leaf blocks (leaf_blocks.cpp).
  // `closed`: a container closed as the paragraph began; the lines that start up to
  // `closed_until` are read as if it were still open, and link reference definitions only up
  // there (see `paragraph_after_closed`).
  std::size_t parse_paragraph(std::size_t ix, std::uint32_t closed = nil,
                              std::size_t closed_until = static_cast<std::size_t>(-1));
  std::size_t parse_atx_heading(std::size_t ix, unsigned level);
  std::size_t parse_indented_code(LineStart ls);
  std::size_t parse_fenced_code(std::size_t ix, std::size_t indent, Fence fence);
  std::size_t parse_html_block(std::size_t ix, std::size_t indent, HtmlBlockStart start);
  std::size_t parse_table(std::size_t ix, std::vector<Alignment> alignments);
  // A row; where the next line begins, or nothing when the row lacks more cells than `fill_left`
  // (the cells its table may still fill rows with) has left.
  std::optional<std::size_t> parse_table_row(std::size_t ix, std::size_t columns, bool head, std::size_t& fill_left);
  // Definitions are read up to `limit` at most.
  void strip_refdefs(std::uint32_t paragraph, std::uint32_t prev_sibling, bool keep, std::size_t limit);
  bool blank_after_refdefs(LineStart ls);
  std::size_t read_refdefs(std::size_t start, std::size_t limit, bool define);
  // Whether the line at `line_start` continues every open container, and `reopened`; `ls` is
  // left after them.
  bool continues(std::size_t line_start, LineStart& ls, std::uint32_t reopened = nil);
  void append_code_text(std::size_t start, std::size_t end, std::size_t pad);

  // Inline items of one line (line_inlines.cpp).
  LineEnd parse_line(std::size_t ix, std::size_t limit, bool table_cell);
  void append_text(std::size_t start, std::size_t end);
  // Only blocks holding brackets, backticks, `<` or delimiter runs need the inline pass.
  void mark_needs_inline() { tree_[tree_.peek_up()].flags |= needs_inline; }
  void scan_delimiter_run(std::size_t& ix, std::size_t line_start, std::size_t limit, std::size_t& text_start,
                          bool table_cell);

  Document& doc_;
  Tree& tree_;
  std::string_view text_;
  bool last_line_blank_ = false;
  std::uint32_t begin_list_item_ = nil;         // an item whose first line held only its marker
  std::uint32_t open_definition_list_ = nil;    // a closed definition list whose end is still to come
  std::size_t open_definition_list_depth_ = 0;  // the spine's length above its container
  std::vector<std::size_t> open_quotes_;        // spine positions of the open block quotes
  std::uint32_t pending_marker_ = nil;          // a task-list marker waiting for the next paragraph
  std::uint32_t empty_item_ = nil;              // an item closed by a second blank line, ending at:
  std::size_t empty_item_end_ = 0;
  // The definition list closed last and its last child, for a term that extends it again.
  std::uint32_t last_definition_list_ = nil;
  std::uint32_t last_definition_list_child_ = nil;
  std::uint32_t ended_definition_list_ = nil;  // takes no further definitions
  std::vector<PassedList> passed_lists_;       // innermost last
  std::size_t line_content_start_ = 0;
  std::size_t last_refdef_line_ = 0;  // where the last definition that strip_refdefs read began
};

}  // namespace markdown
