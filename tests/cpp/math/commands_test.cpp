// The command dictionary: every entry of every symbol table, the
// constructions with arguments, and how arguments are read.
#include <gtest/gtest.h>

#include "expr.hpp"

namespace vyn::math::testing {
namespace {

// Each command alone, as "\name", gives the expression.
void expect_commands(const std::vector<std::pair<std::string, Json>>& commands) {
  for (const auto& [name, expected] : commands) {
    SCOPED_TRACE(name);
    EXPECT_EQ(parsed("\\" + name), expected);
  }
}

TEST(Commands, FixedSymbols) {
  expect_commands({
      {"quad", space("quad")},
      {"qquad", space("q_quad")},
      {"hbar", ident("ℏ")},
      {"ell", ident("ℓ")},
      {"infty", ident("∞")},
      {"nabla", ident("∇")},
      {"aleph", ident("ℵ")},
      {"forall", ident("∀")},
      {"exists", ident("∃")},
      {"partial", ident("∂")},
      {"emptyset", ident("∅")},
      {"varnothing", ident("∅")},
  });
}

TEST(Commands, GreekLetters) {
  expect_commands({
      {"alpha", ident("α")},   {"beta", ident("β")},       {"gamma", ident("γ")}, {"delta", ident("δ")},
      {"epsilon", ident("ε")}, {"varepsilon", ident("ε")}, {"zeta", ident("ζ")},  {"eta", ident("η")},
      {"theta", ident("θ")},   {"vartheta", ident("ϑ")},   {"iota", ident("ι")},  {"kappa", ident("κ")},
      {"lambda", ident("λ")},  {"mu", ident("μ")},         {"nu", ident("ν")},    {"xi", ident("ξ")},
      {"pi", ident("π")},      {"varpi", ident("ϖ")},      {"rho", ident("ρ")},   {"varrho", ident("ϱ")},
      {"sigma", ident("σ")},   {"varsigma", ident("ς")},   {"tau", ident("τ")},   {"upsilon", ident("υ")},
      {"phi", ident("φ")},     {"varphi", ident("φ")},     {"chi", ident("χ")},   {"psi", ident("ψ")},
      {"omega", ident("ω")},   {"Gamma", ident("Γ")},      {"Delta", ident("Δ")}, {"Theta", ident("Θ")},
      {"Lambda", ident("Λ")},  {"Xi", ident("Ξ")},         {"Pi", ident("Π")},    {"Sigma", ident("Σ")},
      {"Upsilon", ident("Υ")}, {"Phi", ident("Φ")},        {"Psi", ident("Ψ")},   {"Omega", ident("Ω")},
  });
}

TEST(Commands, Operators) {
  auto binary = [](std::string_view s) { return op(s, "binary"); };
  auto relation = [](std::string_view s) { return op(s, "relation"); };
  auto punctuation = [](std::string_view s) { return op(s, "punctuation"); };
  expect_commands({
      {"pm", binary("±")},
      {"mp", binary("∓")},
      {"times", binary("×")},
      {"div", binary("÷")},
      {"cdot", binary("·")},
      {"cup", binary("∪")},
      {"cap", binary("∩")},
      {"land", binary("∧")},
      {"lor", binary("∨")},
      {"ne", relation("≠")},
      {"neq", relation("≠")},
      {"le", relation("≤")},
      {"leq", relation("≤")},
      {"ge", relation("≥")},
      {"geq", relation("≥")},
      {"in", relation("∈")},
      {"notin", relation("∉")},
      {"sim", relation("∼")},
      {"cong", relation("≅")},
      {"equiv", relation("≡")},
      {"approx", relation("≈")},
      {"propto", relation("∝")},
      {"subset", relation("⊂")},
      {"supset", relation("⊃")},
      {"subseteq", relation("⊆")},
      {"supseteq", relation("⊇")},
      {"to", relation("→")},
      {"rightarrow", relation("→")},
      {"leftarrow", relation("←")},
      {"Rightarrow", relation("⇒")},
      {"Leftarrow", relation("⇐")},
      {"leftrightarrow", relation("↔")},
      {"Leftrightarrow", relation("⟺")},
      {"iff", relation("⟺")},
      {"implies", relation("⟹")},
      {"mapsto", relation("↦")},
      {"uparrow", relation("↑")},
      {"downarrow", relation("↓")},
      {"hookleftarrow", relation("↩")},
      {"hookrightarrow", relation("↪")},
      {"neg", op("¬", "prefix")},
      {"lnot", op("¬", "prefix")},
      {"dots", punctuation("…")},
      {"ldots", punctuation("…")},
      {"cdots", punctuation("⋯")},
      {"vdots", punctuation("⋮")},
      {"ddots", punctuation("⋱")},
      {"colon", punctuation(":")},
  });
}

TEST(Commands, LargeOperators) {
  expect_commands({
      {"sum", big_operator("∑")},
      {"prod", big_operator("∏")},
      {"int", big_operator("∫")},
      {"iint", big_operator("∬")},
      {"iiint", big_operator("∭")},
      {"oint", big_operator("∮")},
      {"bigcup", big_operator("⋃")},
      {"bigcap", big_operator("⋂")},
      {"bigvee", big_operator("⋁")},
      {"bigwedge", big_operator("⋀")},
      {"bigoplus", big_operator("⊕")},
      {"bigotimes", big_operator("⊗")},
      {"bigsqcup", big_operator("⊔")},
      {"biguplus", big_operator("⊎")},
  });
}

TEST(Commands, NamedOperators) {
  std::vector<std::pair<std::string, Json>> commands;
  for (std::string name :
       {"lim",    "max",    "min",    "sup", "inf", "log", "ln",  "sin", "cos", "tan", "sec", "csc", "cot",
        "arcsin", "arccos", "arctan", "exp", "det", "gcd", "arg", "dim", "ker", "deg", "hom", "Pr"}) {
    commands.emplace_back(name, op(name, "prefix"));
  }
  commands.emplace_back("limsup", op("lim sup", "prefix"));
  commands.emplace_back("liminf", op("lim inf", "prefix"));
  expect_commands(commands);
}

TEST(Commands, FontsAndText) {
  auto font = [](std::string_view f) { return expr("font_override", {{"font", f}, {"body", ident("x")}}); };
  expect_all({
      {"\\mathrm{x}", font("roman")},
      {"\\textrm{x}", font("roman")},
      {"\\mathbf{x}", font("bold")},
      {"\\boldsymbol{x}", font("bold")},
      {"\\mathit{x}", font("italic")},
      {"\\textit{x}", font("italic")},
      {"\\mathsf{x}", font("sans_serif")},
      {"\\mathtt{x}", font("monospace")},
      {"\\mathbb{x}", font("blackboard")},
      {"\\mathcal{x}", font("calligraphic")},
      {"\\mathfrak{x}", font("fraktur")},
      {"\\mathscr{x}", font("script")},
      {"\\mathbf {x}", row({expr("font_override", {{"font", "bold"}, {"body", expected_brace()}}), ident("x")})},
      {"\\text{a b}", text("a b")},
      {"\\mbox{a b}", text("a b")},
      {"\\text {a  b}", text("a b")},
      {"\\text{\\alpha^{2}}", text("\\alpha^{2}")},
      {"\\text x", row({text(""), ident("x")})},
      {"\\text{a", text("a")},
  });
}

TEST(Commands, Accents) {
  std::vector<Case> cases;
  for (auto [name, kind] : std::vector<std::pair<std::string, std::string>>{{"hat", "hat"},
                                                                            {"tilde", "tilde"},
                                                                            {"vec", "vec"},
                                                                            {"dot", "dot"},
                                                                            {"ddot", "ddot"},
                                                                            {"bar", "bar"},
                                                                            {"acute", "acute"},
                                                                            {"grave", "grave"},
                                                                            {"breve", "breve"},
                                                                            {"check", "check"},
                                                                            {"widehat", "wide_hat"},
                                                                            {"widetilde", "wide_tilde"}}) {
    cases.push_back({"\\" + name + "{x}", expr("accent", {{"kind", kind}, {"body", ident("x")}})});
  }
  cases.push_back({"\\hat x", row({expr("accent", {{"kind", "hat"}, {"body", expected_brace()}}), ident("x")})});
  expect_all(cases);
}

TEST(Commands, Constructions) {
  auto style = [](std::string_view s, Json body) { return expr("style_override", {{"style", s}, {"body", body}}); };
  auto smash = [](std::string_view mode) { return expr("smash", {{"body", ident("x")}, {"mode", mode}}); };
  expect_all({
      {"\\overline{x}", body_of("overline", ident("x"))},
      {"\\underline{x}", body_of("underline", ident("x"))},
      {"\\overbrace{x}", expr("overbrace", {{"body", ident("x")}, {"annotation", nullptr}})},
      {"\\underbrace{x}", expr("underbrace", {{"body", ident("x")}, {"annotation", nullptr}})},
      {"\\overset{a}{b}", expr("overset", {{"over", ident("a")}, {"base", ident("b")}})},
      {"\\stackrel{a}{b}", expr("overset", {{"over", ident("a")}, {"base", ident("b")}})},
      {"\\underset{a}{b}", expr("underset", {{"under", ident("a")}, {"base", ident("b")}})},
      {"\\overset{!}{=}", expr("overset", {{"over", op("!", "postfix")}, {"base", op("=", "relation")}})},
      {"\\displaystyle{x}", style("display", ident("x"))},
      {"\\textstyle{x}", style("text", ident("x"))},
      {"\\scriptstyle{x}", style("script", ident("x"))},
      {"\\scriptscriptstyle{x}", style("script_script", ident("x"))},
      {"\\phantom{x}", body_of("phantom", ident("x"))},
      {"\\hphantom{x}", body_of("h_phantom", ident("x"))},
      {"\\vphantom{x}", body_of("v_phantom", ident("x"))},
      {"\\smash{x}", smash("both")},
      {"\\smash[b]{x}", smash("bottom")},
      {"\\smash[ t ]{x}", smash("top")},
      {"\\smash [t]{x}", smash("top")},
      {"\\smash[tb]{x}", smash("both")},
      {"\\smash[]{x}", smash("both")},
      {"\\color{#f00}{x}", expr("color", {{"color", "#f00"}, {"body", ident("x")}})},
      {"\\textcolor{red}{x}", expr("color", {{"color", "red"}, {"body", ident("x")}})},
      {"\\operatorname{sgn}", op("sgn", "prefix")},
      {"\\ce{H_2O}", chem("O")},
      {"\\ce{H2O}", chem("H2O")},
  });
}

TEST(Commands, StyleBodyRunsToTheEndOfTheRow) {
  auto display = [](Json body) { return expr("style_override", {{"style", "display"}, {"body", body}}); };
  expect_all({
      {"\\displaystyle x+y", display(row({ident("x"), op("+", "binary"), ident("y")}))},
      {"\\displaystyle {x}y", row({display(ident("x")), ident("y")})},
      {"{\\displaystyle x}y", row({display(ident("x")), ident("y")})},
      {"\\displaystyle", display(empty_row())},
  });
}

TEST(Commands, FurtherSymbols) {
  expect_commands({
      {"langle", ident("⟨")},      {"rangle", ident("⟩")},      {"lbrace", ident("{")},
      {"{", ident("{")},           {"rbrace", ident("}")},      {"}", ident("}")},
      {"lVert", ident("‖")},       {"rVert", ident("‖")},       {"lceil", ident("⌈")},
      {"rceil", ident("⌉")},       {"lfloor", ident("⌊")},      {"rfloor", ident("⌋")},
      {"prime", ident("′")},       {"perp", ident("⊥")},        {"top", ident("⊤")},
      {"angle", ident("∠")},       {"triangle", ident("△")},    {"therefore", ident("∴")},
      {"because", ident("∵")},     {"checkmark", ident("✓")},   {"square", ident("□")},
      {"lvert", ident("|")},       {"rvert", ident("|")},       {"|", ident("|")},
      {"circ", op("∘", "binary")}, {"star", op("⋆", "binary")}, {"bullet", op("•", "binary")},
  });
}

TEST(Commands, UnknownNames) {
  std::vector<std::pair<std::string, Json>> commands;
  for (std::string name : {"Alpha", "omicron", "sinh", "big", "middle", "%", "#", "&", "_", "$", "vert", "Vert",
                           "limits", "nolimits", "pr", "label", "\u00E9", "3"}) {
    commands.emplace_back(name, error("\\" + name, "unknown command: \\" + name));
  }
  commands.emplace_back("", error("\\", "unknown command: \\"));
  expect_commands(commands);
}

TEST(Commands, FractionsAndBinomials) {
  expect_all({
      {"\\frac{a}{b}", frac(ident("a"), ident("b"))},
      {"\\dfrac{a}{b}", frac(ident("a"), ident("b"), "display")},
      {"\\tfrac{a}{b}", frac(ident("a"), ident("b"), "text")},
      {"\\frac {a}{b}", row({frac(expected_brace(), expected_brace()), ident("a"), ident("b")})},
      {"\\frac{a} {b}", row({frac(ident("a"), expected_brace()), ident("b")})},
      {"\\frac12", row({frac(expected_brace(), expected_brace()), number("12")})},
      {"\\frac{a}", frac(ident("a"), expected_brace())},
      {"\\frac{a", frac(unmatched("{..."), expected_brace())},
      {"\\binom{n}{k}", fenced("paren", "paren", {frac(ident("n"), ident("k"))})},
  });
}

TEST(Commands, Roots) {
  expect_all({
      {"\\sqrt{x}", sqrt(nullptr, ident("x"))},
      {"\\sqrt[3]{x}", sqrt(number("3"), ident("x"))},
      {"\\sqrt [3]{x}", sqrt(number("3"), ident("x"))},
      {"\\sqrt[ n+1 ]{x}", sqrt(row({ident("n"), op("+", "binary"), number("1")}), ident("x"))},
      {"\\sqrt[3] {x}", row({sqrt(number("3"), expected_brace()), ident("x")})},
      {"\\sqrt[]{x}", sqrt(empty_row(), ident("x"))},
      {"\\sqrt x", row({sqrt(nullptr, expected_brace()), ident("x")})},
      {"\\sqrt[3", sqrt(number("3"), expected_brace())},
      {"\\sqrt[a^2]{x}", sqrt(sup(ident("a"), number("2")), ident("x"))},
      {"\\sqrt[\\sqrt[3]{y}]{x}", sqrt(sqrt(number("3"), ident("y")), ident("x"))},
      {"\\sqrt[a&b]{x}",
       sqrt(row({ident("a"), error("&", "unexpected & outside environment"), ident("b")}), ident("x"))},
  });
}

// A "}" or "\end" inside a root's index closes the construct that encloses
// the root, as a "]" would close the index: the index ends there, the body is
// missing, and the enclosing group still closes.
TEST(Commands, RootIndexEndsAtAClosingBraceOrEnd) {
  expect_all({
      {"{\\sqrt[3}x", row({sqrt(number("3"), expected_brace()), ident("x")})},
      {"\\sqrt[3}x", sqrt(number("3"), expected_brace())},
      {"\\begin{matrix}\\sqrt[2\\end{matrix}x",
       row({expr("matrix", {{"rows", {{sqrt(number("2"), expected_brace())}}}, {"delimiters", "plain"}}), ident("x")})},
  });
}

TEST(Commands, BigOperatorLimits) {
  Json lower = row({ident("i"), op("=", "relation"), number("1")});
  expect_all({
      {"\\sum_{i=1}^{n}", big_operator("∑", lower, ident("n"))},
      {"\\sum^{n}_{i=1}", big_operator("∑", lower, ident("n"))},
      {"\\sum _ a ^ b", big_operator("∑", ident("a"), ident("b"))},
      {"\\sum^a", big_operator("∑", nullptr, ident("a"))},
      {"\\sum_a_b", sub(big_operator("∑", ident("a")), ident("b"))},
      {"\\sum^a^b", sup(big_operator("∑", nullptr, ident("a")), ident("b"))},
      {"\\sum_a^b_c", sub(big_operator("∑", ident("a"), ident("b")), ident("c"))},
      {"\\int\\limits_0^1",
       row({big_operator("∫"), subsup(error("\\limits", "unknown command: \\limits"), number("0"), number("1"))})},
      {"\\lim_{x \\to 0}", sub(op("lim", "prefix"), row({ident("x"), op("→", "relation"), number("0")}))},
  });
}

TEST(Commands, LeftRight) {
  Json x = ident("x");
  expect_all({
      {"\\left( x \\right)", fenced("paren", "paren", {x})},
      {"\\left[x\\right]", fenced("bracket", "bracket", {x})},
      {"\\left)x\\right(", fenced("paren", "paren", {x})},
      {"\\left{x\\right}", fenced("brace", "brace", {x})},
      {"\\left\\{x\\right\\}", fenced("brace", "brace", {x})},
      {"\\left\\lbrace x\\right\\rbrace", fenced("brace", "brace", {x})},
      {"\\left|x\\right|", fenced("pipe", "pipe", {x})},
      {"\\left\\vert x\\right\\rvert", fenced("pipe", "pipe", {x})},
      {"\\left\\lvert x\\right\\vert", fenced("pipe", "pipe", {x})},
      {"\\left\\|x\\right\\Vert", fenced("double_pipe", "double_pipe", {x})},
      {"\\left\\lVert x\\right\\rVert", fenced("double_pipe", "double_pipe", {x})},
      {"\\left\\langle x\\right\\rangle", fenced("angle", "angle", {x})},
      {"\\left\\rangle x\\right\\langle", fenced("angle", "angle", {x})},
      {"\\left\\lfloor x\\right\\rfloor", fenced("floor", "floor", {x})},
      {"\\left\\lceil x\\right\\rceil", fenced("ceil", "ceil", {x})},
      {"\\left\\alpha x\\right\\foo", fenced("none", "none", {x})},
      {"\\left. x \\right|", fenced("none", "pipe", {number("."), x})},
      {"\\left( x\\right.", row({fenced("paren", "none", {x}), number(".")})},
      {"\\left x \\right)", fenced("none", "paren", {x})},
      {"\\left(\\right)", fenced("paren", "paren", {})},
      {"\\left( a b \\right)", fenced("paren", "paren", {ident("a"), ident("b")})},
      {"\\left( \\left[ x \\right] \\right)", fenced("paren", "paren", {fenced("bracket", "bracket", {x})})},
  });
}

TEST(Commands, UnmatchedLeftAndRight) {
  const std::string message = "\\left without matching \\right";
  expect_all({
      {"\\left( x", error("\\left(", message)},
      {"\\left", error("\\left.", message)},
      {"\\left[", error("\\left[", message)},
      {"\\left\\{", error("\\left\\{", message)},
      {"\\left\\langle x", error("\\left\\langle", message)},
      {"\\left| x", error("\\left|", message)},
      {"\\left\\| x", error("\\left\\|", message)},
      {"\\left\\lfloor x", error("\\left\\lfloor", message)},
      {"\\left\\lceil x", error("\\left\\lceil", message)},
      {"{\\left( x}y", row({error("\\left(", message), ident("y")})},
      {"\\left( x & y", error("\\left(", message)},
      {"\\right)", empty_row()},
      {"x^\\right", sup(ident("x"), error("\\right", "\\right without matching \\left"))},
  });
}

}  // namespace
}  // namespace vyn::math::testing
