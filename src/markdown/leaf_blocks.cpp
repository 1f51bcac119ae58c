// Leaf blocks of the block pass: paragraphs and setext headings, ATX headings, code blocks, HTML
// blocks and tables. Each consumes its lines up to where the next block begins.
#include <algorithm>
#include <string>
#include <utility>

#include "markdown/block_parser.hpp"
#include "markdown/chars.hpp"
#include "markdown/link_syntax.hpp"

namespace markdown {

namespace {

// Code and HTML blocks split lines at line feeds only; a lone CR is content there.
std::size_t find_lf(std::string_view text, std::size_t ix) {
  std::size_t lf = text.find('\n', ix);
  return lf == std::string_view::npos ? text.size() : lf;
}
std::size_t next_lf_line(std::string_view text, std::size_t ix) {
  std::size_t lf = find_lf(text, ix);
  return lf < text.size() ? lf + 1 : lf;
}

std::size_t skip_blanks(std::string_view text, std::size_t ix, std::size_t limit) {
  while (ix < limit && is_blank_char(static_cast<unsigned char>(text[ix]))) ++ix;
  return ix;
}

}  // namespace

bool BlockParser::continues(std::size_t line_start, LineStart& ls, std::uint32_t reopened) {
  ls = LineStart(text_, line_start);
  return line_start < text_.size() && scan_containers(ls) == tree_.spine_len() &&
         (reopened == nil || ls.scan_continuation(tree_[reopened]));
}

void BlockParser::append_code_text(std::size_t start, std::size_t end, std::size_t pad) {
  // The columns left of a tab the indent took in part come first, even on a last line with
  // nothing after them.
  if (pad > 0) {
    tree_.append(Node{.start = start, .end = start, .item = Item::Text, .data = doc_.keep_text(doc_.spaces(pad))});
  }
  if (end >= start + 2 && text_[end - 2] == '\r') {
    // A CRLF line ending reaches code as its line feed alone. Any line whose next to last
    // byte is a CR loses it the same way: a last line ending in two CRs keeps only one.
    append_text(start, end - 2);
    append_text(end - 1, end);
    return;
  }
  append_text(start, end);
}

std::size_t BlockParser::parse_paragraph(std::size_t ix, std::uint32_t closed, std::size_t closed_until) {
  std::uint32_t prev = tree_.cur();
  std::uint32_t para = append_block(Node{.start = ix, .item = Item::Paragraph});
  tree_.push();
  if (pending_marker_ != nil) {
    tree_.link(pending_marker_);
    pending_marker_ = nil;
  }
  std::size_t end;
  // While the lines read may all be link reference definitions (checked once, when it matters).
  bool only_refdefs = text_[ix] == '[';
  // Whether the text goes on past its definitions, if only with an empty line.
  bool after_refdefs = false;
  // A table that follows the definitions: its header line and alignments.
  std::pair<std::size_t, std::vector<Alignment>> table;
  // Whether the text up to `eol` is all link reference definitions.
  auto all_refdefs = [&](std::size_t eol) {
    return read_refdefs(tree_[para].start, std::min(eol, closed_until), false) >= eol;
  };
  while (true) {
    line_content_start_ = ix;
    LineEnd line = parse_line(ix, text_.size(), false);
    std::size_t eol = line.eol;
    std::size_t next = eol + scan_eol(text_, eol);
    LineStart ls(text_, next);
    bool more = next < text_.size();
    bool all = false;
    const std::uint32_t reopened = next <= closed_until ? closed : nil;
    bool blank_text = false;  // the next line is blank but goes on the text after definitions
    std::optional<SetextUnderline> underline;
    if (more) {
      all = continues(next, ls, reopened);
      LineStart probe = ls;
      if (probe.scan_space_upto(4) < 4) underline = scan_setext_underline(text_, probe.ix());
      // Text made only of definitions is no heading.
      if (underline && all && (after_refdefs || !all_refdefs(eol))) {
        append_text(line.text_start, line.backslash_break ? eol : line.trimmed);
        tree_[para].item = Item::Heading;
        tree_[para].count = underline->level;
        doc_.set_content_end(tree_[para], eol);
        end = probe.ix() + underline->length;
        tree_.pop();
        tree_[para].end = end;
        strip_refdefs(para, prev, after_refdefs, closed_until);
        return end;
      }
      if (only_refdefs && blank_after_refdefs(ls) && all_refdefs(eol)) {
        // Such a line is read as the first of the text after the definitions.
        only_refdefs = false;
        after_refdefs = blank_text = more = true;
      } else {
        more = !interrupts_paragraph(ls, all, true, reopened);
      }
      if (more && only_refdefs) {
        // After definitions, a table may start as if no paragraph had, in the paragraph's own
        // containers even from a lazy or indented line.
        LineStart probe = ls;
        probe.scan_all_space();
        if (auto alignments = table_start(probe.ix())) {
          only_refdefs = all_refdefs(eol);
          if (only_refdefs) {
            more = false;
            table = {probe.ix(), std::move(*alignments)};
          }
        }
      }
    }
    if (!more) {
      append_text(line.text_start, line.backslash_break ? eol : line.trimmed);
      doc_.set_content_end(tree_[para], eol);
      end = next;
      break;
    }
    if (line.hard_start != std::string_view::npos) {
      append_text(line.text_start, line.backslash_break ? line.hard_start : line.trimmed);
      tree_.append(Node{.start = line.hard_start, .end = next, .item = Item::HardBreak});
    } else {
      append_text(line.text_start, line.trimmed);
      tree_.append(Node{.start = eol, .end = next, .item = Item::SoftBreak});
    }
    doc_.breaks.push_back(LineBreak{eol, ls.ix(), underline.has_value()});
    ix = skip_blanks(text_, ls.ix(), text_.size());
    if (blank_text) {
      // That blank line is read whole, so two or more blanks in it make a hard break.
      while (ix > next && is_blank_char(static_cast<unsigned char>(text_[ix - 1]))) --ix;
    }
  }
  tree_.pop();
  tree_[para].end = end;
  strip_refdefs(para, prev, after_refdefs, closed_until);
  return table.second.empty() ? end : parse_table(table.first, std::move(table.second));
}

// A blank line with four columns or more past the container prefix it has.
bool BlockParser::blank_after_refdefs(LineStart ls) {
  return scan_empty_line(text_, ls.ix()) && ls.scan_space_upto(4) >= 4;
}

// Reads the link reference definitions that open a paragraph's text [start, limit), registering
// them when `define`; returns where the text after them begins (`limit` when nothing is left).
std::size_t BlockParser::read_refdefs(std::size_t start, std::size_t limit, bool define) {
  InlineSource src = doc_.source(limit);
  std::size_t ix = start;
  std::size_t previous_end = 0;
  last_refdef_line_ = std::string_view::npos;
  while (src.at(ix) == '[') {
    auto def = scan_refdef(src, ix);
    if (!def) break;
    if (ix != start) last_refdef_line_ = next_line_start(text_, previous_end);
    previous_end = def->end;
    if (define) {
      // The first definition of a label wins: a later one keeps no copies.
      if (auto [it, added] = doc_.link_defs.try_emplace(std::move(def->label)); added) {
        it->second = LinkDef{doc_.own(def->dest.view()), doc_.own(def->title.view())};
      }
    }
    ix = def->end < limit ? skip_blanks(text_, src.after_eol(def->end), limit) : limit;
  }
  return ix;
}

// Link reference definitions at the start of a paragraph define links and leave no trace; the
// paragraph then starts after them, or disappears unless `keep`.
void BlockParser::strip_refdefs(std::uint32_t para, std::uint32_t prev_sibling, bool keep, std::size_t limit) {
  Node& node = tree_[para];
  std::size_t ix = read_refdefs(node.start, std::min(doc_.content_end(node), limit), true);
  if (ix == node.start) return;
  std::uint32_t marker = node.child != nil && tree_[node.child].item == Item::TaskListMarker ? node.child : nil;
  std::uint32_t child = marker == nil ? node.child : tree_[marker].next;
  while (child != nil && tree_[child].end <= ix) child = tree_[child].next;
  if (child == nil && ix >= doc_.content_end(node) && !keep) {
    if (marker != nil) pending_marker_ = marker;
    // Nothing but definitions: drop the paragraph from its parent, which still counts it.
    mark_had_block();
    std::uint32_t parent = tree_.peek_up();
    if (prev_sibling == nil) {
      tree_[parent == nil ? 0 : parent].child = nil;
    } else {
      tree_[prev_sibling].next = nil;
    }
    tree_.set_cur(prev_sibling);
    return;
  }
  if (marker != nil) {
    tree_[marker].next = child;
    child = marker;
  }
  tree_[para].child = child;
  tree_[para].start = ix;
}

std::size_t BlockParser::parse_atx_heading(std::size_t ix, unsigned level) {
  std::size_t eol = find_eol(text_, ix);
  std::size_t end = eol + scan_eol(text_, eol);
  std::size_t content_start = skip_line_space(text_, ix + level, eol);
  // Only spaces end the content: a tab before the line end or the closing #s stays text.
  std::size_t content_end = eol;
  while (content_end > content_start && text_[content_end - 1] == ' ') --content_end;
  std::size_t hashes = content_end;
  while (hashes > content_start && text_[hashes - 1] == '#') --hashes;
  const bool closed = hashes < content_end && (hashes == content_start || text_[hashes - 1] == ' ');
  if (closed) {
    content_end = hashes;
    while (content_end > content_start && text_[content_end - 1] == ' ') --content_end;
  }
  // White space left at the end (a tab, vertical tab or form feed is in it) is read as part of
  // the last item.
  std::size_t inline_end = content_end;
  while (inline_end > content_start && is_line_space(static_cast<unsigned char>(text_[inline_end - 1]))) {
    --inline_end;
  }
  doc_.set_content_end(tree_[append_block(Node{.start = ix, .end = end, .item = Item::Heading, .count = level})],
                       content_end);
  tree_.push();
  if (content_start < inline_end) {
    line_content_start_ = content_start;
    LineEnd line = parse_line(content_start, inline_end, false);
    append_text(line.text_start, line.eol);
    if (closed && line.text_start == inline_end) {
      // Before a closing sequence, content that ends in syntax leaves an empty text.
      tree_.append(Node{.start = inline_end, .end = inline_end, .item = Item::Text});
    }
    // A text that is its own range of the source takes the white space in; another one keeps
    // its text.
    if (inline_end < content_end) tree_[tree_.cur()].end = content_end;
  }
  tree_.pop();
  return end;
}

std::size_t BlockParser::parse_indented_code(LineStart ls) {
  ls.scan_space_upto(4);
  append_block(Node{.start = ls.ix(), .item = Item::CodeBlock});
  tree_.push();
  struct Pending {
    std::size_t start, end, pad;
  };
  std::vector<Pending> blank_lines;
  std::size_t end = 0;
  std::size_t line = 0;
  while (true) {
    std::size_t next = next_lf_line(text_, ls.ix());
    for (const Pending& blank : blank_lines) append_code_text(blank.start, blank.end, blank.pad);
    blank_lines.clear();
    append_code_text(ls.ix(), next, ls.spaces_remaining());
    end = next;
    line = next;
    bool more = false;
    while (continues(line, ls)) {
      LineStart indent = ls;
      const bool indented = indent.scan_space_upto(4) >= 4;
      // Past the indent, a line of vertical tabs and form feeds waits like a blank one: it goes
      // with the code only if more code follows.
      if (scan_blank_line(text_, ls.ix()) || (indented && scan_empty_line(text_, indent.ix()))) {
        std::size_t after = next_lf_line(text_, indent.ix());
        blank_lines.push_back(Pending{indent.ix(), after, indent.spaces_remaining()});
        line = after;
        continue;
      }
      if (indented) {
        ls = indent;
        more = true;
      }
      break;
    }
    if (!more) break;
  }
  tree_.pop();
  tree_[tree_.cur()].end = end;
  // The blank lines after the code are read with it, up to their line feeds: a line that
  // looks blank because a lone CR ends it takes the rest of its line along.
  last_line_blank_ = !blank_lines.empty();
  return line;
}

std::size_t BlockParser::parse_fenced_code(std::size_t ix, std::size_t indent, Fence fence) {
  // The info string runs to the line feed; spaces, tabs and CRs around it go.
  std::size_t eol = find_lf(text_, ix);
  std::size_t info_start = skip_line_space(text_, ix + fence.count, eol);
  std::size_t info_end = eol;
  while (info_end > info_start &&
         (is_line_space(static_cast<unsigned char>(text_[info_end - 1])) || text_[info_end - 1] == '\r')) {
    --info_end;
  }
  // CRs go, but only after escapes are read: a backslash before a CR escapes nothing.
  std::string info;
  std::string_view raw = text_.substr(info_start, info_end - info_start);
  for (std::size_t i = 0; i < raw.size();) {
    std::size_t cr = std::min(raw.find('\r', i), raw.size());
    info += unescape(raw.substr(i, cr - i));
    i = cr + 1;
  }
  append_block(Node{.start = ix, .item = Item::CodeBlock, .flags = fenced, .data = doc_.keep_text(doc_.own(info))});
  tree_.push();
  std::size_t line = next_lf_line(text_, eol);
  std::size_t end = line;
  std::size_t resume = line;
  LineStart ls(text_, line);
  while (true) {
    if (!continues(line, ls)) {
      end = resume = line;
      break;
    }
    LineStart probe = ls;
    if (probe.scan_space_upto(4) < 4) {
      if (auto closing = scan_closing_fence(text_, probe.ix(), fence)) {
        end = probe.ix() + *closing;
        resume = end + scan_eol(text_, end);
        break;
      }
      // A last line of fewer than four columns of indent and nothing more holds no code.
      if (probe.ix() == text_.size()) {
        end = resume = text_.size();
        break;
      }
    }
    ls.scan_space_upto(indent);
    std::size_t next = next_lf_line(text_, ls.ix());
    append_code_text(ls.ix(), next, ls.spaces_remaining());
    line = next;
  }
  tree_.pop();
  tree_[tree_.cur()].end = end;
  return resume;
}

std::size_t BlockParser::parse_html_block(std::size_t ix, std::size_t indent, HtmlBlockStart start) {
  append_block(Node{.start = ix, .item = Item::HtmlBlock});
  tree_.push();
  if (indent > 0) {
    tree_.append(Node{.start = ix, .end = ix, .item = Item::Text, .data = doc_.keep_text(doc_.spaces(indent))});
  }
  std::size_t line = ix;
  std::size_t end;   // of the block's range
  std::size_t next;  // where the line after the block begins
  LineStart ls(text_, ix);
  while (true) {
    std::size_t lf = find_lf(text_, line);
    next = end = next_lf_line(text_, line);
    std::size_t eol = lf > line && text_[lf - 1] == '\r' && lf < text_.size() ? lf - 1 : lf;
    if (end >= line + 2 && text_[end - 2] == '\r') {
      // As in code, a CR before the line's last byte goes and that byte becomes a line of its own.
      tree_.append(Node{.start = line, .end = end - 2, .item = Item::Html});
      tree_.append(Node{.start = end - 1, .end = end, .item = Item::Html});
    } else {
      tree_.append(Node{.start = line, .end = end, .item = Item::Html});
    }
    if (start.kind <= 5 && line_contains_html_end(text_, line, eol, start.end_marker)) break;
    if (!continues(next, ls)) break;
    line = ls.ix();
    // The range reaches over the prefix of a blank line with white space beyond that prefix
    // (the line still ends the block), and of a last line that holds nothing more.
    if (start.kind >= 6 && scan_empty_line(text_, line)) {
      if (line < text_.size() && is_line_space(static_cast<unsigned char>(text_[line]))) end = line;
      break;
    }
    if (line == text_.size()) {
      end = line;
      break;
    }
    if (ls.spaces_remaining() > 0) {
      // The columns of a tab the container prefix did not use.
      tree_.append(Node{
          .start = line, .end = line, .item = Item::Text, .data = doc_.keep_text(doc_.spaces(ls.spaces_remaining()))});
    }
  }
  tree_.pop();
  tree_[tree_.cur()].end = end;
  return next;
}

std::size_t BlockParser::parse_table(std::size_t ix, std::vector<Alignment> alignments) {
  // A table starts as a paragraph would, and takes a waiting task-list marker with it, unshown.
  pending_marker_ = nil;
  std::size_t columns = alignments.size();
  doc_.tables.push_back(std::move(alignments));
  std::uint32_t table =
      append_block(Node{.start = ix, .item = Item::Table, .data = static_cast<std::uint32_t>(doc_.tables.size() - 1)});
  tree_.push();
  std::size_t fill_left = kMaxFilledCells;
  std::size_t end = *parse_table_row(ix, columns, true, fill_left);
  LineStart ls(text_, end);
  continues(end, ls);
  std::size_t line = next_line_start(text_, ls.ix());
  end = line;
  while (continues(line, ls) && !ends_table(ls)) {
    auto next = parse_table_row(skip_blanks(text_, ls.ix(), text_.size()), columns, false, fill_left);
    if (!next) {
      // Out of cells to fill rows with, the table gives up as the reference parser does: the row
      // ends where its line begins, and the table stays open as a container that every line
      // continues, in which that line and those after it are read again as blocks.
      tree_[tree_.cur()].end = line;
      return line;
    }
    end = line = *next;
  }
  tree_.pop();
  tree_[table].end = end;
  return end;
}

std::optional<std::size_t> BlockParser::parse_table_row(std::size_t ix, std::size_t columns, bool head,
                                                        std::size_t& fill_left) {
  std::size_t eol = find_eol(text_, ix);
  std::size_t end = eol + scan_eol(text_, eol);
  tree_.append(Node{.start = ix, .end = end, .item = head ? Item::TableHead : Item::TableRow});
  tree_.push();
  std::size_t i = skip_blanks(text_, ix, eol);
  if (i < eol && text_[i] == '|') ++i;
  std::size_t cells = 0;
  while (true) {
    std::uint32_t prev = tree_.cur();
    std::uint32_t cell = tree_.append(Node{.start = i, .item = Item::TableCell});
    tree_.push();
    line_content_start_ = i;
    LineEnd line = parse_line(skip_line_space(text_, i, eol), eol, true);
    append_text(line.text_start, line.trimmed);
    tree_.pop();
    tree_[cell].end = line.eol;  // where its inline source ends too
    if (cells < columns) {
      ++cells;
    } else {
      tree_[prev].next = nil;
      tree_.set_cur(prev);
    }
    if (!line.cell_end) break;
    i = line.eol + 1;
    if (skip_line_space(text_, i, eol) == eol) break;
  }
  // The cells a short row lacks: one node stands for all of them.
  std::size_t missing = columns - cells;
  std::size_t filled = std::min(missing, fill_left);
  fill_left -= filled;
  if (filled > 0) {
    tree_.append(Node{.start = end, .end = end, .item = Item::TableCell, .count = static_cast<std::uint32_t>(filled)});
  }
  tree_.pop();
  if (filled < missing) return std::nullopt;
  return end;
}

}  // namespace markdown
