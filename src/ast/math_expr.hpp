// The math expression tree built by the math parser for one formula: 34 kinds
// of expression, their companion records and enumerations.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "ast/box.hpp"

namespace vyn::ast {

enum class OperatorKind : std::uint8_t { Binary, Relation, Prefix, Postfix, Large, Punctuation };
enum class Delimiter : std::uint8_t { Paren, Bracket, Brace, Angle, Pipe, DoublePipe, Floor, Ceil, None };
enum class MatrixDelimiters : std::uint8_t { Plain, Paren, Bracket, Brace, Pipe, DoublePipe };
enum class FracStyle : std::uint8_t { Display, Text, Auto };
enum class MathStyle : std::uint8_t { Display, Text, Script, ScriptScript };
enum class MathFont : std::uint8_t {
  Roman,
  Bold,
  Italic,
  BoldItalic,
  SansSerif,
  Monospace,
  Blackboard,
  Calligraphic,
  Fraktur,
  Script
};
enum class AccentKind : std::uint8_t {
  Hat,
  Tilde,
  Vec,
  Dot,
  Ddot,
  Bar,
  Acute,
  Grave,
  Breve,
  Check,
  WideHat,
  WideTilde
};
enum class LimitStyle : std::uint8_t { DisplayLimits, Limits, NoLimits };
enum class SmashMode : std::uint8_t { Top, Bottom, Both };
enum class ColumnAlign : std::uint8_t { Left, Center, Right };
// The value of a space; only Custom carries a payload (`MathSpace::custom`).
enum class SpaceKind : std::uint8_t { Thin, Medium, Thick, Quad, QQuad, NegThin, Custom };

// Names of the enumeration values in the dictionary form, in value order.
inline constexpr std::array<std::string_view, 6> kOperatorKindNames = {"binary",  "relation", "prefix",
                                                                       "postfix", "large",    "punctuation"};
inline constexpr std::array<std::string_view, 9> kDelimiterNames = {"paren",       "bracket", "brace", "angle", "pipe",
                                                                    "double_pipe", "floor",   "ceil",  "none"};
inline constexpr std::array<std::string_view, 6> kMatrixDelimitersNames = {"plain", "paren", "bracket",
                                                                           "brace", "pipe",  "double_pipe"};
inline constexpr std::array<std::string_view, 3> kFracStyleNames = {"display", "text", "auto"};
inline constexpr std::array<std::string_view, 4> kMathStyleNames = {"display", "text", "script", "script_script"};
inline constexpr std::array<std::string_view, 10> kMathFontNames = {
    "roman",     "bold",       "italic",       "bold_italic", "sans_serif",
    "monospace", "blackboard", "calligraphic", "fraktur",     "script"};
inline constexpr std::array<std::string_view, 12> kAccentKindNames = {
    "hat", "tilde", "vec", "dot", "ddot", "bar", "acute", "grave", "breve", "check", "wide_hat", "wide_tilde"};
inline constexpr std::array<std::string_view, 3> kLimitStyleNames = {"display_limits", "limits", "no_limits"};
inline constexpr std::array<std::string_view, 3> kSmashModeNames = {"top", "bottom", "both"};
inline constexpr std::array<std::string_view, 3> kColumnAlignNames = {"left", "center", "right"};
inline constexpr std::array<std::string_view, 7> kSpaceKindNames = {"thin",   "medium",   "thick", "quad",
                                                                    "q_quad", "neg_thin", "custom"};

// The dictionary-form name of each enumeration value.
constexpr std::string_view name_of(OperatorKind v) { return kOperatorKindNames[static_cast<std::size_t>(v)]; }
constexpr std::string_view name_of(Delimiter v) { return kDelimiterNames[static_cast<std::size_t>(v)]; }
constexpr std::string_view name_of(MatrixDelimiters v) { return kMatrixDelimitersNames[static_cast<std::size_t>(v)]; }
constexpr std::string_view name_of(FracStyle v) { return kFracStyleNames[static_cast<std::size_t>(v)]; }
constexpr std::string_view name_of(MathStyle v) { return kMathStyleNames[static_cast<std::size_t>(v)]; }
constexpr std::string_view name_of(MathFont v) { return kMathFontNames[static_cast<std::size_t>(v)]; }
constexpr std::string_view name_of(AccentKind v) { return kAccentKindNames[static_cast<std::size_t>(v)]; }
constexpr std::string_view name_of(LimitStyle v) { return kLimitStyleNames[static_cast<std::size_t>(v)]; }
constexpr std::string_view name_of(SmashMode v) { return kSmashModeNames[static_cast<std::size_t>(v)]; }
constexpr std::string_view name_of(ColumnAlign v) { return kColumnAlignNames[static_cast<std::size_t>(v)]; }
constexpr std::string_view name_of(SpaceKind v) { return kSpaceKindNames[static_cast<std::size_t>(v)]; }

struct MathOperator {
  std::string symbol;
  OperatorKind kind = OperatorKind::Binary;
  bool operator==(const MathOperator&) const = default;
};

struct MathSpace {
  SpaceKind kind = SpaceKind::Thin;
  std::string custom;  // only meaningful for SpaceKind::Custom
  bool operator==(const MathSpace&) const = default;
};

struct MathExpr;
using ExprBox = Box<MathExpr>;
using OptExpr = std::optional<Box<MathExpr>>;
using ExprList = std::vector<MathExpr>;
using ExprGrid = std::vector<ExprList>;

struct CaseRow {
  ExprBox expr;
  OptExpr condition;
  bool operator==(const CaseRow&) const = default;
};

struct AlignRow {
  ExprList cells;
  std::optional<std::string> label;
  bool operator==(const AlignRow&) const = default;
};

// One expression. The alternatives of `value` are declared in kind order, so
// `value.index()` is the kind's index in the dictionary form.
struct MathExpr {
  struct Ident {
    std::string value;
    bool operator==(const Ident&) const = default;
  };
  struct Number {
    std::string value;
    bool operator==(const Number&) const = default;
  };
  struct Operator {
    MathOperator op;
    bool operator==(const Operator&) const = default;
  };
  struct Text {
    std::string value;
    bool operator==(const Text&) const = default;
  };
  struct Row {
    ExprList children;
    bool operator==(const Row&) const = default;
  };
  struct Fenced {
    Delimiter open;
    Delimiter close;
    ExprList body;
    bool operator==(const Fenced&) const = default;
  };
  struct Superscript {
    ExprBox base;
    ExprBox script;
    bool operator==(const Superscript&) const = default;
  };
  struct Subscript {
    ExprBox base;
    ExprBox script;
    bool operator==(const Subscript&) const = default;
  };
  struct Subsuperscript {
    ExprBox base;
    ExprBox sub;
    ExprBox sup;
    bool operator==(const Subsuperscript&) const = default;
  };
  struct Frac {
    ExprBox numerator;
    ExprBox denominator;
    FracStyle style;
    bool operator==(const Frac&) const = default;
  };
  struct Sqrt {
    OptExpr index;
    ExprBox body;
    bool operator==(const Sqrt&) const = default;
  };
  struct Overline {
    ExprBox body;
    bool operator==(const Overline&) const = default;
  };
  struct Underline {
    ExprBox body;
    bool operator==(const Underline&) const = default;
  };
  struct Overbrace {
    ExprBox body;
    OptExpr annotation;
    bool operator==(const Overbrace&) const = default;
  };
  struct Underbrace {
    ExprBox body;
    OptExpr annotation;
    bool operator==(const Underbrace&) const = default;
  };
  struct Overset {
    ExprBox over;
    ExprBox base;
    bool operator==(const Overset&) const = default;
  };
  struct Underset {
    ExprBox under;
    ExprBox base;
    bool operator==(const Underset&) const = default;
  };
  struct Accent {
    AccentKind kind;
    ExprBox body;
    bool operator==(const Accent&) const = default;
  };
  struct BigOperator {
    MathOperator op;
    LimitStyle limits;
    OptExpr lower;
    OptExpr upper;
    bool operator==(const BigOperator&) const = default;
  };
  struct Matrix {
    ExprGrid rows;
    MatrixDelimiters delimiters;
    bool operator==(const Matrix&) const = default;
  };
  struct Cases {
    std::vector<CaseRow> rows;
    bool operator==(const Cases&) const = default;
  };
  struct Array {
    std::vector<ColumnAlign> columns;
    ExprGrid rows;
    bool operator==(const Array&) const = default;
  };
  struct Align {
    std::vector<AlignRow> rows;
    bool numbered;
    bool operator==(const Align&) const = default;
  };
  struct Gather {
    ExprList rows;
    bool numbered;
    bool operator==(const Gather&) const = default;
  };
  struct Space {
    MathSpace space;
    bool operator==(const Space&) const = default;
  };
  struct Phantom {
    ExprBox body;
    bool operator==(const Phantom&) const = default;
  };
  struct HPhantom {
    ExprBox body;
    bool operator==(const HPhantom&) const = default;
  };
  struct VPhantom {
    ExprBox body;
    bool operator==(const VPhantom&) const = default;
  };
  struct Smash {
    ExprBox body;
    SmashMode mode;
    bool operator==(const Smash&) const = default;
  };
  struct StyleOverride {
    MathStyle style;
    ExprBox body;
    bool operator==(const StyleOverride&) const = default;
  };
  struct FontOverride {
    MathFont font;
    ExprBox body;
    bool operator==(const FontOverride&) const = default;
  };
  struct Color {
    std::string color;
    ExprBox body;
    bool operator==(const Color&) const = default;
  };
  struct Chem {
    std::string value;
    bool operator==(const Chem&) const = default;
  };
  struct Error {
    std::string raw;
    std::string message;
    bool operator==(const Error&) const = default;
  };

