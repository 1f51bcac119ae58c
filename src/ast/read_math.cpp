#include "ast/read_math.hpp"

#include <array>
#include <utility>

namespace vyn::ast {

using E = MathExpr;

template <>
inline constexpr std::span<const std::string_view> kEnumNames<OperatorKind> = kOperatorKindNames;
template <>
inline constexpr std::span<const std::string_view> kEnumNames<Delimiter> = kDelimiterNames;
template <>
inline constexpr std::span<const std::string_view> kEnumNames<MatrixDelimiters> = kMatrixDelimitersNames;
template <>
inline constexpr std::span<const std::string_view> kEnumNames<FracStyle> = kFracStyleNames;
template <>
inline constexpr std::span<const std::string_view> kEnumNames<MathStyle> = kMathStyleNames;
template <>
inline constexpr std::span<const std::string_view> kEnumNames<MathFont> = kMathFontNames;
template <>
inline constexpr std::span<const std::string_view> kEnumNames<AccentKind> = kAccentKindNames;
template <>
inline constexpr std::span<const std::string_view> kEnumNames<LimitStyle> = kLimitStyleNames;
template <>
inline constexpr std::span<const std::string_view> kEnumNames<SmashMode> = kSmashModeNames;
template <>
inline constexpr std::span<const std::string_view> kEnumNames<ColumnAlign> = kColumnAlignNames;

template <>
inline constexpr auto kShape<MathOperator> = shape("MathOperator", field("symbol", &MathOperator::symbol),
                                                   field("kind", &MathOperator::kind));
template <>
inline constexpr auto kShape<CaseRow> = shape("CaseRow", field("expr", &CaseRow::expr),
                                              field("condition", &CaseRow::condition));
template <>
inline constexpr auto kShape<AlignRow> = shape("AlignRow", field("cells", &AlignRow::cells),
                                               field("label", &AlignRow::label));

// The fields of a struct-like kind, named "struct variant MathExpr::<variant>" in errors.
template <class Kind, class... Fields>
constexpr Shape<Fields...> kind_shape(Fields... fields) {
  return {"struct variant MathExpr::", kMathVariantNames[math_kind_index<Kind>], std::tuple<Fields...>(fields...)};
}

template <>
inline constexpr auto kShape<E::Ident> = kind_shape<E::Ident>(field("value", &E::Ident::value));
template <>
inline constexpr auto kShape<E::Number> = kind_shape<E::Number>(field("value", &E::Number::value));
template <>
inline constexpr auto kShape<E::Text> = kind_shape<E::Text>(field("value", &E::Text::value));
template <>
inline constexpr auto kShape<E::Row> = kind_shape<E::Row>(field("children", &E::Row::children));
template <>
inline constexpr auto kShape<E::Fenced> = kind_shape<E::Fenced>(field("open", &E::Fenced::open),
                                                                field("close", &E::Fenced::close),
                                                                field("body", &E::Fenced::body));
template <>
inline constexpr auto kShape<E::Superscript> = kind_shape<E::Superscript>(field("base", &E::Superscript::base),
                                                                          field("script", &E::Superscript::script));
template <>
inline constexpr auto kShape<E::Subscript> = kind_shape<E::Subscript>(field("base", &E::Subscript::base),
                                                                      field("script", &E::Subscript::script));
template <>
inline constexpr auto kShape<E::Subsuperscript> = kind_shape<E::Subsuperscript>(field("base", &E::Subsuperscript::base),
                                                                                field("sub", &E::Subsuperscript::sub),
                                                                                field("sup", &E::Subsuperscript::sup));
template <>
inline constexpr auto kShape<E::Frac> = kind_shape<E::Frac>(field("numerator", &E::Frac::numerator),
                                                            field("denominator", &E::Frac::denominator),
                                                            field("style", &E::Frac::style));
template <>
inline constexpr auto kShape<E::Sqrt> = kind_shape<E::Sqrt>(field("index", &E::Sqrt::index),
                                                            field("body", &E::Sqrt::body));
template <>
inline constexpr auto kShape<E::Overline> = kind_shape<E::Overline>(field("body", &E::Overline::body));
template <>
inline constexpr auto kShape<E::Underline> = kind_shape<E::Underline>(field("body", &E::Underline::body));
template <>
inline constexpr auto kShape<E::Overbrace> = kind_shape<E::Overbrace>(field("body", &E::Overbrace::body),
                                                                      field("annotation", &E::Overbrace::annotation));
template <>
inline constexpr auto kShape<E::Underbrace> =
    kind_shape<E::Underbrace>(field("body", &E::Underbrace::body), field("annotation", &E::Underbrace::annotation));
template <>
inline constexpr auto kShape<E::Overset> = kind_shape<E::Overset>(field("over", &E::Overset::over),
                                                                  field("base", &E::Overset::base));
template <>
inline constexpr auto kShape<E::Underset> = kind_shape<E::Underset>(field("under", &E::Underset::under),
                                                                    field("base", &E::Underset::base));
template <>
inline constexpr auto kShape<E::Accent> = kind_shape<E::Accent>(field("kind", &E::Accent::kind),
                                                                field("body", &E::Accent::body));
template <>
inline constexpr auto kShape<E::BigOperator> = kind_shape<E::BigOperator>(field("op", &E::BigOperator::op),
                                                                          field("limits", &E::BigOperator::limits),
                                                                          field("lower", &E::BigOperator::lower),
                                                                          field("upper", &E::BigOperator::upper));
template <>
inline constexpr auto kShape<E::Matrix> = kind_shape<E::Matrix>(field("rows", &E::Matrix::rows),
                                                                field("delimiters", &E::Matrix::delimiters));
template <>
inline constexpr auto kShape<E::Cases> = kind_shape<E::Cases>(field("rows", &E::Cases::rows));
template <>
inline constexpr auto kShape<E::Array> = kind_shape<E::Array>(field("columns", &E::Array::columns),
                                                              field("rows", &E::Array::rows));
template <>
inline constexpr auto kShape<E::Align> = kind_shape<E::Align>(field("rows", &E::Align::rows),
                                                              field("numbered", &E::Align::numbered));
template <>
inline constexpr auto kShape<E::Gather> = kind_shape<E::Gather>(field("rows", &E::Gather::rows),
                                                                field("numbered", &E::Gather::numbered));
template <>
inline constexpr auto kShape<E::Phantom> = kind_shape<E::Phantom>(field("body", &E::Phantom::body));
template <>
inline constexpr auto kShape<E::HPhantom> = kind_shape<E::HPhantom>(field("body", &E::HPhantom::body));
template <>
inline constexpr auto kShape<E::VPhantom> = kind_shape<E::VPhantom>(field("body", &E::VPhantom::body));
template <>
inline constexpr auto kShape<E::Smash> = kind_shape<E::Smash>(field("body", &E::Smash::body),
                                                              field("mode", &E::Smash::mode));
template <>
inline constexpr auto kShape<E::StyleOverride> = kind_shape<E::StyleOverride>(field("style", &E::StyleOverride::style),
                                                                              field("body", &E::StyleOverride::body));
template <>
inline constexpr auto kShape<E::FontOverride> = kind_shape<E::FontOverride>(field("font", &E::FontOverride::font),
                                                                            field("body", &E::FontOverride::body));
template <>
inline constexpr auto kShape<E::Color> = kind_shape<E::Color>(field("color", &E::Color::color),
                                                              field("body", &E::Color::body));
template <>
inline constexpr auto kShape<E::Chem> = kind_shape<E::Chem>(field("value", &E::Chem::value));
template <>
inline constexpr auto kShape<E::Error> = kind_shape<E::Error>(field("raw", &E::Error::raw),
                                                              field("message", &E::Error::message));

template <class T>
struct ValueReader<Box<T>> {
  static void fill(const Json& value, Reader& reader, Box<T>& out) { read_into(value, reader, *out); }
};

// An operator's symbol and kind stand beside its tag.
template <>
struct ValueReader<E::Operator> {
  static void fill_fields(const Json& tagged, std::size_t first, Reader& reader, E::Operator& out) {
    ValueReader<MathOperator>::fill_fields(tagged, first, reader, out.op);
  }
};

// A space is its value's name as the one key beside the tag, so unlike every
// other kind it admits no unknown keys.
template <>
struct ValueReader<E::Space> {
  static void fill_fields(const Json& tagged, std::size_t, Reader& reader, E::Space& out) {
    if (tagged.is_array()) fail_type_text("sequence", "string or map");
    const auto& entries = tagged.get_ref<const Json::object_t&>();
    if (entries.size() != 2) fail_value("map", "map with a single key");
    auto entry = entries.begin();
    if (entry->first == "type") ++entry;
    MathSpace space{static_cast<SpaceKind>(read_variant_name(entry->first, kSpaceKindNames)), {}};
    if (space.kind == SpaceKind::Custom)
      space.custom = read_string(entry->second);
    else
      read_unit(entry->second, reader);
    out.space = std::move(space);
  }
};

namespace {

using KindReader = void (*)(const Json& tagged, Reader& reader, MathExpr& out);

template <class Kind>
void read_kind(const Json& tagged, Reader& reader, MathExpr& out) {
  ValueReader<Kind>::fill_fields(tagged, 1, reader, out.value.emplace<Kind>());
}

// The reader of each kind, in kind order.
constexpr auto kKindReaders = []<std::size_t... I>(std::index_sequence<I...>) {
  return std::array<KindReader, sizeof...(I)>{read_kind<std::variant_alternative_t<I, E::Value>>...};
}
(std::make_index_sequence<std::variant_size_v<E::Value>>());

}  // namespace

void ValueReader<MathExpr>::fill(const Json& value, Reader& reader, MathExpr& out) {
  if (!value.is_object() && !value.is_array()) fail_type(value, "internally tagged enum MathExpr");
  Reader::Nest nest(reader);
  const std::size_t kind = read_tag(read_tag_value(value), reader, kMathKindNames);
  kKindReaders[kind](value, reader, out);
}

}  // namespace vyn::ast
