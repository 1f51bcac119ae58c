// Decimal floating-point text, read the same way by primitive attribute values
// and by YAML scalars.
#pragma once

#include <string_view>

namespace vyn::ast {

constexpr bool is_ascii_digit(char c) { return c >= '0' && c <= '9'; }

// An optional sign, digits with an optional fraction (at least one digit in
// all: "5.", ".5"), and an optional exponent with digits.
bool is_decimal_float(std::string_view text);

// The nearest double to a text that is_decimal_float accepts. A value beyond
// a double's range becomes an infinity when too large and a zero when too
// small, signed as written.
double decimal_value(std::string_view text);

}  // namespace vyn::ast
