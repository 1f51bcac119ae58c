#include "transform/toc.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builders.hpp"
#include "transform/slug.hpp"

namespace vyn::transform {
namespace {

using namespace vyn::testing;

// One listed entry as the table shows it.
struct Item {
  std::string label;
  std::string url;
  std::uint8_t depth;
  bool operator==(const Item&) const = default;
};

std::vector<Item> items_of(const Node& table) {
  const auto& component = table.as<ast::ComponentNode>();
  EXPECT_EQ(component.name, "TableOfContents");
  EXPECT_EQ(component.children.size(), 1u);
  std::vector<Item> items;
  for (const auto& item : *component.children.front().children()) {
    const auto& link = item.children()->front().as<ast::LinkNode>();
    items.push_back({std::string(link.children.front().as<ast::TextNode>().value.view()), std::string(link.url.view()),
                     *item.as<ast::StandardBlockNode>().depth});
  }
  return items;
}

// "# Title", placeholder, "## Intro", "### Setup", "#### Detail", "## Usage".
NodeList sample(bool with_ids) {
  auto h = [&](std::uint8_t depth, std::string t, std::string id) {
    return heading(depth, {text(std::move(t))}, with_ids ? std::optional<std::string>(id) : std::nullopt);
  };
  NodeList nodes;
  nodes.push_back(h(1, "Title", "title"));
  nodes.push_back(component("TableOfContents"));
  nodes.push_back(h(2, "Intro", "intro"));
  nodes.push_back(h(3, "Setup", "setup"));
  nodes.push_back(h(4, "Detail", "detail"));
  nodes.push_back(h(2, "Usage", "usage"));
  return nodes;
}

TEST(TableOfContents, ReplacesThePlaceholderWithLinksToHeadingsInRange) {
  for (bool with_ids : {true, false}) {
    ast::Root root = root_of(sample(with_ids));
    TableOfContents().transform(root, "");
    std::string p = with_ids ? "#" : "";
    EXPECT_EQ(items_of(root.children[1]), (std::vector<Item>{{"Intro", p + (with_ids ? "intro" : ""), 2},
                                                             {"Setup", p + (with_ids ? "setup" : ""), 3},
                                                             {"Usage", p + (with_ids ? "usage" : ""), 2}}));
    EXPECT_EQ(root.children.size(), 6u);
  }
}

TEST(TableOfContents, EveryBuiltNodeSitsAtTheZeroPosition) {
  ast::Root root = root_of(sample(true));
  TableOfContents().transform(root, "");
  std::size_t count = 0;
  NodeList table;
  table.push_back(root.children[1]);
  ast::NodeList* level = &table;
  while (level && !level->empty()) {
    const Node& node = level->front();
    EXPECT_EQ(node.position(), ast::Position{});
    ++count;
    level = const_cast<Node&>(node).children();
  }
  EXPECT_EQ(count, 5u);  // component, list, item, link, text
}

TEST(TableOfContents, LeavesTheTreeAloneWithoutAUsablePlaceholder) {
  auto unchanged = [](NodeList nodes) {
    ast::Root root = root_of(std::move(nodes));
    ast::Root before = root;
    TableOfContents().transform(root, "");
    EXPECT_EQ(root, before);
  };
  NodeList no_placeholder;
  no_placeholder.push_back(heading(2, {text("Intro")}));
  unchanged(std::move(no_placeholder));

  NodeList with_content;
  with_content.push_back(component("TableOfContents", {text("x")}));
  with_content.push_back(heading(2, {text("Intro")}));
  unchanged(std::move(with_content));

  NodeList nested;
  nested.push_back(block(NodeKind::Paragraph, {component("TableOfContents")}));
  nested.push_back(component("Card", {component("TableOfContents")}));
  nested.push_back(heading(2, {text("Intro")}));
  unchanged(std::move(nested));

  NodeList other_case;
  other_case.push_back(component("tableofcontents"));
  other_case.push_back(heading(2, {text("Intro")}));
  unchanged(std::move(other_case));

  NodeList nothing_in_range;
  nothing_in_range.push_back(component("TableOfContents"));
  nothing_in_range.push_back(heading(1, {text("Title")}));
  nothing_in_range.push_back(heading(4, {text("Deep")}));
  nothing_in_range.push_back(block(NodeKind::Heading, {text("No depth")}));
  unchanged(std::move(nothing_in_range));
}

TEST(TableOfContents, AutoInsertPutsTheTableFirst) {
  NodeList nodes;
  nodes.push_back(heading(2, {text("Intro")}));
  ast::Root root = root_of(std::move(nodes));
  TableOfContents toc;
  toc.auto_insert = true;
  toc.transform(root, "");
  ASSERT_EQ(root.children.size(), 2u);
  EXPECT_EQ(items_of(root.children[0]), (std::vector<Item>{{"Intro", "", 2}}));
}

TEST(TableOfContents, FillsOnePlaceholderPerApplication) {
  NodeList nodes = sample(true);
  nodes.push_back(component("TableOfContents"));
  ast::Root root = root_of(std::move(nodes));
  TableOfContents toc;
  toc.transform(root, "");
  EXPECT_TRUE(root.children[6].children()->empty());
  toc.transform(root, "");
  EXPECT_EQ(root.children[6], root.children[1]);
  ast::Root filled = root;
  toc.transform(root, "");
  EXPECT_EQ(root, filled);
}

TEST(TableOfContents, NumbersFromTheSmallestLevelPresent) {
  struct Case {
    std::vector<std::uint8_t> depths;
    std::vector<std::string> numbers;
  };
  const Case cases[] = {
      {{2, 3, 3, 2, 3}, {"1", "1.1", "1.2", "2", "2.1"}},
      {{2, 4}, {"1", "1.0.1"}},
      {{3, 2}, {"0.1", "1"}},
      {{1, 9, 1}, {"1", "1.0.0.0.0.0.0.0.1", "2"}},
  };
  for (const auto& c : cases) {
    NodeList nodes;
    nodes.push_back(component("TableOfContents"));
    for (auto depth : c.depths) nodes.push_back(heading(depth, {text("H")}));
    ast::Root root = root_of(std::move(nodes));
    TableOfContents toc;
    toc.numbered = true;
    toc.min_depth = 1;
    toc.max_depth = 9;
    toc.transform(root, "");
    auto items = items_of(root.children[0]);
    ASSERT_EQ(items.size(), c.numbers.size());
    for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].label, c.numbers[i] + " H");
  }
}

TEST(TableOfContents, ListsHeadingsAtAnyNestingInDocumentOrder) {
  NodeList nodes;
  nodes.push_back(component("TableOfContents"));
  nodes.push_back(block(NodeKind::Blockquote, {heading(2, {text("Quote")})}));
  nodes.push_back(
      block(NodeKind::DefinitionList,
            {block(NodeKind::DefinitionDescription,
                   {heading(2, {text("Hello "), block(NodeKind::Emphasis, {text("big")}), text(" world")})})}));
  nodes.push_back(component("Card", {heading(3, {text("Inside")})}));
  ast::Root root = root_of(std::move(nodes));
  AutoSlug().transform(root, "");
  TableOfContents().transform(root, "");
  EXPECT_EQ(items_of(root.children[0]),
            (std::vector<Item>{{"Quote", "#quote", 2}, {"Hello big world", "", 2}, {"Inside", "#inside", 3}}));
}

}  // namespace
}  // namespace vyn::transform
