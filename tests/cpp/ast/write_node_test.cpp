// The dictionary form of document nodes and the root: every kind, the
// omission rules and attribute values.
#include <gtest/gtest.h>

#include <algorithm>

#include "ast/json_sink.hpp"
#include "ast/write.hpp"
#include "expect_written.hpp"

namespace vyn::ast::testing {
namespace {

struct NodeCase {
  Node node;
  std::string_view literal;
};

Node text_node(std::string value) { return make_text(std::move(value), kP); }

TEST(WriteNode, StandardBlockKindsShareOneShape) {
  const std::vector<std::pair<NodeKind, std::string_view>> kinds = {
      {NodeKind::Paragraph, "paragraph"},
      {NodeKind::Heading, "heading"},
      {NodeKind::List, "list"},
      {NodeKind::ListItem, "list_item"},
      {NodeKind::Blockquote, "blockquote"},
      {NodeKind::ThematicBreak, "thematic_break"},
      {NodeKind::Html, "html"},
      {NodeKind::Table, "table"},
      {NodeKind::TableRow, "table_row"},
      {NodeKind::TableCell, "table_cell"},
      {NodeKind::Emphasis, "emphasis"},
      {NodeKind::Strong, "strong"},
      {NodeKind::Strikethrough, "strikethrough"},
      {NodeKind::DefinitionList, "definition_list"},
      {NodeKind::DefinitionTerm, "definition_term"},
      {NodeKind::DefinitionDescription, "definition_description"},
  };
  for (const auto& [kind, name] : kinds)
    expect_written(make_block(kind, {}, kP), R"({"children":[],"position":@P,"type":")" + std::string(name) + "\"}");

