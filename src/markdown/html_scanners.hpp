// Recognisers for inline constructs that may run over several lines of a block: HTML tags,
// comments and the like, autolinks. Inside containers a line's prefix (`> `, item indent) is not
// part of the construct, so scanning hops from a line ending to the next line's content.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace markdown {

class Tree;

// A line ending inside a block and where the following line's content begins, past the
// container prefix (indentation beyond the prefix is content).
struct LineBreak {
  std::size_t eol;
  std::size_t next;
  // The following line could underline a setext heading, even if it is lazy: a link reference
  // definition's destination or title does not read on into it.
  bool underline = false;
};

// The source of one block's inline content: bytes up to `limit`, line breaks hopping per `breaks`
// (sorted by eol; a line ending without an entry continues right after it).
struct InlineSource {
  std::string_view text;
  std::size_t limit;
  std::span<const LineBreak> breaks = {};
  // Table cells: a backslash right before a pipe is not part of link syntax's payloads.
  bool table_cell = false;
  // A paragraph of a tight list item reads on past its own end into the item's later blocks
  // (up to `limit`); from `own_end` on, line endings hop over the prefixes of `containers`
  // (the paragraph's, outermost first) instead.
  std::size_t own_end = static_cast<std::size_t>(-1);
  const Tree* tree = nullptr;
  std::span<const std::uint32_t> containers = {};
  // Comments and the like, which read the source as it stands, may read on to here (over a
  // setext heading's underline).
  std::size_t raw_limit = 0;

  int at(std::size_t i) const { return i < limit ? static_cast<unsigned char>(text[i]) : -1; }
  std::size_t raw_end() const { return limit > raw_limit ? limit : raw_limit; }
  int raw_at(std::size_t i) const { return i < raw_end() ? static_cast<unsigned char>(text[i]) : -1; }
  // Position after the byte at i; past a line ending, the next line's content.
  std::size_t advance(std::size_t i) const {
    int c = at(i);
    return c == '\n' || c == '\r' ? after_eol(i) : i + 1;
  }
  // i at a line ending: where the next line's content begins.
  std::size_t after_eol(std::size_t i) const;
  // i at a line ending: whether the next line could underline a setext heading.
  bool underline_after(std::size_t i) const;
  // The entry of the line ending at i, if it has one.
  const LineBreak* break_at(std::size_t i) const;
};

// A span of the text known to hold no closer of some kind: a search for one that lies within it
// fails without reading it again.
struct ClosedSpan {
  std::size_t from = static_cast<std::size_t>(-1);
  std::size_t until = 0;
  bool covers(std::size_t start, std::size_t end) const { return from <= start && end <= until; }
  // Whether a search that ends at `end` fails, wherever it starts: one from before `from` comes
  // after this span's search only where a tight item's later paragraphs were read first, and
  // such a search fails as well.
  bool ends_within(std::size_t end) const { return from <= until && end <= until; }
};

// Memo of searches for closers of comments and the like that failed, kept for the whole
// document: a later search within the span an earlier one read fails too, so it is not repeated
// (keeps inline HTML linear, also where a tight list item's paragraphs read on to its end).
struct HtmlGuards {
  ClosedSpan comment;
  ClosedSpan processing;
  ClosedSpan declaration;
  ClosedSpan cdata;
  // CDATA sections that start in this span end at a `]` run that no `>` follows.
  ClosedSpan cdata_broken;
};

std::optional<std::size_t> scan_open_tag(const InlineSource& src, std::size_t ix);
std::optional<std::size_t> scan_closing_tag(const InlineSource& src, std::size_t ix);
// Any inline HTML at ix ('<'): its end.
std::optional<std::size_t> scan_inline_html(const InlineSource& src, std::size_t ix, HtmlGuards& guards);

struct Autolink {
  std::size_t end;  // past '>'
  bool email;
};
std::optional<Autolink> scan_autolink(std::string_view text, std::size_t ix, std::size_t limit);

}  // namespace markdown
