// Decimal floating-point text shared by attribute values and YAML scalars.
#include "ast/decimal.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace vyn::ast {
namespace {

TEST(Decimal, AcceptsTheUsualFormsOnly) {
  for (std::string text : {"0", "-7", "+2.5E-2", "5.", ".5", "1e3", "-.5e+10", "007.0100"}) {
    EXPECT_TRUE(is_decimal_float(text)) << text;
  }
  for (std::string text : {"", "+", "-", ".", "e5", "1e", "1e+", "1.2.3", "+-1", "1 ", "0x10", "1_000", "inf", "nan"}) {
    EXPECT_FALSE(is_decimal_float(text)) << text;
  }
}

TEST(Decimal, OutOfRangeValuesKeepTheirSideAndSign) {
  struct Case {
    std::string text;
    double value;
  };
  const double inf = INFINITY;
  const std::vector<Case> cases = {
      {"1.5", 1.5},   {"+2", 2.0},      {"1e-310", 1e-310}, {"1000e305", 1e308},  {"0.00e999", 0.0},
      {"1e999", inf}, {"-1e999", -inf}, {"10000e305", inf}, {"0.0001e-330", 0.0}, {"-1e-999", -0.0},
  };
  for (const auto& c : cases) {
    double value = decimal_value(c.text);
    EXPECT_EQ(value, c.value) << c.text;
    EXPECT_EQ(std::signbit(value), std::signbit(c.value)) << c.text;
  }
}

}  // namespace
}  // namespace vyn::ast
