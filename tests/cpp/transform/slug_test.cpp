#include "transform/slug.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "builders.hpp"

namespace vyn::transform {
namespace {

using namespace vyn::testing;

std::optional<std::string> id_of(const Node& node) { return node.as<ast::StandardBlockNode>().id; }

ast::Root slugged(NodeList children) {
  ast::Root root = root_of(std::move(children));
  AutoSlug().transform(root, "");
  return root;
}

TEST(Slugify, KeepsLowerCaseAsciiLettersAndDigitsAndCollapsesTheRest) {
  struct Case {
    std::string_view text, slug;
  };
  const Case cases[] = {
      {"Hello, World!", "hello-world"},
      {"2.1 Setup", "2-1-setup"},
      {"Q&A: Part #2", "q-a-part-2"},
      {"  Spaces  ", "spaces"},
      {"snake_case-name", "snake-case-name"},
      {"\xC3\x9C"
       "ber uns",
       "ber-uns"},                       // Über uns
      {"Caf\xC3\xA9", "caf"},            // Café
      {"\xE6\x97\xA5\xE6\x9C\xAC", ""},  // 日本
      {"---", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(slugify(c.text), c.slug) << c.text;
}

TEST(AutoSlug, NumbersRepeatsOfABaseSlugOnly) {
  struct Case {
    std::vector<std::string> texts;
    std::vector<std::string> ids;
  };
  const Case cases[] = {
      {{"Intro", "Intro", "Intro"}, {"intro", "intro-1", "intro-2"}},
      {{"Intro", "Intro 1", "Intro"}, {"intro", "intro-1", "intro-1"}},
  };
  for (const auto& c : cases) {
    NodeList nodes;
    for (const auto& t : c.texts) nodes.push_back(heading(2, {text(t)}));
    ast::Root root = slugged(std::move(nodes));
    for (std::size_t i = 0; i < c.ids.size(); ++i) EXPECT_EQ(id_of(root.children[i]), c.ids[i]);
  }
}

TEST(AutoSlug, KeepsPresentIdsWithoutCountingThemAndLeavesEmptySlugsWithoutId) {
  NodeList nodes;
  nodes.push_back(heading(2, {text("Intro")}, "intro"));
  nodes.push_back(heading(2, {text("Intro")}));
  nodes.push_back(heading(2, {text("x")}, ""));
  nodes.push_back(heading(2, {code_inline("only code")}));
  nodes.push_back(heading(2, {text("Use "), code_inline("foo"), text(" now")}));
  ast::Root root = slugged(std::move(nodes));
  EXPECT_EQ(id_of(root.children[0]), "intro");
  EXPECT_EQ(id_of(root.children[1]), "intro");
  EXPECT_EQ(id_of(root.children[2]), "");
  EXPECT_EQ(id_of(root.children[3]), std::nullopt);
  EXPECT_EQ(id_of(root.children[4]), "use-now");
}

TEST(AutoSlug, CountsInDocumentOrderAndSkipsDefinitionLists) {
  NodeList nodes;
  nodes.push_back(component("Card", {heading(2, {text("Setup")})}));
  nodes.push_back(heading(2, {text("Setup")}));
  nodes.push_back(block(NodeKind::Blockquote, {heading(2, {text("Quote")})}));
  nodes.push_back(block(NodeKind::List, {block(NodeKind::ListItem, {heading(2, {text("Item")})})}));
  nodes.push_back(footnote(NodeKind::FootnoteDefinition, {heading(2, {text("Note")})}));
  nodes.push_back(
      block(NodeKind::DefinitionList, {block(NodeKind::DefinitionDescription, {heading(2, {text("Hidden")})})}));
  ast::Root root = slugged(std::move(nodes));
  auto first_child = [](const Node& n) -> const Node& { return n.children()->front(); };
  EXPECT_EQ(id_of(first_child(root.children[0])), "setup");
  EXPECT_EQ(id_of(root.children[1]), "setup-1");
  EXPECT_EQ(id_of(first_child(root.children[2])), "quote");
  EXPECT_EQ(id_of(first_child(first_child(root.children[3]))), "item");
  EXPECT_EQ(id_of(first_child(root.children[4])), "note");
  EXPECT_EQ(id_of(first_child(first_child(root.children[5]))), std::nullopt);
}

TEST(AutoSlug, SecondApplicationChangesNothing) {
  NodeList nodes;
  nodes.push_back(heading(2, {text("Intro")}));
  nodes.push_back(heading(2, {text("Intro")}));
  ast::Root once = slugged(std::move(nodes));
  ast::Root twice = once;
  AutoSlug().transform(twice, "");
  EXPECT_EQ(twice, once);
}

}  // namespace
}  // namespace vyn::transform
