// The dictionary form of math expressions: every kind, null for absent
// children, and the names of every enumeration value.
#include <gtest/gtest.h>

#include "ast/write.hpp"
#include "expect_written.hpp"

namespace vyn::ast::testing {
namespace {

using E = MathExpr;

const MathExpr kY = E::Ident{"y"};
const OptExpr kNone = std::nullopt;
const OptExpr kSomeY = Box<MathExpr>(kY);

TEST(WriteMath, EveryKind) {
  // Built field by field: g++ 12 misreads the nested aggregate temporaries.
  E::BigOperator sum{};
  sum.op = {"\u2211", OperatorKind::Large};
  sum.upper = kSomeY;
  struct Case {
    MathExpr expr;
    std::string_view literal;
  };
  const std::vector<Case> cases = {
      {E::Ident{"x"}, R"({"type":"ident","value":"x"})"},
      {E::Number{"1.5"}, R"({"type":"number","value":"1.5"})"},
      {E::Operator{{"+", OperatorKind::Binary}}, R"({"kind":"binary","symbol":"+","type":"operator"})"},
      {E::Text{"if"}, R"({"type":"text","value":"if"})"},
      {E::Row{{kX, kX}}, R"({"children":[@X,@X],"type":"row"})"},
      {E::Row{{}}, R"({"children":[],"type":"row"})"},
      {E::Fenced{Delimiter::Paren, Delimiter::None, {kX}},
       R"({"body":[@X],"close":"none","open":"paren","type":"fenced"})"},
      {E::Superscript{kX, kX}, R"({"base":@X,"script":@X,"type":"superscript"})"},
      {E::Subscript{kX, kX}, R"({"base":@X,"script":@X,"type":"subscript"})"},
      {E::Subsuperscript{kX, kX, kX}, R"({"base":@X,"sub":@X,"sup":@X,"type":"subsuperscript"})"},
      {E::Frac{kX, kY, FracStyle::Auto},
       R"({"denominator":{"type":"ident","value":"y"},"numerator":@X,"style":"auto","type":"frac"})"},
      {E::Sqrt{kNone, kX}, R"({"body":@X,"index":null,"type":"sqrt"})"},
      {E::Sqrt{kSomeY, kX}, R"({"body":@X,"index":{"type":"ident","value":"y"},"type":"sqrt"})"},
      {E::Overline{kX}, R"({"body":@X,"type":"overline"})"},
      {E::Underline{kX}, R"({"body":@X,"type":"underline"})"},
      {E::Overbrace{kX, kNone}, R"({"annotation":null,"body":@X,"type":"overbrace"})"},
      {E::Underbrace{kX, kSomeY}, R"({"annotation":{"type":"ident","value":"y"},"body":@X,"type":"underbrace"})"},
      {E::Overset{kY, kX}, R"({"base":@X,"over":{"type":"ident","value":"y"},"type":"overset"})"},
      {E::Underset{kY, kX}, R"({"base":@X,"type":"underset","under":{"type":"ident","value":"y"}})"},
      {E::Accent{AccentKind::Hat, kX}, R"({"body":@X,"kind":"hat","type":"accent"})"},
      {sum, R"({"limits":"display_limits","lower":null,"op":{"kind":"large","symbol":"\u2211"},"type":"big_operator",)"
            R"("upper":{"type":"ident","value":"y"}})"},
      {E::Matrix{{{kX, kX}, {kX}}, MatrixDelimiters::Bracket},
       R"({"delimiters":"bracket","rows":[[@X,@X],[@X]],"type":"matrix"})"},
      {E::Cases{{CaseRow{kX, kNone}, CaseRow{kX, kSomeY}}},
       R"({"rows":[{"condition":null,"expr":@X},{"condition":{"type":"ident","value":"y"},"expr":@X}],"type":"cases"})"},
      {E::Array{{ColumnAlign::Left, ColumnAlign::Right}, {{kX, kX}}},
       R"({"columns":["left","right"],"rows":[[@X,@X]],"type":"array"})"},
      {E::Align{{AlignRow{{kX}, std::nullopt}, AlignRow{{}, "eq"}}, true},
       R"({"numbered":true,"rows":[{"cells":[@X]},{"cells":[],"label":"eq"}],"type":"align"})"},
      {E::Gather{{kX, kX}, false}, R"({"numbered":false,"rows":[@X,@X],"type":"gather"})"},
      {E::Space{{SpaceKind::Thin, ""}}, R"({"thin":null,"type":"space"})"},
      {E::Space{{SpaceKind::Custom, "2em"}}, R"({"custom":"2em","type":"space"})"},
      {E::Phantom{kX}, R"({"body":@X,"type":"phantom"})"},
      {E::HPhantom{kX}, R"({"body":@X,"type":"h_phantom"})"},
      {E::VPhantom{kX}, R"({"body":@X,"type":"v_phantom"})"},
      {E::Smash{kX, SmashMode::Both}, R"({"body":@X,"mode":"both","type":"smash"})"},
      {E::StyleOverride{MathStyle::ScriptScript, kX}, R"({"body":@X,"style":"script_script","type":"style_override"})"},
      {E::FontOverride{MathFont::Blackboard, kX}, R"({"body":@X,"font":"blackboard","type":"font_override"})"},
      {E::Color{"red", kX}, R"({"body":@X,"color":"red","type":"color"})"},
      {E::Chem{"H2O"}, R"({"type":"chem","value":"H2O"})"},
      {E::Error{"\\foo", "unknown command"}, R"({"message":"unknown command","raw":"\\foo","type":"error"})"},
  };
  std::vector<bool> seen(std::variant_size_v<MathExpr::Value>);
  for (const auto& c : cases) {
    expect_written(c.expr, c.literal);
    seen[c.expr.value.index()] = true;
  }
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 34);
}

// Writes `make(value)` for every value of an enumeration and reads the name
// back from `key`.
template <class Enum, class Make>
void expect_names(const std::vector<std::string_view>& names, Make make, std::string_view key) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    Json written = serialize(MathExpr(make(static_cast<Enum>(i))));
    EXPECT_EQ(written.at(std::string(key)), names[i]) << key << " " << i;
  }
}

