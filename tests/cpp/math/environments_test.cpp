// Environments: matrices, arrays, cases, the align and gather families, and
// the blocks that are not supported.
#include <gtest/gtest.h>

#include "expr.hpp"

namespace vyn::math::testing {
namespace {

using Grid = std::vector<List>;

Json matrix(Grid rows, std::string_view delimiters = "plain") {
  return expr("matrix", {{"rows", rows}, {"delimiters", delimiters}});
}
Json array(std::vector<std::string> columns, Grid rows) {
  return expr("array", {{"columns", columns}, {"rows", rows}});
}
Json case_row(Json value, Json condition = nullptr) { return {{"expr", value}, {"condition", condition}}; }
Json cases(List rows) { return expr("cases", {{"rows", rows}}); }
Json align_row(List cells) { return {{"cells", cells}}; }
Json align_row(List cells, std::string_view label) { return {{"cells", cells}, {"label", label}}; }
Json align(List rows, bool numbered = true) { return expr("align", {{"rows", rows}, {"numbered", numbered}}); }
Json gather(List rows, bool numbered = true) { return expr("gather", {{"rows", rows}, {"numbered", numbered}}); }

const Json a = ident("a"), b = ident("b"), c = ident("c"), d = ident("d"), x = ident("x");

TEST(Environments, MatrixFamilyDelimiters) {
  expect_all({
      {"\\begin{matrix}x\\end{matrix}", matrix({{x}}, "plain")},
      {"\\begin{smallmatrix}x\\end{smallmatrix}", matrix({{x}}, "plain")},
      {"\\begin{pmatrix}x\\end{pmatrix}", matrix({{x}}, "paren")},
      {"\\begin{bmatrix}x\\end{bmatrix}", matrix({{x}}, "bracket")},
      {"\\begin{Bmatrix}x\\end{Bmatrix}", matrix({{x}}, "brace")},
      {"\\begin{vmatrix}x\\end{vmatrix}", matrix({{x}}, "pipe")},
      {"\\begin{Vmatrix}x\\end{Vmatrix}", matrix({{x}}, "double_pipe")},
  });
}

TEST(Environments, MatrixRowsAndCells) {
  expect_all({
      {"\\begin{pmatrix} a & b \\\\ c & d \\end{pmatrix}", matrix({{a, b}, {c, d}}, "paren")},
      {"\\begin{matrix}\\end{matrix}", matrix({})},
      {"\\begin{matrix} a \\\\ \\end{matrix}", matrix({{a}})},
      {"\\begin{matrix} a \\\\ {} \\end{matrix}", matrix({{a}})},
      {"\\begin{matrix} a & \\\\ b \\end{matrix}", matrix({{a, empty_row()}, {b}})},
      {"\\begin{matrix} a \\\\ \\\\ b \\end{matrix}", matrix({{a}, {empty_row()}, {b}})},
      {"\\begin{matrix} & \\end{matrix}", matrix({})},
      {"\\begin{matrix} a & \\end{matrix}", matrix({{a, empty_row()}})},
      {"\\begin{matrix} a b^2 \\end{matrix}", matrix({{row({a, sup(b, number("2"))})}})},
      {"\\begin{matrix} a \\\\[2pt] b \\end{matrix}",
       matrix({{a}, {row({op("[", "prefix"), number("2"), ident("p"), ident("t"), op("]", "postfix"), b})}})},
      {"\\begin{matrix} a & b", matrix({{a, b}})},
      {"\\begin{matrix} a \\end{pmatrix} b", matrix({{a}})},
      {"{\\begin{matrix} a \\end{pmatrix}} b", unmatched("{...")},
      {"\\begin{matrix}\\begin{matrix}a\\end{matrix}&b\\end{matrix}", matrix({{matrix({{a}}), b}})},
  });
}

// A "}" that no group of the body opened does not end the body: it stands as
// the atom's error in its cell, and the rows after it are kept.
TEST(Environments, StrayClosingBraceInABody) {
  expect_all({
      {"\\begin{matrix} a } \\end{matrix} x", row({matrix({{row({a, end_of_input()})}}), x})},
      {"\\begin{matrix} {a & b} \\\\ c \\end{matrix}", matrix({{unmatched("{..."), row({b, end_of_input()})}, {c}})},
      {"\\begin{cases} a } & b \\end{cases}", cases({case_row(row({a, end_of_input()}), b)})},
      {"\\begin{align} } \\label{e} \\end{align}", align({align_row({end_of_input()}, "e")})},
  });
}

TEST(Environments, Array) {
  Grid one_two_three = {{number("1"), number("2"), number("3")}};
  expect_all({
      {"\\begin{array}{lcr} 1 & 2 & 3 \\end{array}", array({"left", "center", "right"}, one_two_three)},
      {"\\begin{array} {lcr} 1 & 2 & 3 \\end{array}", array({"left", "center", "right"}, one_two_three)},
      {"\\begin{array} 1 & 2 \\end{array}", array({}, {{number("1"), number("2")}})},
      {"\\begin{array}{c|c} a \\end{array}", array({"center", "center"}, {{a}})},
      {"\\begin{array}{|l|r|} a \\end{array}", array({"left", "right"}, {{a}})},
      {"\\begin{array}{p{2cm}} a \\end{array}", array({"center"}, {{a}})},
      {"\\begin{array}{l & r} a \\end{array}", array({}, {{empty_row(), row({ident("r"), end_of_input(), a})}})},
      {"\\begin{array}{}\\end{array}", array({}, {})},
  });
}

TEST(Environments, Cases) {
  Json lt = row({x, op("<", "relation"), number("0")});
  Json ge = row({x, op("≥", "relation"), number("0")});
  expect_all({
      {"\\begin{cases} 0 & x<0 \\\\ 1 & x \\ge 0 \\end{cases}",
       cases({case_row(number("0"), lt), case_row(number("1"), ge)})},
      {"\\begin{cases*} a & b \\end{cases*}", cases({case_row(a, b)})},
      {"\\begin{cases} a \\end{cases}", cases({case_row(a)})},
      {"\\begin{cases} a & b & c \\end{cases}", cases({case_row(a, row({b, c}))})},
      {"\\begin{cases} a & \\end{cases}", cases({case_row(a, empty_row())})},
      {"\\begin{cases} a \\\\ \\end{cases}", cases({case_row(a)})},
      {"\\begin{cases} a \\\\ & \\end{cases}", cases({case_row(a), case_row(empty_row(), empty_row())})},
      {"\\begin{cases} \\\\ a \\end{cases}", cases({case_row(empty_row()), case_row(a)})},
      {"\\begin{cases}\\end{cases}", cases({})},
  });
}

TEST(Environments, AlignRowsAndLabels) {
  Json eq_b = row({op("=", "relation"), b});
  Json eq_d = row({op("=", "relation"), d});
  expect_all({
      {"\\begin{align} a &= b \\label{e1} \\\\ c &= d \\end{align}",
       align({align_row({a, eq_b}, "e1"), align_row({empty_row()}), align_row({c, eq_d})})},
      {"\\begin{align} a \\label{} \\end{align}", align({align_row({a}, "")})},
      {"\\begin{align} a \\label{eq:1 x} \\end{align}", align({align_row({a}, "eq:1x")})},
      {"\\begin{align} a \\label {e} \\end{align}", align({align_row({a}, ""), align_row({ident("e")})})},
      {"\\begin{align} a \\\\ \\end{align}", align({align_row({a})})},
      {"\\begin{align} a & \\\\ b \\end{align}", align({align_row({a, empty_row()}), align_row({b})})},
      {"\\begin{align} {\\label{e}} \\end{align}",
       align({align_row({row({error("\\label", "unknown command: \\label"), ident("e")})})})},
      {"\\begin{matrix} a \\label{e} \\end{matrix}",
       matrix({{row({a, error("\\label", "unknown command: \\label"), ident("e")})}})},
  });
}

TEST(Environments, Numbering) {
  expect_all({
      {"\\begin{align} x \\end{align}", align({align_row({x})}, true)},
      {"\\begin{align*} x \\end{align*}", align({align_row({x})}, false)},
      {"\\begin{aligned} x \\end{aligned}", align({align_row({x})}, true)},
      {"\\begin{alignat} x \\end{alignat}", align({align_row({x})}, true)},
      {"\\begin{alignat*} x \\end{alignat*}", align({align_row({x})}, false)},
      {"\\begin{gather} a \\\\ b \\end{gather}", gather({a, b}, true)},
      {"\\begin{gathered} a \\end{gathered}", gather({a}, true)},
      {"\\begin{gather*} a \\end{gather*}", gather({a}, false)},
  });
}

TEST(Environments, GatherRowsFlattenTheirCellsAndDropLabels) {
  expect_all({
      {"\\begin{gather} a & b \\label{e} \\\\ c \\end{gather}", gather({row({a, b}), empty_row(), c})},
      {"\\begin{gather} \\end{gather}", gather({})},
  });
}

TEST(Environments, UnsupportedBlocksKeepTheirSource) {
  expect_all({
      {"\\begin{foo} x \\end{foo}", error("\\begin{foo} x \\end{foo}", "unknown environment: foo")},
      {"\\begin{foo}", error("\\begin{foo}\\end{foo}", "unknown environment: foo")},
      {"\\begin{CD} A \\\\ B \\end{CD}",
       error("\\begin{CD} A \\\\ B \\end{CD}", "commutative diagrams (\\begin{CD}) are not supported")},
      {"\\begin{equation} x \\end{equation}",
       error("\\begin{equation} x \\end{equation}", "unknown environment: equation")},
      {"\\begin{Matrix} x \\end{Matrix}", error("\\begin{Matrix} x \\end{Matrix}", "unknown environment: Matrix")},
      {"\\begin x", error("\\begin{}x\\end{}", "unknown environment: ")},
      {"\\begin{ foo }\\:\\alpha\t\t{\\end{bar}\\end {foo}y",
       row({error("\\begin{foo}\\;\\alpha {\\end{bar}\\end{foo}", "unknown environment: foo"), ident("y")})},
      {"\\begin{foo}\\begin{foo}x\\end{foo}\\end{foo}y",
       error("\\begin{foo}\\begin{foo}x\\end{foo}", "unknown environment: foo")},
      {"\\begin{matrix}\\begin{foo}a&b\\end{foo}&c\\end{matrix}",
       matrix({{error("\\begin{foo}a&b\\end{foo}", "unknown environment: foo"), c}})},
  });
}

}  // namespace
}  // namespace vyn::math::testing
