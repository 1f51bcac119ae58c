#include "schema/validate.hpp"

#include <algorithm>
#include <string_view>
#include <variant>

namespace vyn::schema {

namespace {

// How a type is named when a value does not fit it.
constexpr std::array<std::string_view, 8> kExpectedTexts = {"string", "number", "boolean",  "string (enum)",
                                                            "object", "array",  "variable", "any"};

std::string_view got_text(const ast::Json& value) {
  if (value.is_null()) return "null";
  if (value.is_boolean()) return "boolean";
  if (value.is_number()) return "number";
  if (value.is_string()) return "string";
  if (value.is_array()) return "array";
  return "object";
}

bool accepts(PropType type, const ast::Json& value) {
  switch (type) {
    case PropType::String:
    case PropType::Enum: return value.is_string();
    case PropType::Number: return value.is_number();
    case PropType::Boolean: return value.is_boolean();
    case PropType::Object: return value.is_object();
    case PropType::Array: return value.is_array();
    case PropType::Variable: return false;
    case PropType::Any: return true;
  }
  return true;
}

bool contains(const std::vector<std::string>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

std::string joined(const std::vector<std::string>& values) {
  std::string text;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) text += ", ";
    text += values[i];
  }
  return text;
}

// Collects the findings about one component.
class Findings {
 public:
  Findings(const ast::ComponentNode& component, Diagnostics& diagnostics)
      : component_(component), diagnostics_(diagnostics) {}

  void about_component(std::string message) { add(std::move(message), component_.position, Severity::Error); }
  void about_attribute(const ast::AttributeNode& attribute, std::string message, Severity severity = Severity::Error) {
    add(std::move(message), attribute.position, severity);
  }
  // "<Name>" as messages quote a component.
  std::string tag() const { return "<" + component_.name + ">"; }

 private:
  void add(std::string message, const ast::Position& position, Severity severity) {
    diagnostics_.push_back({std::move(message), component_.name, position.start.line, position.start.column, severity});
  }

  const ast::ComponentNode& component_;
  Diagnostics& diagnostics_;
};

const PropSchema* find_prop(const ComponentSchema& component, const Schema& schema, const std::string& name) {
  if (auto own = component.props.find(name); own != component.props.end()) return &own->second;
  for (const auto& [global_name, prop] : schema.global_props)
    if (global_name == name) return &prop;
  return nullptr;
}

// Missing required props, reported in byte-wise order of their names so the
// list does not depend on the order of the props map.
void check_required(const ast::ComponentNode& node, const ComponentSchema& component, Findings& findings) {
  std::vector<std::string_view> missing;
  for (const auto& [name, prop] : component.props) {
    if (!prop.required) continue;
    bool given = std::any_of(node.attributes.begin(), node.attributes.end(),
                             [&name = name](const ast::AttributeNode& attribute) { return attribute.name == name; });
    if (!given) missing.push_back(name);
  }
  std::sort(missing.begin(), missing.end());
  for (auto name : missing) findings.about_component("missing required prop `" + std::string(name) + "`");
}

void check_attribute(const ast::AttributeNode& attribute, const ComponentSchema& component, const Schema& schema,
                     Findings& findings) {
  const PropSchema* prop = find_prop(component, schema, attribute.name);
  if (!prop) {
    findings.about_attribute(attribute, "unknown prop `" + attribute.name + "` on " + findings.tag(),
                             Severity::Warning);
    return;
  }
  const auto* value = std::get_if<ast::Json>(&attribute.value);
  if (!value) return;  // a variable reference fits every type
  const std::string about = "prop `" + attribute.name + "` on " + findings.tag();
  if (!accepts(prop->type, *value)) {
    findings.about_attribute(attribute, about + " expects " +
                                            std::string(kExpectedTexts[static_cast<std::size_t>(prop->type)]) +
                                            ", got " + std::string(got_text(*value)));
    return;
  }
  if (prop->type == PropType::Enum && prop->values && !contains(*prop->values, value->get_ref<const std::string&>()))
    findings.about_attribute(attribute, about + " must be one of [" + joined(*prop->values) + "], got \"" +
                                            value->get_ref<const std::string&>() + "\"");
}

}  // namespace

Diagnostics validate(const ast::Root& root, const Schema& schema) {
  Diagnostics diagnostics;
  validate_nodes(root.children, schema, diagnostics, nullptr);
  return diagnostics;
}

// Recursion follows the tree, whose depth the parser and the reader bound.
void validate_nodes(const ast::NodeList& nodes, const Schema& schema, Diagnostics& diagnostics, Allowed allowed) {
  for (const auto& node : nodes) {
    if (node.kind == ast::NodeKind::Component)
      validate_component(node.as<ast::ComponentNode>(), schema, diagnostics, allowed);
    else if (ast::kind_info(node.kind).enters.validate)  // an allowed list binds only a component's own children
      validate_nodes(*node.children(), schema, diagnostics, nullptr);
  }
}

void validate_component(const ast::ComponentNode& node, const Schema& schema, Diagnostics& diagnostics,
                        Allowed allowed) {
  Findings findings(node, diagnostics);
  if (allowed && !contains(*allowed, node.name))
    findings.about_component(findings.tag() + " is not allowed as a child here");
  auto found = schema.components.find(node.name);
  if (found == schema.components.end()) {
    if (schema.strict) findings.about_component("unknown component " + findings.tag());
    return;
  }
  const ComponentSchema& component = found->second;
  if (component.self_closing && !node.children.empty())
    findings.about_component(findings.tag() + " must be self-closing (no children)");
  check_required(node, component, findings);
  for (const auto& attribute : node.attributes) check_attribute(attribute, component, schema, findings);
  validate_nodes(node.children, schema, diagnostics,
                 component.allowed_children ? &*component.allowed_children : nullptr);
}

void write_diagnostics(const Diagnostics& diagnostics, ast::Sink& sink) {
  sink.begin_array(diagnostics.size());
  for (const auto& d : diagnostics) {
    sink.begin_object();
    sink.key("column");
    sink.unsigned_integer(d.column);
    sink.key("component");
    sink.string(d.component);
    sink.key("line");
    sink.unsigned_integer(d.line);
    sink.key("message");
    sink.string(d.message);
    sink.key("severity");
    sink.string(d.severity == Severity::Error ? "error" : "warning");
    sink.end_object();
  }
  sink.end_array();
}

}  // namespace vyn::schema