  using Value = std::variant<Ident, Number, Operator, Text, Row, Fenced, Superscript, Subscript, Subsuperscript, Frac,
                             Sqrt, Overline, Underline, Overbrace, Underbrace, Overset, Underset, Accent, BigOperator,
                             Matrix, Cases, Array, Align, Gather, Space, Phantom, HPhantom, VPhantom, Smash,
                             StyleOverride, FontOverride, Color, Chem, Error>;
  Value value;

  MathExpr() = default;  // an empty ident, for a reader to fill in place
  template <class Kind>
  requires(!std::is_same_v<std::decay_t<Kind>, MathExpr>) MathExpr(Kind kind)
      : value(std::move(kind)) {}  // NOLINT: implicit on purpose

  bool operator==(const MathExpr&) const = default;
};

// The "type" tags of the 34 kinds, in kind order.
inline constexpr std::array<std::string_view, 34> kMathKindNames = {
    "ident",      "number",         "operator",      "text",   "row",          "fenced",    "superscript",
    "subscript",  "subsuperscript", "frac",          "sqrt",   "overline",     "underline", "overbrace",
    "underbrace", "overset",        "underset",      "accent", "big_operator", "matrix",    "cases",
    "array",      "align",          "gather",        "space",  "phantom",      "h_phantom", "v_phantom",
    "smash",      "style_override", "font_override", "color",  "chem",         "error"};
static_assert(kMathKindNames.size() == std::variant_size_v<MathExpr::Value>);

// The variant names used in reading errors ("struct variant MathExpr::Frac").
inline constexpr std::array<std::string_view, 34> kMathVariantNames = {
    "Ident",      "Number",         "Operator",     "Text",   "Row",         "Fenced",    "Superscript",
    "Subscript",  "Subsuperscript", "Frac",         "Sqrt",   "Overline",    "Underline", "Overbrace",
    "Underbrace", "Overset",        "Underset",     "Accent", "BigOperator", "Matrix",    "Cases",
    "Array",      "Align",          "Gather",       "Space",  "Phantom",     "HPhantom",  "VPhantom",
    "Smash",      "StyleOverride",  "FontOverride", "Color",  "Chem",        "Error"};

template <class Kind, class Variant>
struct VariantIndex;
template <class Kind, class... Alternatives>
struct VariantIndex<Kind, std::variant<Alternatives...>> {
  static constexpr std::size_t value = [] {
    std::size_t index = 0;
    (void)((std::is_same_v<Kind, Alternatives> ? true : (++index, false)) || ...);
    return index;
  }();
};

// The kind index of one alternative of MathExpr::Value.
template <class Kind>
inline constexpr std::size_t math_kind_index = VariantIndex<Kind, MathExpr::Value>::value;

inline std::string_view kind_name(const MathExpr& expr) { return kMathKindNames[expr.value.index()]; }

}  // namespace vyn::ast
