// The parser core: rows, atoms, numbers, operators, scripts, groups and the
// errors they make, on the dictionary form of whole formulas.
#include "math/parser.hpp"

#include <gtest/gtest.h>

#include "expr.hpp"

namespace vyn::math::testing {
namespace {

const Json kCaretBase = error("^", "^ without a base");
const Json kUnderscoreBase = error("_", "_ without a base");

TEST(Parse, RowsFlattenAndEveryLetterIsAnAtom) {
  expect_all({
      {"", empty_row()},
      {" \t\n", empty_row()},
      {"x", ident("x")},
      {"xy", row({ident("x"), ident("y")})},
      {"\u00E9\u00A0", row({ident("\u00E9"), ident("\u00A0")})},
      {"a~b", row({ident("a"), space("thin"), ident("b")})},
      {"\\,\\:\\;\\!", row({space("thin"), space("medium"), space("medium"), space("neg_thin")})},
      {"x'", row({ident("x"), ident("\u2032")})},
  });
}

TEST(Parse, Numbers) {
  expect_all({
      {"12.5", number("12.5")},
      {"1.2.3", number("1.2.3")},
      {"1.", row({number("1"), number(".")})},
      {".5", row({number("."), number("5")})},
      {"1 2", row({number("1"), number("2")})},
      {"1..2", row({number("1"), number("."), number("."), number("2")})},
  });
}

TEST(Parse, OperatorCharactersHaveTheirKinds) {
  expect_all({
      {"+-|", row({op("+", "binary"), op("-", "binary"), op("|", "binary")})},
      {"=<>", row({op("=", "relation"), op("<", "relation"), op(">", "relation")})},
      {"([", row({op("(", "prefix"), op("[", "prefix")})},
      {")]!", row({op(")", "postfix"), op("]", "postfix"), op("!", "postfix")})},
      {",;:", row({op(",", "punctuation"), op(";", "punctuation"), op(":", "punctuation")})},
  });
}

TEST(Parse, Scripts) {
  expect_all({
      {"x^2_1", subsup(ident("x"), number("1"), number("2"))},
      {"x_1^2", subsup(ident("x"), number("1"), number("2"))},
      {"x ^ 2 _ 1", subsup(ident("x"), number("1"), number("2"))},
      {"x^23", sup(ident("x"), number("23"))},
      {"x^ab", row({sup(ident("x"), ident("a")), ident("b")})},
      {"x^-1", row({sup(ident("x"), op("-", "binary")), number("1")})},
      {"x^\\alpha", sup(ident("x"), ident("\u03B1"))},
      {"x^2^3", row({sup(ident("x"), number("2")), sup(kCaretBase, number("3"))})},
      {"x_1_2", row({sub(ident("x"), number("1")), sub(kUnderscoreBase, number("2"))})},
      {"^2", sup(kCaretBase, number("2"))},
      {"^2_3", sub(sup(kCaretBase, number("2")), number("3"))},
      {"_2", sub(kUnderscoreBase, number("2"))},
      {"x^{}", sup(ident("x"), empty_row())},
      {"x^ {a}", sup(ident("x"), ident("a"))},
      {"x^'", sup(ident("x"), ident("\u2032"))},
      {"{a}^{b}", sup(ident("a"), ident("b"))},
  });
}

TEST(Parse, ScriptArgumentsReportWhatIsMissing) {
  expect_all({
      {"x^", sup(ident("x"), end_of_input())},
      {"x^&", sup(ident("x"), error("&", "unexpected & outside environment"))},
      {"x^\\\\", sup(ident("x"), error("\\\\", "unexpected row separator \\\\"))},
      {"{x^}", sup(ident("x"), end_of_input())},
      {"x^\\end{a}", sup(ident("x"), end_of_input())},
      {"x^\\right", sup(ident("x"), error("\\right", "\\right without matching \\left"))},
  });
}

TEST(Parse, Groups) {
  expect_all({
      {"{}", empty_row()},
      {"{a}", ident("a")},
      {"{ab}", row({ident("a"), ident("b")})},
      {"{{a}}", ident("a")},
      {"{a+b", unmatched("{.........")},
      {"{", unmatched("{")},
      {"{a&b}", unmatched("{...")},
      {"{a\\\\b}", unmatched("{...")},
      {"x{a\\right)}", row({ident("x"), unmatched("{...")})},
  });
}

TEST(Parse, TopLevelEndsAtTheFirstRowEnd) {
  expect_all({
      {"a}b", ident("a")},
      {"a & b", ident("a")},
      {"a \\\\ b", ident("a")},
      {"a \\end{x} b", ident("a")},
      {"a \\right) b", ident("a")},
      {"}", empty_row()},
  });
}

TEST(FlattenRow, KeepsOneItemUnwrapped) {
  EXPECT_EQ(flatten_row({}), MathExpr(MathExpr::Row{}));
  ExprList one;
  one.push_back(MathExpr::Ident{"a"});
  EXPECT_EQ(flatten_row(one), MathExpr(MathExpr::Ident{"a"}));
}

TEST(ExtractTextContent, TakesTheTextOfWordLikeKinds) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"ab1.5+", "ab1.5+"},
      {"{a{b}}", "ab"},
      {"a\\,b\\quad c\\!d", "a b c d"},
      {"\\text{x y}z", "x yz"},
      {"\\alpha\\le", "\u03B1\u2264"},
      {"a^2b", "b"},
      {"\\frac{a}{b}c\\sum", "c"},
      {"\\left(a\\right)", ""},
      {"\\foo", ""},
  };
  for (const auto& [formula, text] : cases) {
    SCOPED_TRACE(formula);
    EXPECT_EQ(extract_text_content(parse(formula)), text);
  }
}

}  // namespace
}  // namespace vyn::math::testing
