// The command dictionary's constant tables: names of symbols, operators,
// fonts and accents with what each stands for.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "ast/math_expr.hpp"

namespace vyn::math {

template <class Value>
struct Entry {
  std::string_view name;
  Value value;
};

// Commands are matched whole and case-sensitively; tables are short enough
// that a scan is cheaper than anything cleverer.
template <class Value, std::size_t N>
constexpr std::optional<Value> lookup(const std::array<Entry<Value>, N>& table, std::string_view name) {
  for (const auto& entry : table) {
    if (entry.name == name) return entry.value;
  }
  return std::nullopt;
}

struct OperatorSymbol {
  std::string_view symbol;
  ast::OperatorKind kind;
};

// Identifiers tried before every other meaning ("quad" and "qquad", the two
// spaces tried with them, are the dictionary's own).
std::optional<std::string_view> fixed_symbol(std::string_view name);
std::optional<std::string_view> greek_letter(std::string_view name);
// `operator` itself is a C++ keyword.
std::optional<OperatorSymbol> operator_symbol(std::string_view name);
std::optional<std::string_view> large_operator(std::string_view name);
std::optional<std::string_view> named_operator(std::string_view name);
std::optional<ast::MathFont> font_override_command(std::string_view name);
std::optional<ast::AccentKind> accent_kind(std::string_view name);
// Symbols tried after every construction: delimiters as plain identifiers and
// a few signs.
std::optional<std::string_view> further_identifier(std::string_view name);
std::optional<OperatorSymbol> further_operator(std::string_view name);

}  // namespace vyn::math
