// What the block pass hands to the inline pass and to event emission: the tree, the link
// reference definitions, the footnote labels, and storage for payloads that are not source slices.
#pragma once

#include <forward_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "markdown/events.hpp"
#include "markdown/html_scanners.hpp"
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

struct Document {
  std::string_view text;
  Options options;
  Tree tree;
  std::unordered_map<std::string, LinkDef> link_defs;  // by normalised label; the first wins
  std::unordered_set<std::string> footnote_labels;     // normalised
  std::vector<LineBreak> breaks;                       // sorted by eol
  std::vector<std::vector<Alignment>> tables;
  std::vector<LinkInfo> links;
  std::forward_list<std::string> strings;  // allocates nothing until a string is kept
  std::size_t comments_end = 0;            // where the last inline comment read ended
  HtmlGuards html_guards;
  // The inline pass's working lists, their room kept from block to block.
  std::vector<std::uint32_t> inline_seq;
  std::vector<std::uint32_t> inline_out;

  // Keeps `s` alive for the Document's lifetime.
  std::string_view own(std::string s) {
    strings.push_front(std::move(s));
    return strings.front();
  }
  InlineSource source(std::size_t limit, bool table_cell = false) const {
    return InlineSource{.text = text, .limit = limit, .breaks = breaks, .table_cell = table_cell};
  }
};

}  // namespace markdown
