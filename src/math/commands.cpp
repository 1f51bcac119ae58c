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
    {"{", Delimiter::Brace},
    {"}", Delimiter::Brace},
    {"lbrace", Delimiter::Brace},
    {"rbrace", Delimiter::Brace},
    {"|", Delimiter::DoublePipe},
    {"Vert", Delimiter::DoublePipe},
    {"lVert", Delimiter::DoublePipe},
    {"rVert", Delimiter::DoublePipe},
    {"vert", Delimiter::Pipe},
    {"lvert", Delimiter::Pipe},
    {"rvert", Delimiter::Pipe},
    {"langle", Delimiter::Angle},
    {"rangle", Delimiter::Angle},
    {"lfloor", Delimiter::Floor},
    {"rfloor", Delimiter::Floor},
    {"lceil", Delimiter::Ceil},
    {"rceil", Delimiter::Ceil},
});

// How each delimiter is written after "\left", by Delimiter value; used only
// to rebuild the text of an unclosed "\left".
constexpr std::array<std::string_view, 9> kDelimiterSource = {"(",   "[",        "\\{",     "\\langle", "|",
                                                              "\\|", "\\lfloor", "\\lceil", "."};

constexpr auto kStyles = std::to_array<Entry<ast::MathStyle>>({
    {"displaystyle", ast::MathStyle::Display},
    {"textstyle", ast::MathStyle::Text},
    {"scriptstyle", ast::MathStyle::Script},
    {"scriptscriptstyle", ast::MathStyle::ScriptScript},
});

}  // namespace

// The ones of two groups first.
enum class Construction : std::uint8_t {
  Frac,
  DFrac,
  TFrac,
  Binom,
  Overset,
  Underset,
  Color,
  Overline,
  Underline,
  Overbrace,
  Underbrace,
  Phantom,
  HPhantom,
  VPhantom,
  OperatorName,
  Chem
};

namespace {

constexpr bool takes_two_groups(Construction c) { return c <= Construction::Color; }

constexpr auto kFractions = std::to_array<Entry<Construction>>({
    {"frac", Construction::Frac},
    {"dfrac", Construction::DFrac},
    {"tfrac", Construction::TFrac},
    {"binom", Construction::Binom},
});

constexpr auto kConstructions = std::to_array<Entry<Construction>>({
    {"overline", Construction::Overline},
    {"underline", Construction::Underline},
    {"overbrace", Construction::Overbrace},
    {"underbrace", Construction::Underbrace},
    {"overset", Construction::Overset},
    {"stackrel", Construction::Overset},
    {"underset", Construction::Underset},
    {"phantom", Construction::Phantom},
    {"hphantom", Construction::HPhantom},
    {"vphantom", Construction::VPhantom},
    {"color", Construction::Color},
    {"textcolor", Construction::Color},
    {"operatorname", Construction::OperatorName},
    {"ce", Construction::Chem},
});

// The builders run out of line once the groups are read, so that the frame
// that reads them, which is on the recursion path, holds none of their
// temporaries.

[[gnu::noinline]] E build(Construction c, E&& first, E&& second) {
  switch (c) {
    case Construction::Frac: return E::Frac{std::move(first), std::move(second), ast::FracStyle::Auto};
    case Construction::DFrac: return E::Frac{std::move(first), std::move(second), ast::FracStyle::Display};
    case Construction::TFrac: return E::Frac{std::move(first), std::move(second), ast::FracStyle::Text};
    case Construction::Binom: {
      ExprList body;
      body.push_back(E::Frac{std::move(first), std::move(second), ast::FracStyle::Auto});
      return E::Fenced{Delimiter::Paren, Delimiter::Paren, std::move(body)};
    }
    case Construction::Overset: return E::Overset{std::move(first), std::move(second)};
    case Construction::Underset: return E::Underset{std::move(first), std::move(second)};
    default: return E::Color{extract_text_content(first), std::move(second)};
  }
}

[[gnu::noinline]] E build(Construction c, E&& body) {
  switch (c) {
    case Construction::Overline: return E::Overline{std::move(body)};
    case Construction::Underline: return E::Underline{std::move(body)};
    case Construction::Overbrace: return E::Overbrace{std::move(body), std::nullopt};
    case Construction::Underbrace: return E::Underbrace{std::move(body), std::nullopt};
    case Construction::Phantom: return E::Phantom{std::move(body)};
    case Construction::HPhantom: return E::HPhantom{std::move(body)};
    case Construction::VPhantom: return E::VPhantom{std::move(body)};
    case Construction::OperatorName: return E::Operator{{extract_text_content(body), OperatorKind::Prefix}};
    default: return E::Chem{extract_text_content(body)};
  }
}

E ident(std::string_view text) { return E::Ident{std::string(text)}; }
E operator_expr(OperatorSymbol op) { return E::Operator{{std::string(op.symbol), op.kind}}; }

}  // namespace

