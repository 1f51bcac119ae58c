// Writing a hand-built tree and reading it back gives the same tree, for every
// node kind, every math kind and every optional field present and absent.
#include <gtest/gtest.h>

#include "ast/read.hpp"
#include "ast/write.hpp"

namespace vyn::ast {
namespace {

Position at(std::uint64_t offset) { return {{1, offset + 1, offset}, {2, 3, offset + 9}}; }

using E = MathExpr;

MathExpr ident(std::string name) { return E::Ident{std::move(name)}; }
MathExpr number(std::string digits) { return E::Number{std::move(digits)}; }

// One expression of each of the 34 kinds, with optional children both present and absent.
ExprList every_math_kind() {
  ExprList all;
  all.push_back(ident("x"));
  all.push_back(E::Number{"42"});
  all.push_back(E::Operator{{"+", OperatorKind::Binary}});
  all.push_back(E::Text{"if"});
  all.push_back(E::Row{{ident("a"), E::Number{"1"}}});
  all.push_back(E::Fenced{Delimiter::Paren, Delimiter::None, {ident("y")}});
  all.push_back(E::Superscript{ident("x"), number("2")});
  all.push_back(E::Subscript{ident("x"), ident("i")});
  all.push_back(E::Subsuperscript{ident("x"), ident("i"), number("2")});
  all.push_back(E::Frac{ident("a"), ident("b"), FracStyle::Auto});
  all.push_back(E::Sqrt{std::nullopt, ident("x")});
  all.push_back(E::Sqrt{ExprBox(number("3")), ident("x")});
  all.push_back(E::Overline{ident("z")});
  all.push_back(E::Underline{ident("z")});
  all.push_back(E::Overbrace{ident("z"), ExprBox(MathExpr(E::Text{"n"}))});
  all.push_back(E::Underbrace{ident("z"), std::nullopt});
  all.push_back(E::Overset{ident("o"), ident("b")});
  all.push_back(E::Underset{ident("u"), ident("b")});
  all.push_back(E::Accent{AccentKind::WideTilde, ident("v")});
  E::BigOperator sum{MathOperator{"∑", OperatorKind::Large}, LimitStyle::NoLimits, ExprBox(ident("i")), std::nullopt};
  all.push_back(std::move(sum));
  all.push_back(E::Matrix{{{ident("a"), ident("b")}, {}}, MatrixDelimiters::DoublePipe});
  all.push_back(E::Cases{{CaseRow{ident("a"), ExprBox(ident("c"))}, CaseRow{ident("b"), std::nullopt}}});
  all.push_back(E::Array{{ColumnAlign::Left, ColumnAlign::Right}, {{ident("a")}}});
  all.push_back(E::Align{{AlignRow{{ident("a"), ident("b")}, "eq:1"}, AlignRow{{}, std::nullopt}}, true});
  all.push_back(E::Gather{{ident("a"), ident("b")}, false});
  all.push_back(E::Space{{SpaceKind::QQuad, {}}});
  all.push_back(E::Space{{SpaceKind::Custom, "2em"}});
  all.push_back(E::Phantom{ident("p")});
  all.push_back(E::HPhantom{ident("p")});
  all.push_back(E::VPhantom{ident("p")});
  all.push_back(E::Smash{ident("s"), SmashMode::Bottom});
  all.push_back(E::StyleOverride{MathStyle::ScriptScript, ident("s")});
  all.push_back(E::FontOverride{MathFont::BoldItalic, ident("f")});
  all.push_back(E::Color{"red", ident("c")});
  all.push_back(E::Chem{"H2O"});
  all.push_back(E::Error{"\\bad", "Unknown command"});
  return all;
}

Node block(NodeKind kind, NodeList children, std::uint64_t offset) {
  return make_block(kind, std::move(children), at(offset));
}

// One node of each of the 30 kinds, optional fields filled on one and left
// out on another.
NodeList every_node_kind() {
  NodeList all;
  all.push_back(make_text("plain \"quoted\"", at(0)));
  all.push_back(make_node(NodeKind::CodeInline, CodeInlineNode{"x", "", at(1)}));
  all.push_back(make_node(NodeKind::CodeInline, CodeInlineNode{"x", std::nullopt, at(2)}));
  all.push_back(make_node(NodeKind::CodeBlock,
                          CodeBlockNode{"fn main() {}", "rust", "{1}", "main.rs",
                                        std::vector<std::uint32_t>{1, 4294967295u}, true, false, "The entry", at(3)}));
  all.push_back(make_node(NodeKind::CodeBlock, CodeBlockNode{"", {}, {}, {}, {}, {}, {}, {}, at(4)}));
  for (auto kind :
       {NodeKind::Paragraph, NodeKind::List, NodeKind::ListItem, NodeKind::Blockquote, NodeKind::ThematicBreak,
        NodeKind::Html, NodeKind::Table, NodeKind::TableRow, NodeKind::TableCell, NodeKind::Emphasis, NodeKind::Strong,
        NodeKind::Strikethrough, NodeKind::DefinitionList, NodeKind::DefinitionTerm, NodeKind::DefinitionDescription}) {
    all.push_back(block(kind, {make_text("in", at(6))}, 5));
  }
  Node heading = block(NodeKind::Heading, {}, 7);
  heading.as<StandardBlockNode>() = StandardBlockNode{255, false, true, "", {}, at(7)};
  all.push_back(std::move(heading));
  all.push_back(make_node(NodeKind::Link, LinkNode{"https://x.org", "t", {make_text("l", at(8))}, at(8)}));
  all.push_back(make_node(NodeKind::Image, ImageNode{"a.png", std::nullopt, "alt", {}, at(9)}));
  all.push_back(
      make_node(NodeKind::FootnoteDefinition, FootnoteNode{"1", {block(NodeKind::Paragraph, {}, 10)}, at(10)}));
  all.push_back(make_node(NodeKind::FootnoteReference, FootnoteNode{"1", {make_text("r", at(11))}, at(11)}));
  for (auto& expr : every_math_kind()) {
    all.push_back(make_node(NodeKind::MathInline, MathNode{"x", std::move(expr), at(12)}));
  }
  all.push_back(make_node(NodeKind::MathDisplay, MathDisplayNode{"x", ident("x"), "eq:a", at(13)}));
  all.push_back(make_node(NodeKind::MathDisplay, MathDisplayNode{"x", ident("x"), std::nullopt, at(13)}));
  all.push_back(make_node(
      NodeKind::Citation,
      CitationNode{{CitationKey{"knuth", "see", "p. 3"}, CitationKey{"lamport", std::nullopt, std::nullopt}}, at(14)}));
  all.push_back(make_node(NodeKind::CrossRef, CrossRefNode{"fig:1", at(15)}));
  Json attribute_object = {{"B", 1}, {"a", {nullptr, true, -3, 3.5, "s"}}};
  all.push_back(
      make_node(NodeKind::Component,
                ComponentNode{"Card",
                              true,
                              {AttributeNode{"n", Json(nullptr), at(16)}, AttributeNode{"o", attribute_object, at(17)},
                               AttributeNode{"u", Json(std::uint64_t{18446744073709551615u}), at(18)}},
                              {make_text("body", at(19))},
                              "<Card>body</Card>",
                              at(16)}));
  all.push_back(make_node(NodeKind::Component, ComponentNode{"Empty", false, {}, {}, "", at(20)}));
  all.push_back(make_node(NodeKind::Variable, VariableNode{"user.name", at(21)}));
  all.push_back(make_error("Unclosed component", "", at(22)));
  return all;
}

Root every_kind_root(std::optional<Json> frontmatter) {
  Root root;
  root.frontmatter = std::move(frontmatter);
  root.children = every_node_kind();
  root.position = at(0);
  return root;
}

TEST(RoundTrip, EveryKindReadsBackEqualAndWritesTheSameDictionary) {
  for (const auto& frontmatter : {std::optional<Json>(), std::optional<Json>(Json{{"title", "T"}, {"n", -1}})}) {
    const Root root = every_kind_root(frontmatter);
    const Json written = serialize(root);
    auto read = read_root(written);
    ASSERT_TRUE(read) << read.error().message;
    EXPECT_EQ(read.value(), root);
    EXPECT_EQ(serialize(read.value()), written);
  }
}

TEST(RoundTrip, SingleNodeReadsBack) {
  for (const auto& node : every_node_kind()) {
    auto read = read_node(serialize(node));
    ASSERT_TRUE(read) << read.error().message;
    EXPECT_EQ(read.value(), node);
  }
}

// A variable reference is written as a bare object and so reads back as an
// object value, which writes out the same.
TEST(RoundTrip, VariableAttributeReadsBackAsAnObjectThatWritesTheSame) {
  ComponentNode component{"C", false, {AttributeNode{"v", VariableNode{"a.b", at(1)}, at(2)}}, {}, "", at(0)};
  const Json written = serialize(make_node(NodeKind::Component, component));
  auto read = read_node(written);
  ASSERT_TRUE(read) << read.error().message;
  const auto& value = read.value().as<ComponentNode>().attributes[0].value;
  ASSERT_TRUE(std::holds_alternative<Json>(value));
  EXPECT_EQ(std::get<Json>(value), written["attributes"][0]["value"]);
  EXPECT_EQ(serialize(read.value()), written);
}

}  // namespace
}  // namespace vyn::ast
