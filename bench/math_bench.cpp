// Times the math parser on everyday formulas, then on formulas of growing
// size: an ordinary formula repeated and shapes that stress one rule (deep
// nesting, unclosed groups and environments, raw-text collectors). Parsing
// must grow linearly: the time per byte stays flat as the formulas grow (past
// the caches it rises a little, then levels off).
// Run: cmake -S . -B build -DVYN_BENCH=ON && cmake --build build --target bench-math && build/bench/bench-math
#include <cstdio>
#include <string>
#include <vector>

#include "math/math.hpp"
#include "timing.hpp"

namespace {

using vyn::bench::best_seconds;

std::string repeat(std::string_view piece, std::size_t bytes) {
  std::string out;
  while (out.size() < bytes) out += piece;
  return out;
}

struct Shape {
  const char* name;
  std::string_view prefix;
  std::string_view piece;
  std::string_view suffix;
};

}  // namespace

int main() {
  for (std::string_view formula :
       {"x^2 + y^2 = z^2", "\\frac{a_1+b^2}{\\sqrt[3]{x}} + \\sum_{i=1}^{n} \\alpha_i x^{i} - \\left( y \\right)",
        "\\begin{pmatrix} a & b \\\\ c & d \\end{pmatrix}",
        "\\mathbf{v} \\cdot \\nabla \\times \\vec{u} \\leq \\infty"}) {
    constexpr int kTimes = 10'000;
    double seconds = best_seconds([&] {
      for (int i = 0; i < kTimes; ++i) vyn::math::parse(formula);
    });
    std::printf("%-60.60s %7.2f us/formula  %6.1f ns/byte\n", std::string(formula).c_str(), seconds * 1e6 / kTimes,
                seconds * 1e9 / kTimes / static_cast<double>(formula.size()));
  }
  std::printf("\n");
  const std::vector<Shape> shapes = {
      {"ordinary formula", "", "\\frac{a_1+b^2}{\\sqrt[3]{x}} + \\sum_{i=1}^{n} \\alpha_i x^{i} - \\left( y \\right) ",
       ""},
      {"matrix cells", "\\begin{pmatrix}", "a_{1} & \\mathbf{b} \\\\ 12.5 & \\text{c d} \\\\ ", "\\end{pmatrix}"},
      {"nested braces", "", "{", ""},
      {"carets", "", "^", ""},
      {"nested fractions", "", "\\frac{", ""},
      {"nested roots", "", "\\sqrt[", ""},
      {"nested matrices", "", "\\begin{matrix}", ""},
      {"unknown environments", "", "\\begin{foo}x", ""},
      {"unclosed begin names", "", "\\begin{", ""},
      {"unclosed lefts", "", "\\left( x ", ""},
      {"unclosed groups in a row", "", "{a&", ""},
      {"raw text", "\\text{", "{a b} \\alpha ", ""},
      {"smash options", "", "\\smash[", ""},
      {"big operator limits", "", "\\sum_", ""},
      {"stray braces in a body", "\\begin{matrix}", "a}", ""},
      {"numbers", "", "1.2.", ""},
  };
  for (const auto& shape : shapes) {
    for (std::size_t bytes : {std::size_t{10'000}, std::size_t{100'000}, std::size_t{1'000'000}}) {
      std::string formula = std::string(shape.prefix) + repeat(shape.piece, bytes) + std::string(shape.suffix);
      double seconds = best_seconds([&] { vyn::math::parse(formula); });
      std::printf("%-26s %9zu bytes  %8.3f ms  %7.1f ns/byte\n", shape.name, formula.size(), seconds * 1e3,
                  seconds * 1e9 / static_cast<double>(formula.size()));
    }
  }
}
