#include "math/symbols.hpp"

namespace vyn::math {

namespace {

using ast::AccentKind;
using ast::MathFont;
using ast::OperatorKind;

using Text = Entry<std::string_view>;
using Op = Entry<OperatorSymbol>;

constexpr auto kFixedSymbols = std::to_array<Text>({
    {"hbar", "\u210F"},
    {"ell", "\u2113"},
    {"infty", "\u221E"},
    {"nabla", "\u2207"},
    {"aleph", "\u2135"},
    {"forall", "\u2200"},
    {"exists", "\u2203"},
    {"partial", "\u2202"},
    {"emptyset", "\u2205"},
    {"varnothing", "\u2205"},
});

constexpr auto kGreekLetters = std::to_array<Text>({
    {"alpha", "\u03B1"},   {"beta", "\u03B2"},       {"gamma", "\u03B3"}, {"delta", "\u03B4"},
    {"epsilon", "\u03B5"}, {"varepsilon", "\u03B5"}, {"zeta", "\u03B6"},  {"eta", "\u03B7"},
    {"theta", "\u03B8"},   {"vartheta", "\u03D1"},   {"iota", "\u03B9"},  {"kappa", "\u03BA"},
    {"lambda", "\u03BB"},  {"mu", "\u03BC"},         {"nu", "\u03BD"},    {"xi", "\u03BE"},
    {"pi", "\u03C0"},      {"varpi", "\u03D6"},      {"rho", "\u03C1"},   {"varrho", "\u03F1"},
    {"sigma", "\u03C3"},   {"varsigma", "\u03C2"},   {"tau", "\u03C4"},   {"upsilon", "\u03C5"},
    {"phi", "\u03C6"},     {"varphi", "\u03C6"},     {"chi", "\u03C7"},   {"psi", "\u03C8"},
    {"omega", "\u03C9"},   {"Gamma", "\u0393"},      {"Delta", "\u0394"}, {"Theta", "\u0398"},
    {"Lambda", "\u039B"},  {"Xi", "\u039E"},         {"Pi", "\u03A0"},    {"Sigma", "\u03A3"},
    {"Upsilon", "\u03A5"}, {"Phi", "\u03A6"},        {"Psi", "\u03A8"},   {"Omega", "\u03A9"},
});
static_assert(kGreekLetters.size() == 40);

constexpr auto kOperators = std::to_array<Op>({
    {"pm", {"\u00B1", OperatorKind::Binary}},
    {"mp", {"\u2213", OperatorKind::Binary}},
    {"times", {"\u00D7", OperatorKind::Binary}},
    {"div", {"\u00F7", OperatorKind::Binary}},
    {"cdot", {"\u00B7", OperatorKind::Binary}},
    {"cup", {"\u222A", OperatorKind::Binary}},
    {"cap", {"\u2229", OperatorKind::Binary}},
    {"land", {"\u2227", OperatorKind::Binary}},
    {"lor", {"\u2228", OperatorKind::Binary}},
    {"ne", {"\u2260", OperatorKind::Relation}},
    {"neq", {"\u2260", OperatorKind::Relation}},
    {"le", {"\u2264", OperatorKind::Relation}},
    {"leq", {"\u2264", OperatorKind::Relation}},
    {"ge", {"\u2265", OperatorKind::Relation}},
    {"geq", {"\u2265", OperatorKind::Relation}},
    {"in", {"\u2208", OperatorKind::Relation}},
    {"notin", {"\u2209", OperatorKind::Relation}},
    {"sim", {"\u223C", OperatorKind::Relation}},
    {"cong", {"\u2245", OperatorKind::Relation}},
    {"equiv", {"\u2261", OperatorKind::Relation}},
    {"approx", {"\u2248", OperatorKind::Relation}},
    {"propto", {"\u221D", OperatorKind::Relation}},
    {"subset", {"\u2282", OperatorKind::Relation}},
    {"supset", {"\u2283", OperatorKind::Relation}},
    {"subseteq", {"\u2286", OperatorKind::Relation}},
    {"supseteq", {"\u2287", OperatorKind::Relation}},
    {"to", {"\u2192", OperatorKind::Relation}},
    {"rightarrow", {"\u2192", OperatorKind::Relation}},
    {"leftarrow", {"\u2190", OperatorKind::Relation}},
    {"Rightarrow", {"\u21D2", OperatorKind::Relation}},
    {"Leftarrow", {"\u21D0", OperatorKind::Relation}},
    {"leftrightarrow", {"\u2194", OperatorKind::Relation}},
    {"Leftrightarrow", {"\u27FA", OperatorKind::Relation}},
    {"iff", {"\u27FA", OperatorKind::Relation}},
    {"implies", {"\u27F9", OperatorKind::Relation}},
    {"mapsto", {"\u21A6", OperatorKind::Relation}},
    {"uparrow", {"\u2191", OperatorKind::Relation}},
    {"downarrow", {"\u2193", OperatorKind::Relation}},
    {"hookleftarrow", {"\u21A9", OperatorKind::Relation}},
    {"hookrightarrow", {"\u21AA", OperatorKind::Relation}},
    {"neg", {"\u00AC", OperatorKind::Prefix}},
    {"lnot", {"\u00AC", OperatorKind::Prefix}},
    {"dots", {"\u2026", OperatorKind::Punctuation}},
    {"ldots", {"\u2026", OperatorKind::Punctuation}},
    {"cdots", {"\u22EF", OperatorKind::Punctuation}},
    {"vdots", {"\u22EE", OperatorKind::Punctuation}},
    {"ddots", {"\u22F1", OperatorKind::Punctuation}},
    {"colon", {":", OperatorKind::Punctuation}},
});
static_assert(kOperators.size() == 48);

constexpr auto kLargeOperators = std::to_array<Text>({
    {"sum", "\u2211"},
    {"prod", "\u220F"},
    {"int", "\u222B"},
    {"iint", "\u222C"},
    {"iiint", "\u222D"},
    {"oint", "\u222E"},
    {"bigcup", "\u22C3"},
    {"bigcap", "\u22C2"},
    {"bigvee", "\u22C1"},
    {"bigwedge", "\u22C0"},
    {"bigoplus", "\u2295"},
    {"bigotimes", "\u2297"},
    {"bigsqcup", "\u2294"},
    {"biguplus", "\u228E"},
});
static_assert(kLargeOperators.size() == 14);

constexpr auto kNamedOperators = std::to_array<Text>({
    {"lim", "lim"},       {"limsup", "lim sup"}, {"liminf", "lim inf"}, {"max", "max"}, {"min", "min"},
    {"sup", "sup"},       {"inf", "inf"},        {"log", "log"},        {"ln", "ln"},   {"sin", "sin"},
    {"cos", "cos"},       {"tan", "tan"},        {"sec", "sec"},        {"csc", "csc"}, {"cot", "cot"},
    {"arcsin", "arcsin"}, {"arccos", "arccos"},  {"arctan", "arctan"},  {"exp", "exp"}, {"det", "det"},
    {"gcd", "gcd"},       {"arg", "arg"},        {"dim", "dim"},        {"ker", "ker"}, {"deg", "deg"},
    {"hom", "hom"},       {"Pr", "Pr"},
});
static_assert(kNamedOperators.size() == 27);

constexpr auto kFonts = std::to_array<Entry<MathFont>>({
    {"text", MathFont::Roman},
    {"mbox", MathFont::Roman},
    {"mathrm", MathFont::Roman},
    {"textrm", MathFont::Roman},
    {"mathbf", MathFont::Bold},
    {"boldsymbol", MathFont::Bold},
    {"mathit", MathFont::Italic},
    {"textit", MathFont::Italic},
    {"mathsf", MathFont::SansSerif},
    {"mathtt", MathFont::Monospace},
    {"mathbb", MathFont::Blackboard},
    {"mathcal", MathFont::Calligraphic},
    {"mathfrak", MathFont::Fraktur},
    {"mathscr", MathFont::Script},
});
static_assert(kFonts.size() == 14);

constexpr auto kAccents = std::to_array<Entry<AccentKind>>({
    {"hat", AccentKind::Hat},
    {"tilde", AccentKind::Tilde},
    {"vec", AccentKind::Vec},
    {"dot", AccentKind::Dot},
    {"ddot", AccentKind::Ddot},
    {"bar", AccentKind::Bar},
    {"acute", AccentKind::Acute},
    {"grave", AccentKind::Grave},
    {"breve", AccentKind::Breve},
    {"check", AccentKind::Check},
    {"widehat", AccentKind::WideHat},
    {"widetilde", AccentKind::WideTilde},
});
static_assert(kAccents.size() == 12);

constexpr auto kFurtherIdentifiers = std::to_array<Text>({
    {"langle", "\u27E8"},   {"rangle", "\u27E9"},
    {"lbrace", "{"},        {"{", "{"},
    {"rbrace", "}"},        {"}", "}"},
    {"lVert", "\u2016"},    {"rVert", "\u2016"},
    {"lceil", "\u2308"},    {"rceil", "\u2309"},
    {"lfloor", "\u230A"},   {"rfloor", "\u230B"},
    {"prime", "\u2032"},    {"perp", "\u22A5"},
    {"top", "\u22A4"},      {"angle", "\u2220"},
    {"triangle", "\u25B3"}, {"therefore", "\u2234"},
    {"because", "\u2235"},  {"checkmark", "\u2713"},
    {"square", "\u25A1"},   {"lvert", "|"},
    {"rvert", "|"},         {"|", "|"},
});

constexpr auto kFurtherOperators = std::to_array<Op>({
    {"circ", {"\u2218", OperatorKind::Binary}},
    {"star", {"\u22C6", OperatorKind::Binary}},
    {"bullet", {"\u2022", OperatorKind::Binary}},
});

}  // namespace

std::optional<std::string_view> fixed_symbol(std::string_view name) { return lookup(kFixedSymbols, name); }
std::optional<std::string_view> greek_letter(std::string_view name) { return lookup(kGreekLetters, name); }
std::optional<OperatorSymbol> operator_symbol(std::string_view name) { return lookup(kOperators, name); }
std::optional<std::string_view> large_operator(std::string_view name) { return lookup(kLargeOperators, name); }
std::optional<std::string_view> named_operator(std::string_view name) { return lookup(kNamedOperators, name); }
std::optional<MathFont> font_override_command(std::string_view name) { return lookup(kFonts, name); }
std::optional<AccentKind> accent_kind(std::string_view name) { return lookup(kAccents, name); }
std::optional<std::string_view> further_identifier(std::string_view name) { return lookup(kFurtherIdentifiers, name); }
std::optional<OperatorSymbol> further_operator(std::string_view name) { return lookup(kFurtherOperators, name); }

}  // namespace vyn::math
