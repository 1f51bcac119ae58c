// A one-line rendering of node lists for the parser suites, so that a table
// row can state a whole expected result: kind, payload and byte span per node.
#pragma once

#include <string>

#include "ast/node.hpp"

namespace vyn::testing {

// Appends only (g++ 12 at -O3 warns falsely about some string concatenations).
inline void render_into(std::string& out, const ast::NodeList& nodes);

inline void quoted(std::string& out, std::string_view value) { ((out += '\'') += value) += '\''; }

inline void render_into(std::string& out, const ast::Node& node) {
  using ast::NodeKind;
  out += ast::kind_name(node.kind);
  switch (node.kind) {
    case NodeKind::Text: quoted(out, node.as<ast::TextNode>().value); break;
    case NodeKind::CodeInline: {
      const auto& code = node.as<ast::CodeInlineNode>();
      quoted(out, code.value);
      if (code.lang) ((out += '{') += *code.lang) += '}';
      break;
    }
    case NodeKind::MathInline: quoted(out, node.as<ast::MathNode>().raw); break;
    case NodeKind::CrossRef: quoted(out, node.as<ast::CrossRefNode>().target); break;
    case NodeKind::Variable: quoted(out, node.as<ast::VariableNode>().path); break;
    case NodeKind::Error:
      quoted(out, node.as<ast::ErrorNode>().message);
      out += '|';
      quoted(out, node.as<ast::ErrorNode>().raw_content);
      break;
    case NodeKind::Component: {
      const auto& component = node.as<ast::ComponentNode>();
      quoted(out, component.name);
      out += component.is_inline ? "inline|" : "|";
      quoted(out, component.raw_content);
      out += '(';
      render_into(out, component.children);
      out += ')';
      break;
    }
    case NodeKind::Citation:
      out += '{';
      for (const auto& key : node.as<ast::CitationNode>().keys) {
        if (key.prefix) out += *key.prefix;
        (out += '@') += key.id;
        if (key.locator) (out += ',') += *key.locator;
        out += ';';
      }
      out += '}';
      break;
    default:
      if (const ast::NodeList* children = node.children()) {
        out += '(';
        render_into(out, *children);
        out += ')';
      }
      break;
  }
  const ast::Position& p = node.position();
  (((out += '@') += std::to_string(p.start.offset)) += '-') += std::to_string(p.end.offset);
}

inline void render_into(std::string& out, const ast::NodeList& nodes) {
  for (std::size_t k = 0; k < nodes.size(); ++k) {
    if (k > 0) out += ' ';
    render_into(out, nodes[k]);
  }
}

inline std::string render(const ast::NodeList& nodes) {
  std::string out;
  render_into(out, nodes);
  return out;
}

}  // namespace vyn::testing
