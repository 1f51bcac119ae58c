#include "parser/merge.hpp"

#include <gtest/gtest.h>

#include "render.hpp"

namespace vyn::parser {
namespace {

using ast::NodeKind;
using ast::NodeList;
using testing::render;

// Text nodes cut out of `input` at the given boundaries, as the library's
// text events would deliver them.
NodeList pieces(std::string_view input, const SourceMap& map, const std::vector<std::size_t>& cuts) {
  NodeList nodes;
  std::size_t from = 0;
  for (std::size_t to : cuts) {
    nodes.push_back(ast::make_text(std::string(input.substr(from, to - from)), map.position(from, to)));
    from = to;
  }
  return nodes;
}

// The nodes after merge_and_hint, rendered while the texts they view are kept.
std::string merged(NodeList nodes, const SourceMap& map, std::string_view input) {
  ParseContext context(input);
  merge_and_hint(nodes, map, input, context);
  return render(nodes);
}

ast::Node wrap(NodeKind kind, NodeList children, std::string_view input, const SourceMap& map) {
  return ast::make_block(kind, std::move(children), map.position(0, input.size()));
}

struct MergeCase {
  std::string input;
  std::vector<std::size_t> cuts;
  std::string merged;
};

TEST(MergeText, ReReadsRunsThatMayHoldReferences) {
  const MergeCase cases[] = {
      {"see [@doe2020]", {4, 5, 13, 14}, "text'see '@0-4 citation{@doe2020;}@4-14"},
      {"a [b] c", {2, 3, 4, 5, 7}, "text'a '@0-2 text'['@2-3 text'b'@3-4 text']'@4-5 text' c'@5-7"},
      {"[see @doe, p. 3]", {1, 15, 16}, "citation{see@doe,p. 3;}@0-16"},
      {"[x@y](oops", {1, 4, 5, 10}, "text'['@0-1 text'x@y'@1-4 text']'@4-5 text'(oops'@5-10"},
      {"x {@a} y", {2, 6, 8}, "text'x '@0-2 cross_ref'a'@2-6 text' y'@6-8"},
      {"[x] [@", {1, 2, 3, 4, 6}, "text'[x] [@'@0-6"},
      {"[a\n> @b]", {2, 3, 8}, "text'[a\n> @b]'@0-8"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    SourceMap map(c.input);
    EXPECT_EQ(merged(pieces(c.input, map, c.cuts), map, c.input), c.merged);
  }
}

TEST(MergeText, DescendsOnlyIntoInlineAndListContainers) {
  std::string input = "[@k]";
  SourceMap map(input);
  for (NodeKind kind : {NodeKind::Paragraph, NodeKind::ListItem, NodeKind::TableCell, NodeKind::Emphasis}) {
    NodeList list;
    list.push_back(wrap(kind, pieces(input, map, {1, 3, 4}), input, map));
    std::string expected = std::string(ast::kind_name(kind)) + "(citation{@k;}@0-4)@0-4";
    EXPECT_EQ(merged(std::move(list), map, input), expected);
  }
  for (NodeKind kind : {NodeKind::DefinitionTerm, NodeKind::FootnoteDefinition, NodeKind::Html}) {
    NodeList list;
    list.push_back(wrap(kind, pieces(input, map, {1, 3, 4}), input, map));
    std::string before = render(list);
    EXPECT_EQ(merged(std::move(list), map, input), before);
  }
}

TEST(MergeText, LeavesRunsWithUnusableSpansAlone) {
  std::string input = "[@k]";
  SourceMap map(input);
  NodeList reversed;
  reversed.push_back(ast::make_text("@k]", map.position(1, 4)));
  reversed.push_back(ast::make_text("[", map.position(0, 1)));
  std::string before = render(reversed);
  EXPECT_EQ(merged(std::move(reversed), map, input), before);

  NodeList beyond;
  beyond.push_back(ast::make_text("[@k]!", map.position(0, 5)));
  before = render(beyond);
  EXPECT_EQ(merged(std::move(beyond), map, input), before);
}

// A span that starts inside a character (an offset computed from text with
// container prefixes removed) moves forward to the next character.
TEST(MergeText, SliceStartsOnACharacterBoundary) {
  std::string input = "\xC3\xA9[@k]";
  SourceMap map(input);
  NodeList nodes;
  nodes.push_back(ast::make_text("[", map.position(1, 3)));
  nodes.push_back(ast::make_text("@k]", map.position(3, 6)));
  EXPECT_EQ(merged(std::move(nodes), map, input), "citation{@k;}@2-6");
}

ast::Node code(std::string value) {
  return ast::make_node(NodeKind::CodeInline, ast::CodeInlineNode{std::move(value), std::nullopt, {}});
}

TEST(LangHints, TakeAWordInBracesRightAfterInlineCode) {
  const std::pair<std::string, std::string> cases[] = {
      {"{yaml}", "code_inline'x'{yaml}@0-0"},
      {"{yaml} is fast", "code_inline'x'{yaml}@0-0 text' is fast'@0-0"},
      {"{c-2_b}}", "code_inline'x'{c-2_b}@0-0 text'}'@0-0"},
      {" {yaml}", "code_inline'x'@0-0 text' {yaml}'@0-0"},
      {"{1yaml}", "code_inline'x'@0-0 text'{1yaml}'@0-0"},
      {"{}", "code_inline'x'@0-0 text'{}'@0-0"},
      {"{ya ml}", "code_inline'x'@0-0 text'{ya ml}'@0-0"},
      {"{x.y}", "code_inline'x'@0-0 text'{x.y}'@0-0"},
      {"{yaml", "code_inline'x'@0-0 text'{yaml'@0-0"},
  };
  for (const auto& [after, expected] : cases) {
    NodeList nodes;
    nodes.push_back(code("x"));
    nodes.push_back(ast::make_text(after, {}));
    EXPECT_EQ(merged(std::move(nodes), SourceMap(""), ""), expected) << after;
  }
}

TEST(LangHints, ReplaceALanguageAndReachIntoVisitedContainersOnly) {
  NodeList inner;
  inner.push_back(code("x"));
  inner.back().as<ast::CodeInlineNode>().lang = "old";
  inner.push_back(ast::make_text("{new}", {}));
  NodeList nodes;
  nodes.push_back(ast::make_block(NodeKind::Strong, inner, {}));
  nodes.push_back(ast::make_block(NodeKind::DefinitionDescription, inner, {}));
  EXPECT_EQ(merged(std::move(nodes), SourceMap(""), ""),
            "strong(code_inline'x'{new}@0-0)@0-0 definition_description(code_inline'x'{old}@0-0 text'{new}'@0-0)@0-0");
}

// Every level is merged and given its hints, in the containers both passes
// enter and not in the others.
TEST(MergeAndHint, ReachEveryLevelOfTheContainersTheyEnter) {
  const std::string input = "see [@doe] `x`{yaml} rest";
  SourceMap map(input);
  auto level = [&](NodeList children) {
    NodeList nodes = pieces(input, map, {4, 5, 9, 10});
    nodes.push_back(code("x"));
    nodes.push_back(ast::make_text("{yaml} rest", map.position(14, 25)));
    for (ast::Node& child : children) nodes.push_back(std::move(child));
    return nodes;
  };
  auto tree = [&] {
    NodeList deepest;
    deepest.push_back(wrap(NodeKind::Emphasis, level({}), input, map));
    deepest.push_back(wrap(NodeKind::DefinitionDescription, level({}), input, map));
    NodeList item;
    item.push_back(wrap(NodeKind::Paragraph, level(std::move(deepest)), input, map));
    NodeList list;
    list.push_back(wrap(NodeKind::ListItem, std::move(item), input, map));
    return level({wrap(NodeKind::List, std::move(list), input, map)});
  };
  NodeList nodes = tree();
  ParseContext context(input);
  merge_and_hint(nodes, map, input, context);
  const std::string done = "text'see '@0-4 citation{@doe;}@4-10 code_inline'x'{yaml}@0-0 text' rest'@14-25";
  const std::string untouched =
      "text'see '@0-4 text'['@4-5 text'@doe'@5-9 text']'@9-10 code_inline'x'@0-0 text'{yaml} rest'@14-25";
  EXPECT_EQ(render(nodes), done + " list(list_item(paragraph(" + done + " emphasis(" + done +
                               ")@0-25 definition_description(" + untouched + ")@0-25)@0-25)@0-25)@0-25");
}

// The text is read sixteen bytes at a time: the signs are found at every place in a block, across
// two blocks, and in the bytes after the last whole block.
TEST(MergeAndHint, IsNeededOnlyWhereAnAtSignOrABraceAfterABacktickIs) {
  const std::pair<std::string, bool> cases[] = {
      {"", false},
      {"plain text, long enough for several words", false},
      {"`code` {py} and { braces } and a lone `", false},
      {"@", true},
      {"abcdefg@", true},
      {"abcdefgh@", true},
      {"abcdefghijklmnopq@", true},
      {"`{", true},
      {"abcdef`{", true},
      {"abcdefg`{", true},
      {"abcdefgh`{", true},
      {"abcdefghijklmno`{xx", true},
      {"abcdefghijklmnop`", false},
      {"abcdefghijklmnopqrstuvwxyz012345@", true},
      {"abcdefghijklmnopqrstuvwxyz0123`{", true},
      {"abcdefghijklmnopqrstuvwxyz01234`", false},
      {"`x` `y` `z` `a` `b` `c` `d` `e`{", true},
      {"{abcdefg`", false},
  };
  for (const auto& [run, needed] : cases) EXPECT_EQ(may_merge_or_hint(run), needed) << run;
}

}  // namespace
}  // namespace vyn::parser
