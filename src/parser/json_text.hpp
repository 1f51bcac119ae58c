// JSON text as attribute values use it: reading a value within the usual
// nesting limit, and writing a scalar compactly for messages.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ast/json.hpp"

namespace vyn::parser {

// Arrays and objects nested deeper than this make a text unreadable.
inline constexpr int kMaxJsonTextDepth = 127;

// The value of a complete JSON text, or nothing when it is not one. "-0" reads
// as the float -0.0; numbers too large for a float make the text unreadable.
std::optional<ast::Json> read_json_text(std::string_view text);
// The same for "{" + members + "}", without copying the members.
std::optional<ast::Json> read_json_members(std::string_view members);

// null, a boolean, a number or a string as compact JSON text. Floats take their
// shortest round-trip digits: "1.0", "0.001", "1e16", "1.5e-7".
std::string write_json_scalar(const ast::Json& value);

}  // namespace vyn::parser
