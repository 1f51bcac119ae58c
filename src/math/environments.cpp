// "\begin{name} ... \end{name}" blocks: matrices, arrays, cases, the align and
// gather families, and the error for the names that are not supported.
#include <array>

#include "math/parser.hpp"
#include "math/symbols.hpp"

namespace vyn::math {

namespace {

using ast::MatrixDelimiters;
using E = MathExpr;

enum class Family : std::uint8_t { Matrix, Array, Cases, Align, Gather };

struct Environment {
  Family family;
  MatrixDelimiters delimiters = MatrixDelimiters::Plain;
};

constexpr auto kEnvironments = std::to_array<Entry<Environment>>({
    {"matrix", {Family::Matrix, MatrixDelimiters::Plain}},
    {"smallmatrix", {Family::Matrix, MatrixDelimiters::Plain}},
    {"pmatrix", {Family::Matrix, MatrixDelimiters::Paren}},
    {"bmatrix", {Family::Matrix, MatrixDelimiters::Bracket}},
    {"Bmatrix", {Family::Matrix, MatrixDelimiters::Brace}},
    {"vmatrix", {Family::Matrix, MatrixDelimiters::Pipe}},
    {"Vmatrix", {Family::Matrix, MatrixDelimiters::DoublePipe}},
    {"array", {Family::Array}},
    {"cases", {Family::Cases}},
    {"cases*", {Family::Cases}},
    {"align", {Family::Align}},
    {"align*", {Family::Align}},
    {"aligned", {Family::Align}},
    {"alignat", {Family::Align}},
    {"alignat*", {Family::Align}},
    {"gather", {Family::Gather}},
    {"gather*", {Family::Gather}},
    {"gathered", {Family::Gather}},
});

bool is_empty_cell(const MathExpr& cell) {
  const auto* row = std::get_if<E::Row>(&cell.value);
  return row != nullptr && row->children.empty();
}

// Cells separated by "&" and rows by "\\" (or, where labels are read, by
// "\label{...}"); a last row of only empty cells is dropped.
struct RowsBody {
  bool labels;
  ExprList items;
  ast::AlignRow row;
  std::vector<ast::AlignRow> rows;

  void add(MathExpr expr) { items.push_back(std::move(expr)); }
  void ampersand() {
    row.cells.push_back(flatten_row(std::move(items)));
    items = {};
  }
  void end_row(std::optional<std::string> label) {
    ampersand();
    row.label = std::move(label);
    rows.push_back(std::move(row));
    row = {};
  }
  void row_separator() { end_row(std::nullopt); }
  void finish() {
    ampersand();
    for (const auto& cell : row.cells) {
      if (!is_empty_cell(cell)) {
        rows.push_back(std::move(row));
        return;
      }
    }
  }
};

// Each row is a value and, from its first "&" on, a condition.
struct CasesBody {
  ExprList value;
  ExprList condition;
  bool has_condition = false;
  std::vector<ast::CaseRow> rows;

  void add(MathExpr expr) { (has_condition ? condition : value).push_back(std::move(expr)); }
  void ampersand() { has_condition = true; }
  void row_separator() {
    ast::OptExpr cond;
    if (has_condition) cond = flatten_row(std::move(condition));
    rows.push_back({flatten_row(std::move(value)), std::move(cond)});
    value = {};
    condition = {};
    has_condition = false;
  }
  void finish() {
    if (!value.empty() || has_condition) row_separator();
  }
};

}  // namespace

// The frame shared by every body: it ends at its own "\end" (consumed), at
// another block's "\end" or at the end of input (left in the stream).
template <class Body>
void Parser::read_body(std::string_view name, Body& body) {
  for (;;) {
    stream_.skip_whitespace();
    const Token& token = stream_.current();
    switch (token.kind) {
      case TokenKind::Ampersand:
        stream_.next();
        body.ampersand();
        continue;
      case TokenKind::DoubleBackslash:
        stream_.next();
        body.row_separator();
        continue;
      case TokenKind::End:
        consume_end(name);
        body.finish();
        return;
      case TokenKind::Eof: body.finish(); return;
      case TokenKind::RBrace:
        // No group of the body opened this "}": the atom's error stands for
        // it and the body goes on after it, keeping the rows that follow.
        body.add(parse_atom());
        stream_.next();
        continue;
      default: break;
    }
    if constexpr (requires { body.labels; }) {
      if (body.labels && token.is_command("label")) {
        stream_.next();
        body.end_row(extract_text_content(parse_group()));
        continue;
      }
    }
    body.add(parse_scripts(parse_atom()));
  }
}

MathExpr Parser::parse_environment(std::string_view name) {
  auto environment = lookup(kEnvironments, name);
  if (!environment) {
    std::string raw = "\\begin{";
    raw += name;
    raw += '}';
    raw += collect_until_end(name);
    consume_end(name);
    raw += "\\end{";
    raw += name;
    raw += '}';
    std::string message = name == "CD" ? "commutative diagrams (\\begin{CD}) are not supported"
                                       : "unknown environment: " + std::string(name);
    return E::Error{std::move(raw), std::move(message)};
  }
  switch (environment->family) {
    case Family::Matrix: return E::Matrix{parse_matrix_body(name), environment->delimiters};
    case Family::Array: return parse_array_env();
    case Family::Cases: return parse_cases_env(name);
    case Family::Align: return parse_align_env(name);
    case Family::Gather: break;
  }
  return parse_gather_env(name);
}

std::vector<ast::AlignRow> Parser::read_rows(std::string_view name, bool labels) {
  RowsBody body{labels, {}, {}, {}};
  read_body(name, body);
  return std::move(body.rows);
}

ast::ExprGrid Parser::parse_matrix_body(std::string_view name) {
  ast::ExprGrid grid;
  for (auto& row : read_rows(name, false)) grid.push_back(std::move(row.cells));
  return grid;
}

// The column specification is read as a formula, so only the letters of its
// text count: "{|l|c|}" and "{lc}" are alike.
MathExpr Parser::parse_array_env() {
  stream_.skip_whitespace();
  std::vector<ast::ColumnAlign> columns;
  if (stream_.current().kind == TokenKind::LBrace) {
    for (char c : extract_text_content(parse_group())) {
      if (c == 'l')
        columns.push_back(ast::ColumnAlign::Left);
      else if (c == 'c')
        columns.push_back(ast::ColumnAlign::Center);
      else if (c == 'r')
        columns.push_back(ast::ColumnAlign::Right);
    }
  }
  return E::Array{std::move(columns), parse_matrix_body("array")};
}

MathExpr Parser::parse_cases_env(std::string_view name) {
  CasesBody body;
  read_body(name, body);
  return E::Cases{std::move(body.rows)};
}

std::vector<ast::AlignRow> Parser::parse_align_rows(std::string_view name) { return read_rows(name, true); }

MathExpr Parser::parse_align_env(std::string_view name) {
  return E::Align{parse_align_rows(name), !name.ends_with('*')};
}

MathExpr Parser::parse_gather_env(std::string_view name) {
  ExprList rows;
  for (auto& row : parse_align_rows(name)) rows.push_back(flatten_row(std::move(row.cells)));
  return E::Gather{std::move(rows), !name.ends_with('*')};
}

std::string Parser::collect_until_end(std::string_view name) {
  std::string body;
  for (;;) {
    const Token& token = stream_.current();
    if (token.kind == TokenKind::Eof || (token.kind == TokenKind::End && token.name == name)) return body;
    append_raw(body, token);
    stream_.next();
  }
}

}  // namespace vyn::math
