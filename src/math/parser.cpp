#include "math/parser.hpp"

#include <optional>

#include "ast/limits.hpp"
#include "math/tokenizer.hpp"

namespace vyn::math {

namespace {

using ast::OperatorKind;
using E = MathExpr;

std::optional<OperatorKind> operator_kind(TokenKind kind) {
  switch (kind) {
    case TokenKind::Plus:
    case TokenKind::Minus:
    case TokenKind::Pipe: return OperatorKind::Binary;
    case TokenKind::Equals:
    case TokenKind::Less:
    case TokenKind::Greater: return OperatorKind::Relation;
    case TokenKind::LParen:
    case TokenKind::LBracket: return OperatorKind::Prefix;
    case TokenKind::RParen:
    case TokenKind::RBracket:
    case TokenKind::Bang: return OperatorKind::Postfix;
    case TokenKind::Comma:
    case TokenKind::Semicolon:
    case TokenKind::Colon: return OperatorKind::Punctuation;
    default: return std::nullopt;
  }
}

bool ends_row(const Token& token) {
  switch (token.kind) {
    case TokenKind::RBrace:
    case TokenKind::Ampersand:
    case TokenKind::DoubleBackslash:
    case TokenKind::End:
    case TokenKind::Eof: return true;
    default: return token.is_command("right");
  }
}

E space(ast::SpaceKind kind) { return E::Space{{kind, {}}}; }

// The builders below run out of line once the parts are read, so that the
// frames that read them, which are on the recursion path, stay small.

[[gnu::noinline]] E baseless_script(TokenKind sign, E&& script) {
  if (sign == TokenKind::Caret) return E::Superscript{E(E::Error{"^", "^ without a base"}), std::move(script)};
  return E::Subscript{E(E::Error{"_", "_ without a base"}), std::move(script)};
}

[[gnu::noinline]] E attach_scripts(E&& base, std::optional<E>&& sup, std::optional<E>&& sub) {
  if (sup && sub) return E::Subsuperscript{std::move(base), std::move(*sub), std::move(*sup)};
  if (sup) return E::Superscript{std::move(base), std::move(*sup)};
  if (sub) return E::Subscript{std::move(base), std::move(*sub)};
  return std::move(base);
}

void append_text(std::string& out, const MathExpr& expr) {
  if (auto* e = std::get_if<E::Ident>(&expr.value))
    out += e->value;
  else if (auto* e = std::get_if<E::Number>(&expr.value))
    out += e->value;
  else if (auto* e = std::get_if<E::Text>(&expr.value))
    out += e->value;
  else if (auto* e = std::get_if<E::Operator>(&expr.value))
    out += e->op.symbol;
  else if (std::holds_alternative<E::Space>(expr.value))
    out += ' ';
  else if (auto* e = std::get_if<E::Row>(&expr.value)) {
    for (const auto& child : e->children) append_text(out, child);
  }
}

// Keeps count of the atoms being read inside one another.
class DepthScope {
 public:
  explicit DepthScope(std::size_t& depth) : depth_(depth) { ++depth_; }
  DepthScope(const DepthScope&) = delete;
  DepthScope& operator=(const DepthScope&) = delete;
  ~DepthScope() { --depth_; }