  Node heading = make_block(NodeKind::Heading, {text_node("Hi")}, kP);
  heading.as<StandardBlockNode>().depth = 2;
  heading.as<StandardBlockNode>().id = "hi";
  expect_written(heading,
                 R"({"children":[{"position":@P,"type":"text","value":"Hi"}],"depth":2,"id":"hi","position":@P,)"
                 R"("type":"heading"})");
  Node item = make_block(NodeKind::ListItem, {}, kP);
  item.as<StandardBlockNode>().checked = false;
  item.as<StandardBlockNode>().ordered = true;
  item.as<StandardBlockNode>().id = "";
  expect_written(item, R"({"checked":false,"children":[],"id":"","ordered":true,"position":@P,"type":"list_item"})");
}

TEST(WriteNode, PayloadKindsWriteTheirFieldsAndLeaveOutAbsentOptions) {
  CodeBlockNode full{"code", "", "m", "t", std::vector<std::uint32_t>{1, 3}, false, true, "c", kP};
  Node nested_link = make_node(NodeKind::Link, LinkNode{"u", std::nullopt, {text_node("a")}, kP});
  ComponentNode component{"Note", true, {}, {text_node("b")}, "b", kP};
  const std::vector<NodeCase> cases = {
      {text_node("hi"), R"({"position":@P,"type":"text","value":"hi"})"},
      {make_node(NodeKind::CodeInline, CodeInlineNode{"x=1", std::nullopt, kP}),
       R"({"position":@P,"type":"code_inline","value":"x=1"})"},
      {make_node(NodeKind::CodeInline, CodeInlineNode{"x=1", "py", kP}),
       R"({"lang":"py","position":@P,"type":"code_inline","value":"x=1"})"},
      {make_node(NodeKind::CodeBlock, CodeBlockNode{"", {}, {}, {}, {}, {}, {}, {}, kP}),
       R"({"position":@P,"type":"code_block","value":""})"},
      {make_node(NodeKind::CodeBlock, full),
       R"({"caption":"c","diff":true,"highlight":[1,3],"lang":"","meta":"m","position":@P,"showLineNumbers":false,)"
       R"("title":"t","type":"code_block","value":"code"})"},
      {nested_link,
       R"({"children":[{"position":@P,"type":"text","value":"a"}],"position":@P,"type":"link","url":"u"})"},
      {make_node(NodeKind::Link, LinkNode{"u", "", {}, kP}),
       R"({"children":[],"position":@P,"title":"","type":"link","url":"u"})"},
      {make_node(NodeKind::Image, ImageNode{"i.png", "T", "alt", {}, kP}),
       R"({"alt":"alt","children":[],"position":@P,"title":"T","type":"image","url":"i.png"})"},
      {make_node(NodeKind::Image, ImageNode{"i.png", std::nullopt, std::nullopt, {}, kP}),
       R"({"children":[],"position":@P,"type":"image","url":"i.png"})"},
      {make_node(NodeKind::FootnoteDefinition, FootnoteNode{"n", {text_node("a")}, kP}),
       R"({"children":[{"position":@P,"type":"text","value":"a"}],"label":"n","position":@P,)"
       R"("type":"footnote_definition"})"},
      {make_node(NodeKind::FootnoteReference, FootnoteNode{"n", {text_node("a")}, kP}),
       R"({"children":[{"position":@P,"type":"text","value":"a"}],"label":"n","position":@P,)"
       R"("type":"footnote_reference"})"},
      {make_node(NodeKind::MathInline, MathNode{"x", kX, kP}),
       R"({"position":@P,"raw":"x","tree":@X,"type":"math_inline"})"},
      {make_node(NodeKind::MathDisplay, MathDisplayNode{"x", kX, std::nullopt, kP}),
       R"({"position":@P,"raw":"x","tree":@X,"type":"math_display"})"},
      {make_node(NodeKind::MathDisplay, MathDisplayNode{"x", kX, "eq:1", kP}),
       R"({"label":"eq:1","position":@P,"raw":"x","tree":@X,"type":"math_display"})"},
      {make_node(NodeKind::Citation, CitationNode{{{"a", std::nullopt, std::nullopt}, {"b", "see", "p. 2"}}, kP}),
       R"({"keys":[{"id":"a"},{"id":"b","locator":"p. 2","prefix":"see"}],"position":@P,"type":"citation"})"},
      {make_node(NodeKind::CrossRef, CrossRefNode{"fig:1", kP}),
       R"({"position":@P,"target":"fig:1","type":"cross_ref"})"},
      {make_node(NodeKind::Component, ComponentNode{"Note", false, {}, {}, "", kP}),
       R"({"attributes":[],"children":[],"isInline":false,"name":"Note","position":@P,"type":"component"})"},
      {make_node(NodeKind::Component, component),
       R"({"attributes":[],"children":[{"position":@P,"type":"text","value":"b"}],"isInline":true,"name":"Note",)"
       R"("position":@P,"rawContent":"b","type":"component"})"},
      {make_node(NodeKind::Variable, VariableNode{"user.name", kP}),
       R"({"path":"user.name","position":@P,"type":"variable"})"},
      {make_error("bad", "", kP), R"({"message":"bad","position":@P,"rawContent":"","type":"error"})"},
      {make_error("bad", "<X", kP), R"({"message":"bad","position":@P,"rawContent":"<X","type":"error"})"},
  };
  for (const auto& c : cases) expect_written(c.node, c.literal);
}

TEST(WriteNode, AttributeValuesAreBareJsonAndVariablesHaveNoType) {
  std::vector<AttributeNode> attributes = {
      {"a", Json(nullptr), kP},
      {"b", Json(true), kP},
      {"c", Json(3u), kP},
      {"d", Json(-3), kP},
      {"e", Json(3.5), kP},
      {"f", Json("s"), kP},
      {"g", Json::array({1u, "x"}), kP},
      {"h", Json{{"b", 1u}, {"B", Json::object()}}, kP},
      {"i", VariableNode{"a.b", kP}, kP},
  };
  expect_written(make_node(NodeKind::Component, ComponentNode{"C", false, attributes, {}, "", kP}),
                 R"({"attributes":[)"
                 R"({"name":"a","position":@P,"value":null},)"
                 R"({"name":"b","position":@P,"value":true},)"
                 R"({"name":"c","position":@P,"value":3},)"
                 R"({"name":"d","position":@P,"value":-3},)"
                 R"({"name":"e","position":@P,"value":3.5},)"
                 R"({"name":"f","position":@P,"value":"s"},)"
                 R"({"name":"g","position":@P,"value":[1,"x"]},)"
                 R"({"name":"h","position":@P,"value":{"B":{},"b":1}},)"
                 R"({"name":"i","position":@P,"value":{"path":"a.b","position":@P}}],)"
                 R"("children":[],"isInline":false,"name":"C","position":@P,"type":"component"})");
}

TEST(WriteRoot, FrontmatterIsAlwaysWrittenWithSortedKeys) {
  Root empty;
  empty.position = kP;
  expect_written(empty, R"({"children":[],"frontmatter":null,"position":@P,"type":"root"})");

  Root root;
  root.position = kP;
  root.frontmatter = Json{{"b", Json::array({true, nullptr, -3, 3.5, "s"})}, {"B", 1u}, {"a", Json::object()}};
  root.children.push_back(text_node("x"));
  expect_written(root, R"({"children":[{"position":@P,"type":"text","value":"x"}],)"
                       R"("frontmatter":{"B":1,"a":{},"b":[true,null,-3,3.5,"s"]},"position":@P,"type":"root"})");
}

// Counts the objects it is given to build, and repeats what it was told to mark.
class RepeatingSink final : public Sink {
 public:
  void begin_object() override { ++objects; }
  void key(Key) override {}
  void end_object() override {}
  void begin_array(std::size_t) override {}
  void end_array() override {}
  void null() override {}
  void boolean(bool) override {}
  void unsigned_integer(std::uint64_t) override {}
  void signed_integer(std::int64_t) override {}
  void floating(double) override {}
  void string(std::string_view) override {}
  void mark(const void* identity) override { marked.push_back(identity); }
  bool repeat(const void* identity) override {
    bool found = std::find(marked.begin(), marked.end(), identity) != marked.end();
    if (found) repeated.push_back(identity);
    return found;
  }

