// Reads a frontmatter block's YAML text into a JSON value, within fixed
// resource limits.
#pragma once

#include <optional>
#include <string_view>

#include "ast/json.hpp"

namespace vyn::parser {

// Absent when the text holds no value (empty, or null) or can't be read:
// a YAML error or an exceeded limit.
std::optional<ast::Json> read_yaml(std::string_view text);

}  // namespace vyn::parser
