// The command dictionary: what a "\name" means, tried in a fixed order, and
// the readers of its arguments.
#include <array>

#include "ast/unicode.hpp"
#include "math/parser.hpp"
#include "math/symbols.hpp"

namespace vyn::math {

namespace {

using ast::Delimiter;
using ast::OperatorKind;
using E = MathExpr;

constexpr auto kDelimiterCommands = std::to_array<Entry<Delimiter>>({
    {"{", Delimiter::Brace},         {"}", Delimiter::Brace},          {"lbrace", Delimiter::Brace},
    {"rbrace", Delimiter::Brace},    {"|", Delimiter::DoublePipe},     {"Vert", Delimiter::DoublePipe},
    {"lVert", Delimiter::DoublePipe}, {"rVert", Delimiter::DoublePipe}, {"vert", Delimiter::Pipe},
    {"lvert", Delimiter::Pipe},      {"rvert", Delimiter::Pipe},       {"langle", Delimiter::Angle},
    {"rangle", Delimiter::Angle},    {"lfloor", Delimiter::Floor},     {"rfloor", Delimiter::Floor},
    {"lceil", Delimiter::Ceil},      {"rceil", Delimiter::Ceil},
});

// How each delimiter is written after "\left", by Delimiter value; used only
// to rebuild the text of an unclosed "\left".
constexpr std::array<std::string_view, 9> kDelimiterSource = {
    "(", "[", "\\{", "\\langle", "|", "\\|", "\\lfloor", "\\lceil", "."};

constexpr auto kStyles = std::to_array<Entry<ast::MathStyle>>({
    {"displaystyle", ast::MathStyle::Display},
    {"textstyle", ast::MathStyle::Text},
    {"scriptstyle", ast::MathStyle::Script},
    {"scriptscriptstyle", ast::MathStyle::ScriptScript},
});

constexpr auto kFractions = std::to_array<Entry<ast::FracStyle>>({
    {"frac", ast::FracStyle::Auto},
    {"dfrac", ast::FracStyle::Display},
    {"tfrac", ast::FracStyle::Text},
});

E ident(std::string_view text) { return E::Ident{std::string(text)}; }
E operator_expr(OperatorSymbol op) { return E::Operator{{std::string(op.symbol), op.kind}}; }

}  // namespace

MathExpr Parser::parse_command(std::string_view name) {
  if (name == "quad") return E::Space{{ast::SpaceKind::Quad, {}}};
  if (name == "qquad") return E::Space{{ast::SpaceKind::QQuad, {}}};
  if (auto symbol = fixed_symbol(name)) return ident(*symbol);
  if (auto letter = greek_letter(name)) return ident(*letter);
  if (auto op = operator_symbol(name)) return operator_expr(*op);
  if (auto symbol = large_operator(name)) return parse_big_operator(*symbol);
  if (auto symbol = named_operator(name)) return operator_expr({*symbol, OperatorKind::Prefix});
  if (auto style = lookup(kFractions, name)) {
    MathExpr numerator = parse_group();
    return E::Frac{std::move(numerator), parse_group(), *style};
  }
  if (name == "binom") {
    MathExpr top = parse_group();
    ExprList body;
    body.push_back(E::Frac{std::move(top), parse_group(), ast::FracStyle::Auto});
    return E::Fenced{Delimiter::Paren, Delimiter::Paren, std::move(body)};
  }
  if (name == "sqrt") return parse_sqrt();
  if (auto font = font_override_command(name)) {
    if (name != "text" && name != "mbox") return E::FontOverride{*font, parse_group()};
    stream_.skip_whitespace();
    return E::Text{stream_.read_raw_brace_string().value_or("")};
  }
  if (name == "left") return parse_delimited();
  if (name == "right") return E::Error{"\\right", "\\right without matching \\left"};
  if (auto accent = accent_kind(name)) return E::Accent{*accent, parse_group()};
  if (auto construction = parse_construction(name)) return std::move(*construction);
  if (auto symbol = further_identifier(name)) return ident(*symbol);
  if (auto op = further_operator(name)) return operator_expr(*op);
  std::string raw = "\\";
  raw += name;
  return E::Error{raw, "unknown command: " + raw};
}

// The commands whose arguments make the expression's parts.
std::optional<MathExpr> Parser::parse_construction(std::string_view name) {
  if (name == "overline") return E::Overline{parse_group()};
  if (name == "underline") return E::Underline{parse_group()};
  if (name == "overbrace") return E::Overbrace{parse_group(), std::nullopt};
  if (name == "underbrace") return E::Underbrace{parse_group(), std::nullopt};
  if (name == "overset" || name == "stackrel") {
    MathExpr over = parse_group();
    return E::Overset{std::move(over), parse_group()};
  }
  if (name == "underset") {
    MathExpr under = parse_group();
    return E::Underset{std::move(under), parse_group()};
  }
  if (auto style = lookup(kStyles, name)) return E::StyleOverride{*style, parse_style_body()};
  if (name == "phantom") return E::Phantom{parse_group()};
  if (name == "hphantom") return E::HPhantom{parse_group()};
  if (name == "vphantom") return E::VPhantom{parse_group()};
  if (name == "smash") return parse_smash();
  if (name == "color" || name == "textcolor") {
    std::string color = extract_text_content(parse_group());
    return E::Color{std::move(color), parse_group()};
  }
  if (name == "operatorname") return E::Operator{{extract_text_content(parse_group()), OperatorKind::Prefix}};
  if (name == "ce") return E::Chem{extract_text_content(parse_group())};
  return std::nullopt;
}

// Limits come in either order, each at most once; a repeated sign is left for
// the row's own script reading.
MathExpr Parser::parse_big_operator(std::string_view symbol) {
  ast::OptExpr lower;
  ast::OptExpr upper;
  auto read_limit = [&](TokenKind sign) {
    stream_.skip_whitespace();
    if (stream_.current().kind != sign) return false;
    stream_.next();
    (sign == TokenKind::Caret ? upper : lower) = parse_script_arg();
    return true;
  };
  if (read_limit(TokenKind::Caret)) read_limit(TokenKind::Underscore);
  else if (read_limit(TokenKind::Underscore)) read_limit(TokenKind::Caret);
  return E::BigOperator{{std::string(symbol), OperatorKind::Large}, ast::LimitStyle::DisplayLimits,
                        std::move(lower), std::move(upper)};
}

MathExpr Parser::parse_sqrt() {
  stream_.skip_whitespace();
  ast::OptExpr index;
  if (stream_.current().kind == TokenKind::LBracket) {
    stream_.next();
    index = flatten_row(parse_until_rbracket());
    if (stream_.current().kind == TokenKind::RBracket) stream_.next();
  }
  return E::Sqrt{std::move(index), parse_group()};
}

MathExpr Parser::parse_smash() {
  stream_.skip_whitespace();
  ast::SmashMode mode = ast::SmashMode::Both;
  if (stream_.current().kind == TokenKind::LBracket) {
    stream_.next();
    std::string option = collect_until_rbracket_str();
    if (stream_.current().kind == TokenKind::RBracket) stream_.next();
    std::string_view trimmed = ast::trim(option);
    if (trimmed == "t") mode = ast::SmashMode::Top;
    else if (trimmed == "b") mode = ast::SmashMode::Bottom;
  }
  return E::Smash{parse_group(), mode};
}

MathExpr Parser::parse_delimited() {
  stream_.skip_whitespace();
  Delimiter open = parse_delimiter_token();
  ExprList body = parse_row();
  stream_.skip_whitespace();
  if (!stream_.current().is_command("right")) {
    std::string raw = "\\left";
    raw += kDelimiterSource[static_cast<std::size_t>(open)];
    return E::Error{std::move(raw), "\\left without matching \\right"};
  }
  stream_.next();
  stream_.skip_whitespace();
  Delimiter close = parse_delimiter_token();
  return E::Fenced{open, close, std::move(body)};
}

// Opening and closing forms are not told apart.
Delimiter Parser::parse_delimiter_token() {
  const Token& token = stream_.current();
  Delimiter delimiter;
  switch (token.kind) {
    case TokenKind::LParen:
    case TokenKind::RParen: delimiter = Delimiter::Paren; break;
    case TokenKind::LBracket:
    case TokenKind::RBracket: delimiter = Delimiter::Bracket; break;
    case TokenKind::LBrace:
    case TokenKind::RBrace: delimiter = Delimiter::Brace; break;
    case TokenKind::Pipe: delimiter = Delimiter::Pipe; break;
    case TokenKind::Command: delimiter = lookup(kDelimiterCommands, token.name).value_or(Delimiter::None); break;
    default: return Delimiter::None;
  }
  stream_.next();
  return delimiter;
}

// A root's index also ends at a "}" or "\end" that closes an enclosing
// construct: neither is consumed, so the construct still closes there.
ExprList Parser::parse_until_rbracket() {
  ExprList items;
  for (;;) {
    stream_.skip_whitespace();
    switch (stream_.current().kind) {
      case TokenKind::RBracket:
      case TokenKind::RBrace:
      case TokenKind::End:
      case TokenKind::Eof: return items;
      default: items.push_back(parse_scripts(parse_atom()));
    }
  }
}

std::string Parser::collect_until_rbracket_str() {
  std::string text;
  for (;;) {
    const Token& token = stream_.current();
    if (token.kind == TokenKind::RBracket || token.kind == TokenKind::Eof) return text;
    append_raw(text, token);
    stream_.next();
  }
}

}  // namespace vyn::math
