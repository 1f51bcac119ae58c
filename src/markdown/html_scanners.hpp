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
  int raw_at(std::size_t i) const { return i < limit || i < raw_limit ? static_cast<unsigned char>(text[i]) : -1; }
  // Position after the byte at i; past a line ending, the next line's content.
  std::size_t advance(std::size_t i) const;
  // i at a line ending: where the next line's content begins.
  std::size_t after_eol(std::size_t i) const;
};

// Memo of searches for closers of comments and the like that failed; a later search from a
// further position would fail too, so it is not repeated (keeps inline HTML linear).
struct HtmlGuards {
  std::size_t comment = static_cast<std::size_t>(-1);
  std::size_t processing = static_cast<std::size_t>(-1);
  std::size_t declaration = static_cast<std::size_t>(-1);
  std::size_t cdata = static_cast<std::size_t>(-1);
  // A CDATA section searched from before this position ends at a `]` run that no `>` follows.
  std::size_t cdata_broken_before = 0;
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