// The readers of arguments are functions of their own, kept out of line: the
// recursion passes through parse_command, whose frame would otherwise hold
// every construction's temporaries at every level of nesting.
MathExpr Parser::parse_command(std::string_view name) {
  if (name == "quad") return E::Space{{ast::SpaceKind::Quad, {}}};
  if (name == "qquad") return E::Space{{ast::SpaceKind::QQuad, {}}};
  if (auto symbol = fixed_symbol(name)) return ident(*symbol);
  if (auto letter = greek_letter(name)) return ident(*letter);
  if (auto op = operator_symbol(name)) return operator_expr(*op);
  if (auto symbol = large_operator(name)) return parse_big_operator(*symbol);
  if (auto symbol = named_operator(name)) return operator_expr({*symbol, OperatorKind::Prefix});
  if (auto fraction = lookup(kFractions, name)) return parse_construction(*fraction);
  if (name == "sqrt") return parse_sqrt();
  if (auto font = font_override_command(name)) {
    if (name != "text" && name != "mbox") return parse_font(*font);
    stream_.skip_whitespace();
    return E::Text{stream_.read_raw_brace_string().value_or("")};
  }
  if (name == "left") return parse_delimited();
  if (name == "right") return E::Error{"\\right", "\\right without matching \\left"};
  if (auto accent = accent_kind(name)) return parse_accent(*accent);
  if (auto style = lookup(kStyles, name)) return parse_style_override(*style);
  if (name == "smash") return parse_smash();
  if (auto construction = lookup(kConstructions, name)) return parse_construction(*construction);
  if (auto symbol = further_identifier(name)) return ident(*symbol);
  if (auto op = further_operator(name)) return operator_expr(*op);
  std::string raw = "\\";
  raw += name;
  return E::Error{raw, "unknown command: " + raw};
}

[[gnu::noinline]] MathExpr Parser::parse_construction(Construction construction) {
  MathExpr first = parse_group();
  if (!takes_two_groups(construction)) return build(construction, std::move(first));
  MathExpr second = parse_group();
  return build(construction, std::move(first), std::move(second));
}

[[gnu::noinline]] MathExpr Parser::parse_font(ast::MathFont font) { return E::FontOverride{font, parse_group()}; }

[[gnu::noinline]] MathExpr Parser::parse_accent(ast::AccentKind kind) { return E::Accent{kind, parse_group()}; }

[[gnu::noinline]] MathExpr Parser::parse_style_override(ast::MathStyle style) {
  return E::StyleOverride{style, parse_style_body()};
}

// Limits come in either order, each at most once; a repeated sign is left for
// the row's own script reading.
[[gnu::noinline]] MathExpr Parser::parse_big_operator(std::string_view symbol) {
  ast::OptExpr lower;
  ast::OptExpr upper;
  auto read_limit = [&](TokenKind sign) {
    stream_.skip_whitespace();
    if (stream_.current().kind != sign) return false;
    stream_.next();
    (sign == TokenKind::Caret ? upper : lower) = parse_script_arg();
    return true;
  };
  if (read_limit(TokenKind::Caret))
    read_limit(TokenKind::Underscore);
  else if (read_limit(TokenKind::Underscore))
    read_limit(TokenKind::Caret);
  return E::BigOperator{
      {std::string(symbol), OperatorKind::Large}, ast::LimitStyle::DisplayLimits, std::move(lower), std::move(upper)};
}

[[gnu::noinline]] MathExpr Parser::parse_sqrt() {
  stream_.skip_whitespace();
  ast::OptExpr index;
  if (stream_.current().kind == TokenKind::LBracket) {
    stream_.next();
    index = flatten_row(parse_until_rbracket());
    if (stream_.current().kind == TokenKind::RBracket) stream_.next();
  }
  return E::Sqrt{std::move(index), parse_group()};
}

[[gnu::noinline]] MathExpr Parser::parse_smash() {
  stream_.skip_whitespace();
  ast::SmashMode mode = ast::SmashMode::Both;
  if (stream_.current().kind == TokenKind::LBracket) {
    stream_.next();
    std::string option = collect_until_rbracket_str();
    if (stream_.current().kind == TokenKind::RBracket) stream_.next();
    std::string_view trimmed = ast::trim(option);
    if (trimmed == "t")
      mode = ast::SmashMode::Top;
    else if (trimmed == "b")
      mode = ast::SmashMode::Bottom;
  }
  return E::Smash{parse_group(), mode};
}

[[gnu::noinline]] MathExpr Parser::parse_delimited() {
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