 private:
  std::size_t& depth_;
};

}  // namespace

MathExpr flatten_row(ExprList items) {
  if (items.size() == 1) return std::move(items.front());
  return E::Row{std::move(items)};
}

std::string extract_text_content(const MathExpr& expr) {
  std::string out;
  append_text(out, expr);
  return out;
}

Parser::Parser(std::string_view formula) : formula_(formula), stream_(tokenize(formula)) {}

ExprList Parser::parse_row() {
  ExprList items;
  for (;;) {
    stream_.skip_whitespace();
    if (ends_row(stream_.current())) return items;
    items.push_back(parse_scripts(parse_atom()));
  }
}

MathExpr Parser::parse_atom() {
  stream_.skip_whitespace();
  if (depth_ >= ast::kMaxMathDepth) return too_deep();
  DepthScope scope(depth_);
  const Token& token = stream_.current();
  switch (token.kind) {
    case TokenKind::LBrace: return parse_group();
    case TokenKind::Digit: return parse_number();
    case TokenKind::Caret:
    case TokenKind::Underscore: {
      stream_.next();
      MathExpr script = parse_script_arg();
      return baseless_script(token.kind, std::move(script));
    }
    case TokenKind::Command: stream_.next(); return parse_command(token.name);
    case TokenKind::Begin: stream_.next(); return parse_environment(token.name);
    default: return leaf_atom();
  }
}

// The atoms that hold no others.
[[gnu::noinline]] MathExpr Parser::leaf_atom() {
  const Token& token = stream_.current();
  switch (token.kind) {
    case TokenKind::RBrace:
    case TokenKind::End:
    case TokenKind::Eof: return E::Error{"", "unexpected end of input"};
    default: break;
  }
  stream_.next();
  switch (token.kind) {
    case TokenKind::Ampersand: return E::Error{"&", "unexpected & outside environment"};
    case TokenKind::DoubleBackslash: return E::Error{"\\\\", "unexpected row separator \\\\"};
    case TokenKind::Tilde:
    case TokenKind::ThinSpace: return space(ast::SpaceKind::Thin);
    case TokenKind::MediumSpace: return space(ast::SpaceKind::Medium);
    case TokenKind::NegThinSpace: return space(ast::SpaceKind::NegThin);
    case TokenKind::Letter: {
      std::string value;
      append_utf8(value, token.character);
      return E::Ident{std::move(value)};
    }
    case TokenKind::Dot: return E::Number{"."};
    case TokenKind::Prime: return E::Ident{"\u2032"};
    default: return E::Operator{{token_to_raw(token), *operator_kind(token.kind)}};
  }
}

// Digits run together, and a dot joins them only when a digit follows it
// directly: "1.5" is one number, "1." two.
MathExpr Parser::parse_number() {
  std::string value;
  value += static_cast<char>(stream_.next().character);
  for (;;) {
    const Token& token = stream_.current();
    if (token.kind == TokenKind::Digit) {
      value += static_cast<char>(token.character);
    } else if (token.kind == TokenKind::Dot && stream_.peek().kind == TokenKind::Digit) {
      value += '.';
    } else {
      return E::Number{std::move(value)};
    }
    stream_.next();
  }
}

// Past the depth bound, the rest of the enclosing row becomes one error: the
// tokens up to the first "}", "&", "\\", "\end" or "\right" that closes
// nothing opened here, each read once, so the bound costs no extra time and
// the enclosing constructs resume where they would have.
MathExpr Parser::too_deep() {
  const std::uint64_t start = stream_.current().start;
  std::uint64_t end = start;
  std::size_t open = 0;
  for (bool first = true;; first = false) {
    const Token& token = stream_.current();
    if (token.kind == TokenKind::Eof) break;
    if (open == 0 && ends_row(token)) {
      // Taken only where an atom would take it, so that the caller's loop
      // still moves on.
      if (!first || token.kind == TokenKind::RBrace || token.kind == TokenKind::End) break;
    } else if (token.kind == TokenKind::LBrace || token.kind == TokenKind::Begin || token.is_command("left")) {
      ++open;
    } else if (token.kind == TokenKind::RBrace || token.kind == TokenKind::End || token.is_command("right")) {
      --open;
    }
    end = token.end;
    stream_.next();
  }
  return E::Error{std::string(formula_.substr(start, end - start)),
                  "nesting deeper than " + std::to_string(ast::kMaxMathDepth) + " levels"};
}

MathExpr Parser::parse_scripts(MathExpr base) {
  std::optional<MathExpr> sup;
  std::optional<MathExpr> sub;
  for (;;) {
    stream_.skip_whitespace();
    TokenKind kind = stream_.current().kind;
    if (kind == TokenKind::Caret && !sup) {
      stream_.next();
      sup = parse_script_arg();
    } else if (kind == TokenKind::Underscore && !sub) {
      stream_.next();
      sub = parse_script_arg();
    } else {
      return attach_scripts(std::move(base), std::move(sup), std::move(sub));
    }
  }
}

// A braced script nests like an atom: "x^{x^{x^{..." goes deeper with no atom
// open around it.
MathExpr Parser::parse_script_arg() {
  stream_.skip_whitespace();
  if (stream_.current().kind != TokenKind::LBrace) return parse_atom();
  if (depth_ >= ast::kMaxMathDepth) return too_deep();
  DepthScope scope(depth_);
  return parse_group();
}

MathExpr Parser::parse_group() {
  if (stream_.current().kind != TokenKind::LBrace) return E::Error{"", "expected { but found something else"};
  stream_.next();
  ExprList items = parse_row();
  if (stream_.current().kind == TokenKind::RBrace) {
    stream_.next();
    return flatten_row(std::move(items));
  }
  std::string raw = "{";
  for (std::size_t i = 0; i < items.size(); ++i) raw += "...";
  return E::Error{std::move(raw), "unmatched { \u2014 missing }"};
}

MathExpr Parser::parse_style_body() {
  stream_.skip_whitespace();
  if (stream_.current().kind == TokenKind::LBrace) return parse_group();
  return flatten_row(parse_row());
}

void Parser::consume_end(std::string_view name) {
  const Token& token = stream_.current();
  if (token.kind == TokenKind::End && token.name == name) stream_.next();
}

}  // namespace vyn::math
