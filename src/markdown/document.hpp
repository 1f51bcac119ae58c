// What the block pass hands to the inline pass and to event emission: the tree, the link
// reference definitions, the footnote labels, and storage for payloads that are not source slices.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "markdown/chars.hpp"
#include "markdown/events.hpp"
#include "markdown/html_scanners.hpp"
#include "markdown/inline_room.hpp"
#include "markdown/tree.hpp"

namespace markdown {

struct LinkDef {
  std::string_view dest;
  std::string_view title;
};

struct LinkInfo {
  LinkType type;
  std::string_view dest;
  std::string_view title;
  std::string_view id;
};

// Copies of payload texts that are not slices of the source, packed into blocks that never move:
// a dense document keeps one for every few dozen bytes (link destinations, entities, labels).
class TextStore {
 public:
  std::string_view keep(std::string_view s) {
    if (s.empty()) return std::string_view("", 0);
    if (s.size() > room_) grow(s.size());
    char* at = free_;
    std::memcpy(at, s.data(), s.size());
    free_ += s.size();
    room_ -= s.size();
    return {at, s.size()};
  }

 private:
  void grow(std::size_t need) {
    block_ = std::min<std::size_t>(block_ * 2, std::size_t{64} << 10);
    const std::size_t size = std::max(need, block_);
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
    free_ = blocks_.back().get();
    room_ = size;
  }

  std::vector<std::unique_ptr<char[]>> blocks_;  // allocates nothing until a text is kept
  char* free_ = nullptr;
  std::size_t room_ = 0;
  std::size_t block_ = 128;
};

struct Document {
  // Room for a node per four bytes, as dense Markdown (lists, tables, links) takes: regrowing the
  // arena would copy it and touch twice its memory, while room never used is never touched.
  // The side tables likewise get room for as many entries as a dense document holds.
  Document(std::string_view text, Options options) : text(text), options(options), tree(text.size() / 4) {
    breaks.reserve(text.size() / 64);
    links.reserve(text.size() / 128);
    texts.reserve(text.size() / 64);
    content_ends.reserve(text.size() / 32);
  }

  std::string_view text;
  Options options;
  Tree tree;
  std::unordered_map<std::string, LinkDef> link_defs;  // by normalised label; the first wins
  std::unordered_set<std::string> footnote_labels;     // normalised
  std::vector<LineBreak> breaks;                       // sorted by eol
  std::size_t break_cursor = 0;                        // where the inline pass last looked in `breaks`
  std::vector<std::vector<Alignment>> tables;
  std::vector<LinkInfo> links;
  TextStore strings;
  std::size_t comments_end = 0;  // where the last inline comment read ended
  HtmlGuards html_guards;
  InlineRoom inline_room;

  // The nodes' payload texts that are not their own range of the source, and the ends of the
  // inline source of blocks (see Node::data).
  std::vector<std::string_view> texts;
  std::vector<std::size_t> content_ends;

  // A copy of `s` that lives as long as the Document; a slice of the source needs none.
  std::string_view own(std::string_view s) { return is_slice_of(s, text) ? s : strings.keep(s); }

  // `n` spaces (the columns of a partly used tab, a block's indent: a few).
  std::string_view spaces(std::size_t n) {
    static constexpr std::string_view kSpaces = "    ";
    return n <= kSpaces.size() ? kSpaces.substr(0, n) : own(std::string(n, ' '));
  }

  // The payload text of a text, code, HTML or footnote-reference node.
  std::string_view text_of(const Node& node) const {
    return node.data == nil ? std::string_view(text.data() + node.start, node.end - node.start) : texts[node.data];
  }
  // Sets it once the node's range is final: its own range of the source takes no room.
  void set_text(Node& node, std::string_view s) {
    node.data = s.data() == text.data() + node.start && s.size() == node.end - node.start ? nil : keep_text(s);
  }
  // A block's label or info string, kept whatever it is.
  std::uint32_t keep_text(std::string_view s) {
    texts.push_back(s);
    return static_cast<std::uint32_t>(texts.size() - 1);
  }
  // A table cell's inline source ends with it.
  std::size_t content_end(const Node& block) const { return block.data == nil ? block.end : content_ends[block.data]; }
  void set_content_end(Node& block, std::size_t end) {
    if (block.data == nil) {
      block.data = static_cast<std::uint32_t>(content_ends.size());
      content_ends.push_back(end);
    } else {
      content_ends[block.data] = end;
    }
  }
  InlineSource source(std::size_t limit, bool table_cell = false) const {
    return InlineSource{.text = text, .limit = limit, .breaks = breaks, .table_cell = table_cell};
  }
};

}  // namespace markdown
