// The attributes of a component tag and their typed values: quoted strings,
// "{$path}" variable references, "{{json}}" arrays and objects, and "{...}"
// primitives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>
#include <vector>

#include "ast/node.hpp"
#include "parser/source_map.hpp"
#include "parser/tags.hpp"
#include "parser/value_ends.hpp"

namespace vyn::parser {

struct TagRest {
  std::vector<ast::AttributeNode> attributes;
  bool self_closing = false;
  std::size_t next = 0;  // relative offset just after the tag's ">"
};

// Reads a tag in `ends.text()` from just after its name (relative offset `at`)
// to its ">"; an exact read asks `ends` where its values end. `tag_start` is the
// relative offset of its "<"; several errors cover the text from there, or from
// the failing attribute, to the end of the text.
std::variant<TagRest, TagError> parse_tag_rest(ValueEnds& ends, std::size_t at, TextOrigin origin,
                                               const SourceMap& source_map, std::size_t tag_start, TagReading reading);

// A dotted path of identifiers: "user.name", "_x", "a1.b_2".
bool is_valid_variable_path(std::string_view path);

}  // namespace vyn::parser
