// The recursive-descent parser over one formula's tokens: the core routines
// (rows, atoms, scripts, groups), the command dictionary and environments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ast/math_expr.hpp"
#include "math/token_stream.hpp"

namespace vyn::math {

using ast::ExprList;
using ast::MathExpr;

// The commands whose arguments are all groups (commands.cpp).
enum class Construction : std::uint8_t;

// No items give an empty row, one item is itself, more make a row.
MathExpr flatten_row(ExprList items);
// The plain text of an expression where a group stands for a word (a colour,
// an operator name, a label): identifiers, numbers, texts, operator symbols
// and one blank per space; every other kind gives nothing.
std::string extract_text_content(const MathExpr& expr);

class Parser {
 public:
  explicit Parser(std::string_view formula);

  // parser.cpp: the core.
  ExprList parse_row();
  MathExpr parse_atom();
  MathExpr parse_scripts(MathExpr base);
  MathExpr parse_script_arg();
  MathExpr parse_group();
  MathExpr parse_style_body();
  void consume_end(std::string_view name);

  // commands.cpp: the command dictionary.
  MathExpr parse_command(std::string_view name);
  MathExpr parse_delimited();
  ast::Delimiter parse_delimiter_token();
  ExprList parse_until_rbracket();
  std::string collect_until_rbracket_str();

  // environments.cpp: "\begin{name}" blocks.
  MathExpr parse_environment(std::string_view name);
  ast::ExprGrid parse_matrix_body(std::string_view name);
  MathExpr parse_array_env();
  MathExpr parse_cases_env(std::string_view name);
  std::vector<ast::AlignRow> parse_align_rows(std::string_view name);
  MathExpr parse_align_env(std::string_view name);
  MathExpr parse_gather_env(std::string_view name);
  std::string collect_until_end(std::string_view name);

 private:
  MathExpr leaf_atom();
  MathExpr parse_number();
  MathExpr too_deep();
  MathExpr parse_big_operator(std::string_view symbol);
  MathExpr parse_sqrt();
  MathExpr parse_font(ast::MathFont font);
  MathExpr parse_accent(ast::AccentKind kind);
  MathExpr parse_smash();
  MathExpr parse_construction(Construction construction);
  MathExpr parse_style_override(ast::MathStyle style);
  template <class Body>
  void read_body(std::string_view name, Body& body);
  std::vector<ast::AlignRow> read_rows(std::string_view name, bool labels);

  std::string_view formula_;
  TokenStream stream_;
  // Atoms currently being read inside one another.
  std::size_t depth_ = 0;
};

}  // namespace vyn::math
