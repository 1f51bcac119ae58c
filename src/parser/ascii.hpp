// ASCII character classes of the tag and line syntax. The parsers look only
// for ASCII delimiters, so every cut falls on a character boundary.
#pragma once

#include "ast/decimal.hpp"

namespace vyn::parser {

using ast::is_ascii_digit;

constexpr bool is_ascii_upper(char c) { return c >= 'A' && c <= 'Z'; }
constexpr bool is_ascii_letter(char c) { return is_ascii_upper(c) || (c >= 'a' && c <= 'z'); }
constexpr bool is_word_char(char c) { return is_ascii_letter(c) || is_ascii_digit(c) || c == '_'; }

// White space inside tags: space, tab, line feed, form feed, carriage return
// (not vertical tab).
constexpr bool is_tag_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }

}  // namespace vyn::parser
