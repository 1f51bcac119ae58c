// Deep nesting meets a bound that yields an error expression, never a stack
// overflow, even on a thread with a small stack.
#include <gtest/gtest.h>
#include <pthread.h>

#include "ast/limits.hpp"
#include "expr.hpp"
#include "repeat.hpp"

namespace vyn::math::testing {
namespace {

using vyn::test_input::repeat;

constexpr std::string_view kTooDeep = "nesting deeper than 200 levels";
constexpr std::size_t kBound = ast::kMaxMathDepth;

// Parses, writes and drops the tree on a thread with a 1 MB stack, as a host
// program's thread may have. Sanitizers make every frame several times larger.
Json parsed_on_small_stack(const std::string& formula) {
#if defined(__SANITIZE_ADDRESS__)
  constexpr std::size_t kStackSize = std::size_t{8} << 20;
#else
  constexpr std::size_t kStackSize = std::size_t{1} << 20;
#endif
  struct Job {
    const std::string& formula;
    Json tree;
  } job{formula, {}};
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, kStackSize);
  pthread_t thread;
  auto run = [](void* data) -> void* {
    auto* job = static_cast<Job*>(data);
    job->tree = parsed(job->formula);
    return nullptr;
  };
  EXPECT_EQ(pthread_create(&thread, &attributes, run, &job), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
  return job.tree;
}

bool mentions(const Json& tree, std::string_view text) { return tree.dump().find(text) != std::string::npos; }

// The innermost "x" is an atom of its own: 199 braces hold 200 atoms.
TEST(Depth, TheBoundIs200NestedAtoms) {
  EXPECT_EQ(parsed(repeat("{", kBound - 1) + "x" + repeat("}", kBound - 1)), ident("x"));
  EXPECT_EQ(parsed(repeat("{", kBound) + "x" + repeat("}", kBound)), error("x", kTooDeep));
  EXPECT_FALSE(mentions(parsed(repeat("x^{", kBound - 1) + "y" + repeat("}", kBound - 1)), kTooDeep));
  EXPECT_TRUE(mentions(parsed(repeat("x^{", kBound) + "y" + repeat("}", kBound)), kTooDeep));
}

// Each row at the level where the bound is met becomes one error holding the
// row's source; the constructs around it close where they would have.
TEST(Depth, TheErrorTakesTheRestOfTheRow) {
  std::string inner = repeat("{", 100) + "x" + repeat("}", 100);
  EXPECT_EQ(parsed(repeat("{", kBound + 100) + "x" + repeat("}", kBound + 100)), error(inner, kTooDeep));
  EXPECT_EQ(parsed(repeat("{", kBound - 1) + "a{b}c & d" + repeat("}", kBound - 1)), unmatched("{..."));
  Json cell = parsed(repeat("\\begin{matrix}", kBound) + "{a} b & c \\\\ d" + repeat("\\end{matrix}", kBound));
  for (std::size_t level = 0; level + 1 < kBound; ++level) cell = cell["rows"][0][0];
  EXPECT_EQ(cell["rows"], Json::array({{error("{a} b ", kTooDeep), error("c ", kTooDeep)}, {error("d", kTooDeep)}}));
}

TEST(Depth, PathologicalInputsStayWithinASmallStack) {
  struct Case {
    std::string name;
    std::string formula;
    std::string_view message;  // an error the tree holds
  };
  const std::vector<Case> cases = {
      {"braces", repeat("{", 100000), "unmatched {"},
      {"balanced braces", repeat("{", 100000) + repeat("}", 100000), kTooDeep},
      {"x^ runs", repeat("x^", 100000), "^ without a base"},
      {"braced superscripts", repeat("x^{", 100000) + repeat("}", 100000), kTooDeep},
      {"carets", repeat("^", 100000), kTooDeep},
      {"fractions", repeat("\\frac{", 50000), "unmatched {"},
      {"closed fractions", repeat("\\frac{", 50000) + repeat("}{}", 50000), kTooDeep},
      {"roots", repeat("\\sqrt[", 50000), kTooDeep},
      {"matrices", repeat("\\begin{matrix}", 10000) + "x" + repeat("\\end{matrix}", 10000), kTooDeep},
      {"unclosed matrices", repeat("\\begin{matrix}", 10000), kTooDeep},
      {"cases", repeat("\\begin{cases}", 10000), kTooDeep},
      {"aligns", repeat("\\begin{align}", 10000), kTooDeep},
      {"lefts", repeat("\\left(", 100000) + repeat("\\right)", 100000), kTooDeep},
      {"styles", repeat("\\displaystyle", 100000), kTooDeep},
      {"colors", repeat("\\color{", 50000), "expected {"},
      {"limits", repeat("\\sum_", 100000), kTooDeep},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(mentions(parsed_on_small_stack(c.formula), c.message));
  }
}

}  // namespace
}  // namespace vyn::math::testing
