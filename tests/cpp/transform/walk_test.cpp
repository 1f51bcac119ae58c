#include "transform/walk.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builders.hpp"

namespace vyn::transform {
namespace {

using namespace vyn::testing;

// Records each visited node by its kind and, for text, its value.
std::vector<std::string> visits(const NodeList& nodes) {
  std::vector<std::string> seen;
  walk(nodes, [&](const Node& node) {
    std::string entry(ast::kind_name(node.kind));
    if (node.kind == NodeKind::Text) (entry += ":") += node.as<ast::TextNode>().value;
    seen.push_back(entry);
  });
  return seen;
}

TEST(Walk, VisitsANodeThenItsSubtreeThenItsNextSibling) {
  NodeList nodes;
  nodes.push_back(heading(2, {text("a"), text("b")}));
  nodes.push_back(block(NodeKind::Paragraph, {text("c")}));
  EXPECT_EQ(visits(nodes), (std::vector<std::string>{"heading", "text:a", "text:b", "paragraph", "text:c"}));
}

TEST(Walk, EntersContainersLinksImagesFootnoteDefinitionsAndComponentsOnly) {
  NodeList nodes;
  nodes.push_back(block(NodeKind::ListItem, {block(NodeKind::Emphasis, {link("u", {text("deep")})})}));
  nodes.push_back(image("i", {text("alt")}));
  nodes.push_back(footnote(NodeKind::FootnoteDefinition, {text("def")}));
  nodes.push_back(footnote(NodeKind::FootnoteReference, {text("hidden")}));
  nodes.push_back(block(NodeKind::DefinitionList, {block(NodeKind::DefinitionTerm, {text("term")})}));
  nodes.push_back(component("Card", {text("card")}));
  EXPECT_EQ(visits(nodes),
            (std::vector<std::string>{"list_item", "emphasis", "link", "text:deep", "image", "text:alt",
                                      "footnote_definition", "text:def", "footnote_reference", "definition_list",
                                      "definition_term", "text:term", "component", "text:card"}));
}

TEST(Walk, EntersExactlyTheContainerKinds) {
  for (std::size_t i = 0; i < ast::kNodeKindNames.size(); ++i) {
    auto kind = static_cast<NodeKind>(i);
    bool expected = (i >= 3 && i <= 21) || kind == NodeKind::Component;
    EXPECT_EQ(walk_enters(kind), expected) << ast::kind_name(kind);
  }
}

TEST(CollectText, JoinsTextValuesInWalkOrderWithNothingBetween) {
  struct Case {
    const char* what;
    NodeList nodes;
    std::string expected;
  };
  std::vector<Case> cases;
  cases.push_back({"empty list", {}, ""});
  {
    NodeList nodes;
    nodes.push_back(heading(1, {text("Use "), code_inline("foo"), text(" now")}));
    cases.push_back({"inline code skipped", std::move(nodes), "Use  now"});
  }
  {
    NodeList nodes;
    nodes.push_back(text("Hello "));
    nodes.push_back(block(NodeKind::Emphasis, {text("big")}));
    nodes.push_back(text(" world"));
    cases.push_back({"markup dropped", std::move(nodes), "Hello big world"});
  }
  {
    NodeList nodes;
    nodes.push_back(code_block("x"));
    nodes.push_back(math_inline("y"));
    nodes.push_back(ast::make_error("bad", "raw", {}));
    nodes.push_back(component("Card", {link("u", {text(" a ")}), image("i", {text("b")})}));
    nodes.push_back(footnote(NodeKind::FootnoteReference, {text("hidden")}));
    cases.push_back({"only text nodes count", std::move(nodes), " a b"});
  }
  for (const auto& c : cases) EXPECT_EQ(collect_text(c.nodes), c.expected) << c.what;
}

TEST(CollectByType, FindsNodesOfOneKindNameBeforeTheirDescendants) {
  NodeList nodes;
  nodes.push_back(block(NodeKind::List, {block(NodeKind::ListItem, {block(NodeKind::List, {text("inner")})})}));
  nodes.push_back(footnote(NodeKind::FootnoteReference, {block(NodeKind::List)}));
  nodes.push_back(block(NodeKind::List));
  struct Case {
    std::string_view node_type;
    std::vector<const Node*> found;
  };
  const Node& outer = nodes[0];
  const Node& inner = outer.children()->front().children()->front();
  const Case cases[] = {
      {"list", {&outer, &inner, &nodes[2]}},
      {"text", {&inner.children()->front()}},
      {"footnote_reference", {&nodes[1]}},
      {"root", {}},
      {"List", {}},
  };
  for (const auto& c : cases) {
    std::vector<const Node*> found;
    collect_by_type(nodes, c.node_type, found);
    EXPECT_EQ(found, c.found) << c.node_type;
  }
}

}  // namespace
}  // namespace vyn::transform
