#include "schema/validate.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../transform/builders.hpp"
#include "ast/json_sink.hpp"

namespace vyn::schema {
namespace {

using namespace vyn::testing;
using ast::Json;

PropSchema prop(PropType type, bool required = false) {
  PropSchema p;
  p.type = type;
  p.required = required;
  return p;
}

ComponentSchema component_schema(std::unordered_map<std::string, PropSchema> props = {}) {
  ComponentSchema c;
  c.props = std::move(props);
  return c;
}

// The messages of the findings, each prefixed "W " for a warning.
std::vector<std::string> messages(const NodeList& nodes, const Schema& schema) {
  std::vector<std::string> out;
  for (const auto& d : validate(root_of(nodes), schema))
    out.push_back((d.severity == Severity::Warning ? "W " : "") + d.message);
  return out;
}

using Messages = std::vector<std::string>;

TEST(Validate, UnknownComponentsAreReportedOnlyWhenStrictAndNotEntered) {
  NodeList nodes;
  nodes.push_back(component("Card", {component("Inner")}));
  nodes.push_back(block(NodeKind::Paragraph, {component("Chip")}));
  Schema schema;
  EXPECT_EQ(messages(nodes, schema), Messages{});
  schema.strict = true;
  EXPECT_EQ(messages(nodes, schema), (Messages{"unknown component <Card>", "unknown component <Chip>"}));
}

TEST(Validate, AllowedChildrenBindOnlyDirectComponentChildren) {
  Schema schema;
  schema.strict = true;
  schema.components["Tabs"] = component_schema();
  schema.components["Tabs"].allowed_children = std::vector<std::string>{"Tab"};
  schema.components["Tab"] = component_schema();
  schema.components["Empty"] = component_schema();
  schema.components["Empty"].allowed_children = std::vector<std::string>{};
  NodeList nodes;
  nodes.push_back(component("Tabs", {component("Tab"), component("Card"), component("tab"),
                                     block(NodeKind::Paragraph, {component("Tab2")})}));
  nodes.push_back(component("Empty", {component("Tab"), block(NodeKind::Paragraph, {component("Tab")})}));
  EXPECT_EQ(messages(nodes, schema), (Messages{"<Card> is not allowed as a child here", "unknown component <Card>",
                                               "<tab> is not allowed as a child here", "unknown component <tab>",
                                               "unknown component <Tab2>", "<Tab> is not allowed as a child here"}));
}

TEST(Validate, SelfClosingComponentsMayHaveNoChildOfAnyKind) {
  Schema schema;
  schema.components["Img"] = component_schema();
  schema.components["Img"].self_closing = true;
  NodeList nodes;
  nodes.push_back(component("Img", {text("x")}));
  nodes.push_back(component("Img"));
  EXPECT_EQ(messages(nodes, schema), Messages{"<Img> must be self-closing (no children)"});
}

TEST(Validate, MissingRequiredPropsComeInByteOrderOfTheirNames) {
  Schema schema;
  schema.components["X"] = component_schema({{"b", prop(PropType::String, true)},
                                             {"a", prop(PropType::String, true)},
                                             {"Z", prop(PropType::String, true)},
                                             {"given", prop(PropType::Number, true)},
                                             {"optional", prop(PropType::String)}});
  schema.global_props.push_back({"g", prop(PropType::String, true)});
  NodeList nodes;
  nodes.push_back(component_with("X", {attribute("given", Json("wrong type"))}));
  EXPECT_EQ(messages(nodes, schema),
            (Messages{"missing required prop `Z`", "missing required prop `a`", "missing required prop `b`",
                      "prop `given` on <X> expects number, got string"}));
}

TEST(Validate, ChecksEachAttributeAgainstItsOwnPropThenTheFirstGlobalOne) {
  Schema schema;
  schema.components["X"] = component_schema({{"k", prop(PropType::Number)}});
  schema.global_props.push_back({"k", prop(PropType::String)});
  schema.global_props.push_back({"g", prop(PropType::Boolean)});
  schema.global_props.push_back({"g", prop(PropType::Any)});
  NodeList nodes;
  nodes.push_back(
      component_with("X", {attribute("k", Json("s")), attribute("g", Json(1)), attribute("other", Json::array())}));
  EXPECT_EQ(messages(nodes, schema),
            (Messages{"prop `k` on <X> expects number, got string", "prop `g` on <X> expects boolean, got number",
                      "W unknown prop `other` on <X>"}));
}

TEST(Validate, TypeMessagesNameTheExpectedAndTheFoundKind) {
  struct Case {
    PropType type;
    Json value;
    std::string message;  // empty when accepted
  };
  const Case cases[] = {
      {PropType::String, Json(nullptr), "prop `p` on <X> expects string, got null"},
      {PropType::Number, Json(true), "prop `p` on <X> expects number, got boolean"},
      {PropType::Number, Json(-3), ""},
      {PropType::Number, Json(2.5), ""},
      {PropType::Boolean, Json(7u), "prop `p` on <X> expects boolean, got number"},
      {PropType::Enum, Json(3), "prop `p` on <X> expects string (enum), got number"},
      {PropType::Object, Json::array(), "prop `p` on <X> expects object, got array"},
      {PropType::Array, Json::object(), "prop `p` on <X> expects array, got object"},
      {PropType::Variable, Json("s"), "prop `p` on <X> expects variable, got string"},
      {PropType::Variable, Json{{"path", "a"}, {"position", 1}}, "prop `p` on <X> expects variable, got object"},
      {PropType::Any, Json(nullptr), ""},
  };
  for (const auto& c : cases) {
    Schema schema;
    schema.components["X"] = component_schema({{"p", prop(c.type)}});
    NodeList nodes;
    nodes.push_back(component_with("X", {attribute("p", c.value)}));
    EXPECT_EQ(messages(nodes, schema), c.message.empty() ? Messages{} : Messages{c.message}) << c.value;
  }
}

TEST(Validate, VariableReferencesFitEveryType) {
  for (auto type : {PropType::String, PropType::Number, PropType::Variable, PropType::Enum}) {
    Schema schema;
    schema.components["X"] = component_schema({{"p", prop(type)}});
    schema.components["X"].props["p"].values = std::vector<std::string>{};
    NodeList nodes;
    nodes.push_back(component_with("X", {attribute("p", ast::VariableNode{"a.b", {}})}));
    EXPECT_EQ(messages(nodes, schema), Messages{});
  }
}

TEST(Validate, EnumValuesAreMatchedExactlyWhenGiven) {
  struct Case {
    std::optional<std::vector<std::string>> values;
    std::string value;
    std::string message;
  };
  const Case cases[] = {
      {std::vector<std::string>{"a", "b"}, "c", "prop `k` on <X> must be one of [a, b], got \"c\""},
      {std::vector<std::string>{"a", "b"}, "b", ""},
      {std::vector<std::string>{"a\"q"}, "A", "prop `k` on <X> must be one of [a\"q], got \"A\""},
      {std::vector<std::string>{}, "a", "prop `k` on <X> must be one of [], got \"a\""},
      {std::nullopt, "anything", ""},
  };
  for (const auto& c : cases) {
    Schema schema;
    schema.components["X"] = component_schema({{"k", prop(PropType::Enum)}});
    schema.components["X"].props["k"].values = c.values;
    NodeList nodes;
    nodes.push_back(component_with("X", {attribute("k", Json(c.value))}));
    EXPECT_EQ(messages(nodes, schema), c.message.empty() ? Messages{} : Messages{c.message}) << c.value;
  }
}

TEST(Validate, PlacesFindingsAtTheComponentOrTheAttributeInDocumentOrder) {
  Schema schema;
  schema.strict = true;
  schema.components["Outer"] = component_schema({{"need", prop(PropType::String, true)}});
  NodeList nodes;
  ast::Position outer{{2, 3, 10}, {9, 1, 90}};
  ast::Position attr{{2, 10, 17}, {2, 15, 22}};
  ast::Position inner{{4, 1, 30}, {4, 9, 38}};
  nodes.push_back(
      component_with("Outer", {attribute("x", Json(1), attr)}, {component_with("Inner", {}, {}, inner)}, outer));
  nodes.push_back(component_with("Last", {}, {}, {{10, 1, 95}, {10, 8, 102}}));
  Diagnostics expected = {
      {"missing required prop `need`", "Outer", 2, 3, Severity::Error},
      {"unknown prop `x` on <Outer>", "Outer", 2, 10, Severity::Warning},
      {"unknown component <Inner>", "Inner", 4, 1, Severity::Error},
      {"unknown component <Last>", "Last", 10, 1, Severity::Error},
  };
  EXPECT_EQ(validate(root_of(std::move(nodes)), schema), expected);
}

TEST(WriteDiagnostics, WritesAnArrayOfObjectsWithSortedKeys) {
  ast::JsonSink sink;
  write_diagnostics({{"m", "C", 2, 3, Severity::Warning}, {"n", "D", 4, 5, Severity::Error}}, sink);
  Json written = sink.take();
  EXPECT_EQ(written.dump(), R"([{"column":3,"component":"C","line":2,"message":"m","severity":"warning"},)"
                            R"({"column":5,"component":"D","line":4,"message":"n","severity":"error"}])");
  EXPECT_TRUE(written[0]["line"].is_number_unsigned());
}

}  // namespace
}  // namespace vyn::schema
