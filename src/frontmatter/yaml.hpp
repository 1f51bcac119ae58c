// Reads a frontmatter block's YAML text into a JSON value, within fixed
// resource limits.
#pragma once

#include <optional>
#include <string_view>

#include "ast/json.hpp"

namespace vyn::frontmatter {

// Plain scalars resolve by the YAML 1.2 core schema (.inf, .nan and floats
// too large for a double become null, having no JSON form); anchors and
// aliases are expanded and `<<` merge keys honoured. A mapping key is its
// scalar's text, whatever it resolves to.
//
// Absent when the text holds no value (empty, or null) or can't be read: a
// YAML error, an exceeded limit, more than one document, a repeated key or
// a collection as a key, or a scalar that doesn't fit its !!str, !!null,
// !!bool, !!int or !!float tag (other tags are ignored).
std::optional<ast::Json> read_yaml(std::string_view text);

}  // namespace vyn::frontmatter
