// Checking the components of a tree against a schema, and the findings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ast/node.hpp"
#include "ast/sink.hpp"
#include "schema/schema.hpp"

namespace vyn::schema {

enum class Severity : std::uint8_t { Error, Warning };

// One finding about a component or one of its attributes, placed at the
// start of the component or attribute concerned.
struct Diagnostic {
  std::string message;
  std::string component;
  std::uint64_t line = 0;
  std::uint64_t column = 0;
  Severity severity = Severity::Error;
  bool operator==(const Diagnostic&) const = default;
};

using Diagnostics = std::vector<Diagnostic>;
// The names a parent allows for its direct component children; null for any.
using Allowed = const std::vector<std::string>*;

// The findings over the whole tree in document order, depth first; a
// component's own findings come before those of its descendants.
Diagnostics validate(const ast::Root& root, const Schema& schema);

void validate_nodes(const ast::NodeList& nodes, const Schema& schema, Diagnostics& diagnostics, Allowed allowed);
void validate_component(const ast::ComponentNode& component, const Schema& schema, Diagnostics& diagnostics,
                        Allowed allowed);

// The list as an array of objects with the keys "column", "component",
// "line", "message" and "severity".
void write_diagnostics(const Diagnostics& diagnostics, ast::Sink& sink);

}  // namespace vyn::schema
