#include "parser/region.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "ast/limits.hpp"
#include "render.hpp"
#include "repeat.hpp"

namespace vyn::parser {
namespace {

using vyn::test_input::repeat;

using testing::render;

ast::NodeList parse_run(const std::string& input, std::size_t depth = 0) {
  SourceMap map(input);
  ErrorBudget error_budget(input.size());
  return parse_markdown_region(input, 0, map, input, depth, error_budget);
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
  EXPECT_EQ(render(parse_run("")), "");
  EXPECT_EQ(render(parse_run("  \n\t\n \u3000")), "");
}

TEST(Region, RoutesNodesIntoOpenComponentsAcrossParagraphs) {
  EXPECT_EQ(render(parse_run("a <A> b\n\nc </A> d\n")),
            "paragraph(component'A'|' b\n\nc '(text' b'@5-7 paragraph(text'a '@0-2)@0-8 text'c '@9-11)@2-15 "
            "text' d'@15-17)@9-18");
}

TEST(Region, ReportsComponentsLeftOpenAtTheEnd) {
  EXPECT_EQ(render(parse_run("<A>\n\n<B>\n\nz\n")),
            "error'Unclosed tag <B>'|'<B>'@5-8 html()@5-9 text'z'@10-11 paragraph()@10-12 "
            "error'Unclosed tag <A>'|'<A>'@0-3 html()@0-4");
}

// Inside block quotes the library's HTML text lacks the "> " prefixes; the
// tag's end still falls on the source's ">", so the component's source is "b".
TEST(Region, ComponentSourceStartsAfterItsTagInsideBlockQuotes) {
  EXPECT_EQ(render(parse_run("> > a <A\n> >x='\xC3\xA9'>b</A>\n")),
            "blockquote(blockquote(paragraph(text'a '@4-6 component'A'|'b'(text'b'@19-20)@6-24)@4-25)@2-25)@0-25");
}

// Containers nested past the bound are flattened into the deepest allowed
// one: the tree stays within the bound, every text survives, one error says so.
TEST(Region, KeepsDeepNestingWithinTheBound) {
  std::string nested_items;
  for (std::size_t k = 0; k < 400; ++k) nested_items += std::string(2 * k, ' ') + "- i\n";
  const std::pair<std::string, std::string> cases[] = {
      {repeat("> ", 100000) + "x", "x"},
      {repeat("*", 32500) + "x" + repeat("*", 32500), "x"},
      {nested_items, std::string(400, 'i')},
  };
  for (const auto& [input, text] : cases) {
    for (std::size_t depth : {std::size_t{0}, std::size_t{200}, ast::kMaxNodeDepth - 1}) {
      ast::NodeList nodes = parse_run(input, depth);
      EXPECT_LE(height(nodes), ast::kMaxNodeDepth - depth);
      std::string all = texts(nodes);
      all.erase(std::remove(all.begin(), all.end(), '\n'), all.end());
      EXPECT_EQ(all, text);
      EXPECT_EQ(count_errors(nodes), 1u);
    }
  }
}

TEST(Region, ShallowNestingIsLeftAlone) {
  // Quotes, a paragraph and its text fill the levels left below depth 10.
  ast::NodeList nodes = parse_run(repeat("> ", ast::kMaxNodeDepth - 10 - 2) + "x", 10);
  EXPECT_EQ(height(nodes), ast::kMaxNodeDepth - 10);
  EXPECT_EQ(count_errors(nodes), 0u);
}

}  // namespace
}  // namespace vyn::parser
