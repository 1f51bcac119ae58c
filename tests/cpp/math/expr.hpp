// Builders for the dictionary form of math expressions, and the parse under
// test in that form, for the math suites.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "ast/json.hpp"
#include "ast/write.hpp"
#include "math/math.hpp"

namespace vyn::math::testing {

using ast::Json;
using List = std::vector<Json>;

inline Json parsed(std::string_view formula) { return ast::serialize(parse(formula)); }

struct Case {
  std::string formula;
  Json expected;
};

// Each formula parses to its expected expression.
inline void expect_all(const std::vector<Case>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    EXPECT_EQ(parsed(c.formula), c.expected);
  }
}

inline Json expr(std::string_view type, Json fields = Json::object()) {
  fields["type"] = type;
  return fields;
}

inline Json ident(std::string_view value) { return expr("ident", {{"value", value}}); }
inline Json number(std::string_view value) { return expr("number", {{"value", value}}); }
inline Json text(std::string_view value) { return expr("text", {{"value", value}}); }
inline Json chem(std::string_view value) { return expr("chem", {{"value", value}}); }
inline Json op(std::string_view symbol, std::string_view kind) {
  return expr("operator", {{"symbol", symbol}, {"kind", kind}});
}
inline Json row(List children) { return expr("row", {{"children", std::move(children)}}); }
inline Json empty_row() { return row({}); }
inline Json error(std::string_view raw, std::string_view message) {
  return expr("error", {{"raw", raw}, {"message", message}});
}
inline Json space(std::string_view kind) { return expr("space", {{kind, nullptr}}); }
inline Json sup(Json base, Json script) { return expr("superscript", {{"base", base}, {"script", script}}); }
inline Json sub(Json base, Json script) { return expr("subscript", {{"base", base}, {"script", script}}); }
inline Json subsup(Json base, Json sub, Json sup) {
  return expr("subsuperscript", {{"base", base}, {"sub", sub}, {"sup", sup}});
}
inline Json frac(Json numerator, Json denominator, std::string_view style = "auto") {
  return expr("frac", {{"numerator", numerator}, {"denominator", denominator}, {"style", style}});
}
inline Json sqrt(Json index, Json body) { return expr("sqrt", {{"index", index}, {"body", body}}); }
inline Json fenced(std::string_view open, std::string_view close, List body) {
  return expr("fenced", {{"open", open}, {"close", close}, {"body", std::move(body)}});
}
inline Json big_operator(std::string_view symbol, Json lower = nullptr, Json upper = nullptr) {
  return expr("big_operator", {{"op", {{"symbol", symbol}, {"kind", "large"}}},
                               {"limits", "display_limits"},
                               {"lower", lower},
                               {"upper", upper}});
}
inline Json body_of(std::string_view type, Json body) { return expr(type, {{"body", body}}); }

// The errors that argument readers leave in an argument's place.
inline Json expected_brace() { return error("", "expected { but found something else"); }
inline Json end_of_input() { return error("", "unexpected end of input"); }
inline Json unmatched(std::string_view raw) { return error(raw, "unmatched { \u2014 missing }"); }

}  // namespace vyn::math::testing