  std::size_t objects = 0;
  std::vector<const void*> marked;
  std::vector<const void*> repeated;
};

TEST(WriteNodeList, NodesInsideEarlierOnesAreWrittenOnceForSinksThatRepeat) {
  auto quote = [](NodeList children) { return make_block(NodeKind::Blockquote, std::move(children), kP); };
  // a holds b (which holds c) and d; e follows a.
  NodeList top;
  top.push_back(quote({}));
  top[0].children()->push_back(quote({quote({})}));
  top[0].children()->push_back(quote({}));
  top.push_back(quote({}));
  const Node& a = top[0];
  const Node& b = a.children()->at(0);
  const std::vector<const Node*> listed = {&a, &b, &b.children()->at(0), &a.children()->at(1), &top[1]};

  JsonSink copies;
  write_node_list(listed, copies);
  Json expected = Json::array();
  for (const Node* node : listed) expected.push_back(serialize(*node));
  EXPECT_EQ(copies.take(), expected);

  RepeatingSink repeating;
  write_node_list(listed, repeating);
  // Each blockquote is itself, its position and the position's two points; a and e are written.
  EXPECT_EQ(repeating.objects, 4u * (4 + 1));
  // Marked as each is completed, c before b; repeated in the list's order.
  EXPECT_EQ(repeating.marked, (std::vector<const void*>{listed[2], listed[1], listed[3]}));
  EXPECT_EQ(repeating.repeated, (std::vector<const void*>{listed[1], listed[2], listed[3]}));
}

}  // namespace
}  // namespace vyn::ast::testing
