#include "transform/toc.hpp"

#include <algorithm>
#include <array>

#include "transform/walk.hpp"

namespace vyn::transform {

namespace {

constexpr std::string_view kPlaceholderName = "TableOfContents";

// A heading depth is a u8, so one counter per possible level keeps any
// depth range in bounds, not only the six levels the parser makes.
using SectionCounters = std::array<std::uint32_t, 256>;

void number_entries(std::vector<TocEntry>& entries) {
  auto lowest = std::min_element(entries.begin(), entries.end(),
                                 [](const TocEntry& a, const TocEntry& b) { return a.level < b.level; });
  const std::uint8_t base = lowest->level;
  SectionCounters counters{};
  for (auto& entry : entries) {
    const std::size_t rank = entry.level - base;
    ++counters[rank];
    std::fill(counters.begin() + static_cast<std::ptrdiff_t>(rank) + 1, counters.end(), 0);
    std::string number;
    for (std::size_t i = 0; i <= rank; ++i) {
      if (i > 0) number += '.';
      number += std::to_string(counters[i]);
    }
    entry.number = std::move(number);
  }
}

// Every node the table is made of sits at line 0, column 0, offset 0: it has
// no place in the source.
ast::Node make_item(const TocEntry& entry) {
  std::string label = entry.number ? *entry.number + " " + entry.text : entry.text;
  ast::LinkNode link{entry.id ? "#" + *entry.id : std::string(), std::nullopt, {}, {}};
  link.children.push_back(ast::make_text(std::move(label), {}));
  ast::StandardBlockNode item;
  item.depth = entry.level;
  item.children.push_back(ast::make_node(ast::NodeKind::Link, std::move(link)));
  return ast::make_node(ast::NodeKind::ListItem, std::move(item));
}

ast::Node make_table(const std::vector<TocEntry>& entries) {
  ast::NodeList items;
  items.reserve(entries.size());
  for (const auto& entry : entries) items.push_back(make_item(entry));
  ast::ComponentNode table;
  table.name = kPlaceholderName;
  table.children.push_back(ast::make_block(ast::NodeKind::List, std::move(items), {}));
  return ast::make_node(ast::NodeKind::Component, std::move(table));
}

bool is_placeholder(const ast::Node& node) {
  if (node.kind != ast::NodeKind::Component) return false;
  const auto& component = node.as<ast::ComponentNode>();
  return component.name == kPlaceholderName && component.children.empty();
}

}  // namespace

void TableOfContents::collect_headings(const ast::Node& node, std::vector<TocEntry>& entries) const {
  if (node.kind != ast::NodeKind::Heading) return;
  const auto& heading = node.as<ast::StandardBlockNode>();
  if (!heading.depth || *heading.depth < min_depth || *heading.depth > max_depth) return;
  entries.push_back({collect_text(heading.children), heading.id, std::nullopt, *heading.depth});
}

void TableOfContents::transform(ast::Root& root, std::string_view) const {
  std::vector<TocEntry> entries;
  walk(root.children, [&](const ast::Node& node) { collect_headings(node, entries); });
  if (entries.empty()) return;
  if (numbered) number_entries(entries);

  auto& children = root.children;
  auto placeholder = std::find_if(children.begin(), children.end(), is_placeholder);
  if (placeholder != children.end())
    *placeholder = make_table(entries);
  else if (auto_insert)
    children.insert(children.begin(), make_table(entries));
}

}  // namespace vyn::transform
