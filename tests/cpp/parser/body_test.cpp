// Bodies into nodes: the nesting bound of components, closing lines shared
// between nesting levels, and inputs built to exhaust time or stack.
#include "parser/body.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ast/limits.hpp"
#include "parser/parser.hpp"
#include "parser/scanner.hpp"
#include "repeat.hpp"

namespace vyn::parser {
namespace {

using vyn::test_input::repeat;

// The number of component levels down the first-child chain, and the node
// found at the bottom.
std::pair<std::size_t, const ast::Node*> component_chain(const ast::NodeList& nodes) {
  std::size_t levels = 0;
  const ast::Node* node = nodes.empty() ? nullptr : &nodes.front();
  while (node && node->kind == ast::NodeKind::Component) {
    ++levels;
    const auto& children = node->as<ast::ComponentNode>().children;
    node = children.empty() ? nullptr : &children.front();
  }
  return {levels, node};
}

TEST(ParseBody, ComponentsNestUpToTheDepthBound) {
  const std::size_t allowed = ast::kMaxNodeDepth - 1;
  std::string within = repeat("<A>\n", allowed) + repeat("</A>\n", allowed);
  auto [levels, bottom] = component_chain(parse(within).children);
  EXPECT_EQ(levels, allowed);
  EXPECT_EQ(bottom, nullptr);

  std::string deeper = repeat("<A>\n", allowed + 1) + "<B/>\n" + repeat("</A>\n", allowed + 1);
  ast::Root root = parse(deeper);
  std::tie(levels, bottom) = component_chain(root.children);
  EXPECT_EQ(levels, allowed);
  ASSERT_NE(bottom, nullptr);
  ASSERT_EQ(bottom->kind, ast::NodeKind::Error);
  const auto& error = bottom->as<ast::ErrorNode>();
  EXPECT_EQ(error.message, "Component nesting deeper than 255 levels");
  std::uint64_t start = 4 * allowed;
  EXPECT_EQ(error.raw_content, deeper.substr(start, 4 + 5 + 4));
  EXPECT_EQ(error.position.start.offset, start);
  EXPECT_EQ(error.position.end.offset, start + 13);
}

TEST(ParseBody, TheBoundCountsFromTheDepthGiven) {
  std::string input = "<A>\n<B/>\n</A>\n";
  SourceMap source_map(input);
  ParseContext context(input);
  auto nodes = parse_body(input, 0, source_map, input, ast::kMaxNodeDepth - 2, context);
  EXPECT_EQ(component_chain(nodes).first, 2u);
  nodes = parse_body(input, 0, source_map, input, ast::kMaxNodeDepth - 1, context);
  ASSERT_EQ(nodes.size(), 1u);
  EXPECT_EQ(nodes[0].kind, ast::NodeKind::Error);
  // A node without children may still sit at the last level.
  std::string_view leaf = std::string_view(input).substr(4, 4);
  nodes = parse_body(leaf, 4, source_map, input, ast::kMaxNodeDepth - 1, context);
  ASSERT_EQ(nodes.size(), 1u);
  EXPECT_EQ(nodes[0].kind, ast::NodeKind::Component);
}

// Every body scanned on its own, with nothing shared between the scans: the
// cuts the scanner must give with what it remembers between levels.
void scan_alone(std::string_view input, std::uint64_t start, std::uint64_t end, const SourceMap& source_map,
                std::vector<Segment>& out) {
  ClosingLines fresh;
  for (auto& segment : scan_segments(input.substr(start, end - start), start, source_map, fresh)) {
    if (auto* component = std::get_if<Segment::Component>(&segment.value)) {
      scan_alone(input, component->body_start, component->body_end, source_map, out);
    }
    out.push_back(std::move(segment));
  }
}

void scan_shared(std::string_view input, std::uint64_t start, std::uint64_t end, const SourceMap& source_map,
                 ClosingLines& closing_lines, std::vector<Segment>& out) {
  for (auto& segment : scan_segments(input.substr(start, end - start), start, source_map, closing_lines)) {
    if (auto* component = std::get_if<Segment::Component>(&segment.value)) {
      scan_shared(input, component->body_start, component->body_end, source_map, closing_lines, out);
    }
    out.push_back(std::move(segment));
  }
}

TEST(ScanSegments, RememberedClosingLinesMatchFreshSearches) {
  // Lines that open, close and confuse components, including tags whose
  // attributes run over several lines and so read differently in a shorter body.
  const std::vector<std::string_view> lines = {
      "<A>",  "</A>", "<B>", "</B>", "<A x='",   "'>",    "<B y=\"", "\">",      "</A",  ">",
      "<A/>", "text", "```", "$$",   "<A>x</A>", "  <B>", "</B> x",  "<A z={{[", "]}}>",
  };
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> pick(0, lines.size() - 1);
  for (int round = 0; round < 3000; ++round) {
    std::string input;
    std::size_t count = 1 + random() % 24;
    for (std::size_t i = 0; i < count; ++i) input += std::string(lines[pick(random)]) + "\n";
    SourceMap source_map(input);
    std::vector<Segment> alone, shared;
    scan_alone(input, 0, input.size(), source_map, alone);
    ClosingLines closing_lines;
    scan_shared(input, 0, input.size(), source_map, closing_lines, shared);
    ASSERT_EQ(shared, alone) << input;
  }
}

// Inputs that would take quadratic time, deep recursion or huge copies
// through a careless scanner. They only have to come back, with the nodes
// they must give.
TEST(ParseBody, PathologicalInputsComeBack) {
  std::string nested = repeat("<A>\n", 100000);
  auto root = parse(nested);
  ASSERT_EQ(root.children.size(), 1u);
  EXPECT_EQ(root.children[0].as<ast::ErrorNode>().message, "Unclosed tag <A>");

  root = parse(nested + repeat("</A>\n", 100000));
  EXPECT_EQ(component_chain(root.children).first, ast::kMaxNodeDepth - 1);

  root = parse(repeat("<A>\n<B>\n</A>\n", 5000));
  EXPECT_EQ(root.children.size(), 5000u);

  root = parse("<Open>\n" + repeat("<A x={$y\n<A x={{[\"\n<A x={1\n", 3000));
  ASSERT_EQ(root.children.size(), 1u);
  EXPECT_EQ(root.children[0].as<ast::ErrorNode>().message, "Unclosed tag <Open>");

  root = parse(repeat("$$ {#a}\nx\n", 20000));
  for (const auto& node : root.children) EXPECT_NE(node.kind, ast::NodeKind::MathDisplay);

  std::string big(10'000'000, 'v');
  root = parse("<Chart data='" + big + "' />\n");
  ASSERT_EQ(root.children.size(), 1u);
  const auto& attribute = root.children[0].as<ast::ComponentNode>().attributes.at(0);
  EXPECT_EQ(std::get<ast::Json>(attribute.value).get_ref<const std::string&>().size(), big.size());

  root = parse("<Chart data={{[" + repeat("[", 1'000'000) + "]}} />\n");
  EXPECT_EQ(root.children.at(0).kind, ast::NodeKind::Error);
}

TEST(ParseBody, RandomBytesNeverFail) {
  std::mt19937 random(11);
  const std::string_view alphabet = "<>/{}$'\"\\=` ~\n\rAaB_-#:.1[]";
  for (int round = 0; round < 2000; ++round) {
    std::string input;
    std::size_t size = random() % 80;
    for (std::size_t i = 0; i < size; ++i) {
      input += round % 2 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
    }
    auto root = parse(input);
    for (const auto& node : root.children) {
      EXPECT_LE(node.position().start.offset, node.position().end.offset) << input;
      EXPECT_LE(node.position().end.offset, input.size()) << input;
    }
  }
}

}  // namespace
}  // namespace vyn::parser
