#include "parser/region.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "ast/limits.hpp"
#include "render.hpp"
#include "repeat.hpp"

namespace vyn::parser {
namespace {

using vyn::test_input::repeat;

using testing::render;

// The run's nodes in a root, which keeps the texts they view.
ast::Root parse_run(const std::string& input, std::size_t depth = 0) {
  SourceMap map(input);
  ParseContext context(input);
  ast::Root root;
  root.children = parse_markdown_region(input, 0, map, input, depth, context);
  root.shared_texts = std::move(context.shared_texts);
  return root;
}

std::size_t height(const ast::NodeList& nodes) {
  std::size_t tallest = 0;
  for (const auto& node : nodes) {
    const ast::NodeList* children = node.children();
    tallest = std::max(tallest, 1 + (children ? height(*children) : 0));
  }
  return tallest;
}

std::string texts(const ast::NodeList& nodes) {
  std::string out;
  for (const auto& node : nodes) {
    if (node.kind == ast::NodeKind::Text) out += node.as<ast::TextNode>().value;
    if (const ast::NodeList* children = node.children()) out += texts(*children);
  }
  return out;
}

std::size_t count_errors(const ast::NodeList& nodes) {
  std::size_t count = 0;
  for (const auto& node : nodes) {
    count += node.kind == ast::NodeKind::Error;
    if (const ast::NodeList* children = node.children()) count += count_errors(*children);
  }
  return count;
}

TEST(Region, BlankRunsGiveNothing) {
  EXPECT_EQ(render(parse_run("").children), "");
  EXPECT_EQ(render(parse_run("  \n\t\n \u3000").children), "");
}

TEST(Region, RoutesNodesIntoOpenComponentsAcrossParagraphs) {
  EXPECT_EQ(render(parse_run("a <A> b\n\nc </A> d\n").children),
            "paragraph(component'A'|' b\n\nc '(text' b'@5-7 paragraph(text'a '@0-2)@0-8 text'c '@9-11)@2-15 "
            "text' d'@15-17)@9-18");
}

TEST(Region, ReportsComponentsLeftOpenAtTheEnd) {
  EXPECT_EQ(render(parse_run("<A>\n\n<B>\n\nz\n").children),
            "error'Unclosed tag <B>'|'<B>'@5-8 html()@5-9 text'z'@10-11 paragraph()@10-12 "
            "error'Unclosed tag <A>'|'<A>'@0-3 html()@0-4");
}

// Inside block quotes the library's HTML text lacks the "> " prefixes; the
// tag's end still falls on the source's ">", so the component's source is "b".
TEST(Region, ComponentSourceStartsAfterItsTagInsideBlockQuotes) {
  EXPECT_EQ(render(parse_run("> > a <A\n> >x='\xC3\xA9'>b</A>\n").children),
            "blockquote(blockquote(paragraph(text'a '@4-6 component'A'|'b'(text'b'@19-20)@6-24)@4-25)@2-25)@0-25");
}

// Containers nested past the bound are flattened into the deepest allowed
// one: the tree stays within the bound, every text survives, one error says so.
TEST(Region, KeepsDeepNestingWithinTheBound) {
  std::string nested_items;
  for (std::size_t k = 0; k < 400; ++k) nested_items += std::string(2 * k, ' ') + "- i\n";
  std::string underscores = repeat("_a*_ ", 2000);
  underscores.erase(std::remove(underscores.begin(), underscores.end(), '*'), underscores.end());
  underscores.pop_back();
  const std::pair<std::string, std::string> cases[] = {
      {repeat("> ", 100000) + "x", "x"},
      {repeat("*", 32500) + "x" + repeat("*", 32500), "x"},
      {nested_items, std::string(400, 'i')},
      {repeat("*a **a ", 2000) + "b" + repeat(" a** a*", 2000), repeat("a ", 4000) + "b" + repeat(" a", 4000)},
      {repeat("~~a ", 2000) + "b" + repeat(" a~~", 2000), repeat("a ", 2000) + "b" + repeat(" a", 2000)},
      {repeat("_a ", 2000) + repeat("a_ ", 2000), repeat("a ", 3999) + "a"},
      {repeat("*a ", 2000) + repeat("_a*_ ", 2000), repeat("a ", 2000) + underscores},
      {repeat("<X>", 2000) + "a" + repeat("</X>", 2000), "a"},
  };
  for (const auto& [input, text] : cases) {
    for (std::size_t depth : {std::size_t{0}, std::size_t{200}, ast::kMaxNodeDepth - 1}) {
      ast::Root run = parse_run(input, depth);
      const ast::NodeList& nodes = run.children;
      EXPECT_LE(height(nodes), ast::kMaxNodeDepth - depth);
      std::string all = texts(nodes);
      all.erase(std::remove(all.begin(), all.end(), '\n'), all.end());
      EXPECT_EQ(all, text);
      EXPECT_EQ(count_errors(nodes), 1u);
    }
  }
}

// Where the levels past the bound go, with the bound brought near by a deep
// run: each level past it gives its children to its parent, one error marks
// the first, the levels within it stay whole, and so do the components' source
// texts among them.
TEST(Region, LiftsTheLevelsPastTheBoundIntoTheirParents) {
  const std::string too_deep = "error'Nesting too deep: more than 256 levels'|";
  const std::tuple<std::string, std::size_t, std::string> cases[] = {
      {repeat("*a **a ", 3) + "b" + repeat(" a** a*", 3), 252,
       "paragraph(text'a '@1-3 text'a '@5-7 text'a '@8-10 " + too_deep +
           "'**a *a **a b a** a* a**'@10-33 text'a '@12-14 emphasis(text'a '@15-17 strong(text'a b a'@19-24)@17-26 "
           "text' a'@26-28)@14-29 text' a'@29-31 text' a'@33-35 text' a'@36-38 text' a'@40-42)@0-43"},
      {repeat("~~a ", 6) + "b" + repeat(" a~~", 6), 252,
       "paragraph(text'a '@2-4 text'a '@6-8 text'a '@10-12 " + too_deep +
           "'~~a ~~a ~~a b a~~ a~~ a~~'@12-37 text'a '@14-16 strikethrough(text'a '@18-20 "
           "strikethrough(text'a b a'@22-27)@20-29 text' a'@29-31)@16-33 text' a'@33-35 text' a'@37-39 text' a'@41-43 "
           "text' a'@45-47)@0-49"},
      {repeat("_a ", 6) + repeat("a_ ", 6), 252,
       "paragraph(text'a '@1-3 text'a '@4-6 text'a '@7-9 " + too_deep +
           "'_a _a _a a_ a_ a_'@9-26 text'a '@10-12 emphasis(text'a '@13-15 emphasis(text'a a'@16-19)@15-20 "
           "text' a'@20-22)@12-23 text' a'@23-25 text' a'@26-28 text' a'@29-31 text' a'@32-34)@0-36"},
      {repeat("*a ", 4) + repeat("_a*_ ", 4), 252,
       "paragraph(text'a '@1-3 " + too_deep +
           "'*a *a *a _a*_ _a*_ _a*'@3-25 text'a '@4-6 emphasis(text'a '@7-9 emphasis(text'a '@10-12 text'_'@12-13 "
           "text'a'@13-14)@9-15 text'_'@15-16 text' '@16-17 text'_'@17-18 text'a'@18-19)@6-20 text'_'@20-21 "
           "text' '@21-22 text'_'@22-23 text'a'@23-24 text'_'@25-26 text' '@26-27 text'_'@27-28 text'a'@28-29 "
           "text'_'@30-31)@0-32"},
      {repeat("<X>", 6) + "a" + repeat("</X>", 6), 252,
       "paragraph(" + too_deep +
           "'<X><X><X>a</X></X></X>'@9-31 component'X'|'<X>a</X>'(component'X'|'a'(text'a'@18-19)@15-23)@12-27)@0-43"},
      // What the inner components collected stays where they were closed.
      {"<Y>" + repeat("<X>", 6) + "a" + repeat("</X>", 6), 252,
       "error'Unclosed tag <Y>'|'<Y>'@0-3 component'X'|'<X><X><X><X><X>a</X></X></X></X></X>'(" + too_deep +
           "'<X><X><X>a</X></X></X>'@12-34 component'X'|'<X>a</X>'(component'X'|'a'(text'a'@21-22)@18-26)@15-30)@3-46 "
           "paragraph()@0-46"},
      {repeat("<X>", 6) + "a" + repeat("</X>", 5) + "</Y>", 252,
       "paragraph(error'Misnested tags: expected </X>, found </Y>'|'</Y>'@39-43)@0-43"},
      // At the deepest level the top level holds leaves only.
      {"*a **b** c* <X>d *e*</X>", 255,
       "text'a '@1-3 " + too_deep +
           "'**b**'@3-8 text'b'@5-6 text' c'@8-10 text' '@11-12 text'd '@15-17 text'e'@18-19 emphasis()@17-20"},
  };
  for (const auto& [input, depth, expected] : cases)
    EXPECT_EQ(render(parse_run(input, depth).children), expected) << input;
}

TEST(Region, ShallowNestingIsLeftAlone) {
  // Quotes, a paragraph and its text fill the levels left below depth 10.
  ast::Root run = parse_run(repeat("> ", ast::kMaxNodeDepth - 10 - 2) + "x", 10);
  const ast::NodeList& nodes = run.children;
  EXPECT_EQ(height(nodes), ast::kMaxNodeDepth - 10);
  EXPECT_EQ(count_errors(nodes), 0u);
}

}  // namespace
}  // namespace vyn::parser