TEST(WriteMath, EveryEnumerationValueHasItsName) {
  expect_names<OperatorKind>(
      {"binary", "relation", "prefix", "postfix", "large", "punctuation"},
      [](OperatorKind k) {
        return E::Operator{{"+", k}};
      },
      "kind");
  expect_names<Delimiter>(
      {"paren", "bracket", "brace", "angle", "pipe", "double_pipe", "floor", "ceil", "none"},
      [](Delimiter d) {
        return E::Fenced{d, d, {}};
      },
      "open");
  expect_names<MatrixDelimiters>(
      {"plain", "paren", "bracket", "brace", "pipe", "double_pipe"},
      [](MatrixDelimiters d) {
        return E::Matrix{{}, d};
      },
      "delimiters");
  expect_names<FracStyle>(
      {"display", "text", "auto"},
      [](FracStyle s) {
        return E::Frac{kX, kX, s};
      },
      "style");
  expect_names<MathStyle>(
      {"display", "text", "script", "script_script"},
      [](MathStyle s) {
        return E::StyleOverride{s, kX};
      },
      "style");
  expect_names<MathFont>(
      {"roman", "bold", "italic", "bold_italic", "sans_serif", "monospace", "blackboard", "calligraphic", "fraktur",
       "script"},
      [](MathFont f) {
        return E::FontOverride{f, kX};
      },
      "font");
  expect_names<AccentKind>(
      {"hat", "tilde", "vec", "dot", "ddot", "bar", "acute", "grave", "breve", "check", "wide_hat", "wide_tilde"},
      [](AccentKind k) {
        return E::Accent{k, kX};
      },
      "kind");
  expect_names<LimitStyle>(
      {"display_limits", "limits", "no_limits"},
      [](LimitStyle l) {
        return E::BigOperator{{"", OperatorKind::Large}, l, kNone, kNone};
      },
      "limits");
  expect_names<SmashMode>(
      {"top", "bottom", "both"},
      [](SmashMode m) {
        return E::Smash{kX, m};
      },
      "mode");

  const std::vector<std::string_view> columns = {"left", "center", "right"};
  for (std::size_t i = 0; i < columns.size(); ++i)
    EXPECT_EQ(serialize(MathExpr(E::Array{{static_cast<ColumnAlign>(i)}, {}})).at("columns")[0], columns[i]);
}

TEST(WriteMath, ValueLessSpacesAreTheirNameWithNull) {
  const std::vector<std::string_view> names = {"thin", "medium", "thick", "quad", "q_quad", "neg_thin"};
  for (std::size_t i = 0; i < names.size(); ++i)
    expect_written(MathExpr(E::Space{{static_cast<SpaceKind>(i), ""}}),
                   R"({")" + std::string(names[i]) + R"(":null,"type":"space"})");
}

}  // namespace
}  // namespace vyn::ast::testing
