#include "github/references.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../transform/builders.hpp"

namespace vyn::github {
namespace {

using namespace vyn::testing;

// References written compactly: "I12@0-3" is issue 12 over [0, 3).
std::string describe(const std::vector<Reference>& refs) {
  std::string out;
  for (const auto& r : refs) {
    if (!out.empty()) out += ' ';
    out += r.kind == ReferenceKind::Issue ? 'I' : r.kind == ReferenceKind::Mention ? 'M' : 'C';
    out += r.value + "@" + std::to_string(r.start) + "-" + std::to_string(r.end);
  }
  return out;
}

TEST(FindReferences, FindsIssuesMentionsAndCommitsByTheirBoundaries) {
  const std::string hash40 = "a1b2c3d4e5f6a7b8c9d0a1b2c3d4e5f6a7b8c9d0";
  struct Case {
    std::string text, found;
  };
  const Case cases[] = {
      {"See #12.", "I12@4-7"},
      {"x#12", ""},
      {"Z#1", ""},
      {"_#12", "I12@1-4"},
      {"(#12)", "I12@1-4"},
      {"#12abc", "I12@0-3"},
      {"##12", ""},
      {"#abcdef0", ""},
      {"#", ""},
      {"hi @bob!", "Mbob@3-7"},
      {"@bob-smith_2", "Mbob-smith_2@0-12"},
      {"x@bob", ""},
      {"(@bob)", ""},
      {"@", ""},
      {"a\v@bob", ""},
      {"a\f@bob \t@al\r@b\n@c", "Mbob@2-6 Mal@8-11 Mb@12-14 Mc@15-17"},
      {"deadbeef", "Cdeadbeef@0-8"},
      {"acceded", "Cacceded@0-7"},
      {"1234567", ""},
      {"abcdef12g", ""},
      {"abcdef12_x", "Cabcdef12@0-8"},
      {"ABCDEF1", "CABCDEF1@0-7"},
      {std::string(41, 'a'), ""},
      {"abc123", ""},
      {"fix: " + hash40, "C" + hash40 + "@5-45"},
      {"#1 @a deadbee1", "I1@0-2 Ma@3-5 Cdeadbee1@6-14"},
      {"deadbeef#1", "Cdeadbeef@0-8"},
  };
  for (const auto& c : cases) EXPECT_EQ(describe(find_references(c.text)), c.found) << c.text;
}

ast::Root with_text(std::string value, ast::Position position = {}) {
  NodeList nodes;
  nodes.push_back(block(NodeKind::Paragraph, {text(std::move(value), position)}));
  return root_of(std::move(nodes));
}

TEST(GithubReferences, SplitsTextIntoPiecesAndLinksPlacedOnTheStartLine) {
  const ast::Point start{3, 5, 40};
  ast::Root root = with_text("See #12.", {start, {3, 13, 48}});
  GithubReferences("acme/tools").transform(root, "");
  const NodeList& pieces = *root.children[0].children();
  auto at = [](std::uint64_t column, std::uint64_t offset) { return ast::Point{3, column, offset}; };

  NodeList expected;
  expected.push_back(text("See ", {at(5, 40), at(9, 44)}));
  Node link_node = link("https://github.com/acme/tools/issues/12", {text("#12", {at(9, 44), at(12, 47)})});
  link_node.as<ast::LinkNode>().position = {at(9, 44), at(12, 47)};
  expected.push_back(std::move(link_node));
  expected.push_back(text(".", {at(12, 47), at(13, 48)}));
  EXPECT_EQ(pieces, expected);
}

TEST(GithubReferences, BuildsTheAddressAndLabelOfEachKind) {
  ast::Root root = with_text("@bob deadbeef12 #7\nafter", {{1, 1, 0}, {2, 6, 24}});
  GithubReferences("o/r").transform(root, "");
  const NodeList& pieces = *root.children[0].children();
  ASSERT_EQ(pieces.size(), 6u);
  struct Expected {
    std::string url, label;
  };
  const Expected links[] = {{"https://github.com/bob", "@bob"},
                            {"https://github.com/o/r/commit/deadbeef12", "deadbee"},
                            {"https://github.com/o/r/issues/7", "#7"}};
  for (std::size_t i = 0; i < 3; ++i) {
    const auto& l = pieces[2 * i].as<ast::LinkNode>();
    EXPECT_EQ(l.url, links[i].url);
    EXPECT_EQ(l.children.front().as<ast::TextNode>().value, links[i].label);
  }
  // The text after a line feed stays on the start line, counted on from its column.
  EXPECT_EQ(pieces[5].as<ast::TextNode>().value, "\nafter");
  EXPECT_EQ(pieces[5].position(), (ast::Position{{1, 19, 18}, {1, 25, 24}}));
}

TEST(GithubReferences, LinksTextInContainersButNotInsideLinksImagesCodeOrMath) {
  NodeList nodes;
  nodes.push_back(link("u", {text("#1")}));
  nodes.push_back(image("i", {text("#1")}));
  nodes.push_back(code_inline("#1"));
  nodes.push_back(code_block("#1"));
  nodes.push_back(math_inline("#1"));
  nodes.push_back(footnote(NodeKind::FootnoteReference, {text("#1")}));
  ast::Root untouched = root_of(std::move(nodes));
  ast::Root root = untouched;
  GithubReferences("o/r").transform(root, "");
  EXPECT_EQ(root, untouched);

  for (NodeKind kind :
       {NodeKind::Emphasis, NodeKind::Heading, NodeKind::TableCell, NodeKind::ListItem, NodeKind::DefinitionDescription,
        NodeKind::Html, NodeKind::FootnoteDefinition, NodeKind::Component}) {
    Node holder = kind == NodeKind::Component            ? component("C", {text("#1")})
                  : kind == NodeKind::FootnoteDefinition ? footnote(kind, {text("#1")})
                                                         : block(kind, {text("#1")});
    NodeList list;
    list.push_back(block(NodeKind::Paragraph, {std::move(holder)}));
    ast::Root r = root_of(std::move(list));
    GithubReferences("o/r").transform(r, "");
    const Node& inner = r.children[0].children()->front().children()->front();
    EXPECT_EQ(inner.kind, NodeKind::Link) << ast::kind_name(kind);
  }
}

TEST(GithubReferences, TakesTheRepositoryFromTheSettingOrElseTheFrontmatter) {
  struct Case {
    const char* what;
    std::string setting;
    std::optional<ast::Json> frontmatter;
    std::optional<std::string> url;  // of "#5", nothing when left alone
  };
  const Case cases[] = {
      {"setting", "a/b", std::nullopt, "https://github.com/a/b/issues/5"},
      {"frontmatter", "", ast::Json{{"github", "acme/tools"}}, "https://github.com/acme/tools/issues/5"},
      {"setting wins", "a/b", ast::Json{{"github", "acme/tools"}}, "https://github.com/a/b/issues/5"},
      {"empty frontmatter string", "", ast::Json{{"github", ""}}, "https://github.com//issues/5"},
      {"number", "", ast::Json{{"github", 42}}, std::nullopt},
      {"no key", "", ast::Json{{"repo", "a/b"}}, std::nullopt},
      {"not an object", "", ast::Json("a/b"), std::nullopt},
      {"no frontmatter", "", std::nullopt, std::nullopt},
      {"no slash", "acme", std::nullopt, "https://github.com/acme/issues/5"},
      {"longest parts", std::string(39, 'o') + "/" + std::string(100, 'r'), std::nullopt,
       "https://github.com/" + std::string(39, 'o') + "/" + std::string(100, 'r') + "/issues/5"},
      {"every allowed byte", "Az0-9/Az0-9_.-", std::nullopt, "https://github.com/Az0-9/Az0-9_.-/issues/5"},
      {"owner too long", std::string(40, 'o') + "/r", std::nullopt, std::nullopt},
      {"name too long", "o/" + std::string(101, 'r'), std::nullopt, std::nullopt},
      {"long frontmatter name", "", ast::Json{{"github", "o/" + std::string(101, 'r')}}, std::nullopt},
      {"underscore in the owner", "a_b/r", std::nullopt, std::nullopt},
      {"second slash", "o/r/x", std::nullopt, std::nullopt},
      {"space", "o/r x", std::nullopt, std::nullopt},
      {"query", "o/r?x=1", std::nullopt, std::nullopt},
      {"non-ASCII", "o/r\xc3\xa9", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    ast::Root root = with_text("#5 @me");
    root.frontmatter = c.frontmatter;
    ast::Root before = root;
    GithubReferences(c.setting).transform(root, "");
    if (!c.url) {
      EXPECT_EQ(root, before) << c.what;
      continue;
    }
    const NodeList& pieces = *root.children[0].children();
    ASSERT_EQ(pieces.size(), 3u) << c.what;
    EXPECT_EQ(pieces[0].as<ast::LinkNode>().url, *c.url) << c.what;
  }
}

TEST(GithubReferences, SplitsEveryTextNodeOfALongListOnce) {
  NodeList children;
  for (int i = 0; i < 1000; ++i) {
    children.push_back(text("#1 "));
    children.push_back(block(NodeKind::Strong, {text("#2")}));
  }
  NodeList nodes;
  nodes.push_back(block(NodeKind::Paragraph, std::move(children)));
  ast::Root root = root_of(std::move(nodes));
  GithubReferences("o/r").transform(root, "");
  const NodeList& pieces = *root.children[0].children();
  ASSERT_EQ(pieces.size(), 3000u);
  EXPECT_EQ(pieces[0].kind, NodeKind::Link);
  EXPECT_EQ(pieces[1].as<ast::TextNode>().value, " ");
  EXPECT_EQ(pieces[2].children()->front().kind, NodeKind::Link);
}

TEST(GithubReferences, DefaultHasNoRepositoryAndTheGithubAddress) {
  GithubReferences references;
  EXPECT_EQ(references.repo, "");
  EXPECT_EQ(references.base_url, "https://github.com");
  EXPECT_EQ(references.name(), "github-references");
}

}  // namespace
}  // namespace vyn::github
