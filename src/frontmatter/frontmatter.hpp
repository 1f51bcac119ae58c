// Splits a leading "---" YAML block off a document and reads it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "ast/json.hpp"

namespace vyn::frontmatter {

struct Frontmatter {
  std::optional<ast::Json> value;  // absent without a block, or when its YAML can't be read
  std::uint64_t body_start = 0;    // where the body begins: a line start or the input's end
};

Frontmatter extract_frontmatter(std::string_view input);

}  // namespace vyn::frontmatter
