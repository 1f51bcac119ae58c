// The token count that bounds libfyaml's reading ahead, and the readings it
// refuses.
#include "frontmatter/yaml_lookahead.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontmatter/yaml.hpp"

namespace vyn::frontmatter {
namespace {

// The fewest tokens that feeding all of `text` without an event in between
// is allowed, i.e. the count the lookahead makes of it.
std::size_t tokens_in(std::string_view text) {
  for (std::size_t max = 0;; ++max) {
    Lookahead lookahead(text, max);
    std::string buffer(text.size() + 1, '\0');
    std::size_t fed = 0;
    while (std::size_t given = lookahead.feed(buffer.data() + fed, buffer.size() - fed)) fed += given;
    if (!lookahead.refused()) return max;
  }
}

TEST(Lookahead, CountsTokensNeverMoreThanTheyAre) {
  struct Case {
    std::string text;
    std::size_t tokens;
  };
  const std::vector<Case> cases = {
      {"a: b", 3},
      {"[a, b]", 5},
      {"- [1, {a: b}]", 10},
      {"key: 'it''s [a, b]'", 3},
      {"key: \"a \\\" [b]\"", 3},
      {"{\"a\":b}", 5},
      {"[a b, c # d, e\n]", 5},
      {"&x !t [*y]", 5},
      {"!<tag:a,b> [x]", 4},
      {"# [a, b]\na", 1},
      {"%YAML 1.2\n--- a", 2},
      {"? a\n: b", 4},
      // Scalars going on over lines are one token, whatever their lines hold.
      {"a: |\n  [x, y]\n  &a *b\nc: d", 6},
      {"--- >\n[x, y]\n&a *b\n", 2},
      {"a: b\n  [c, d] &e\nf: g", 6},
      {"- a\n  b [c]\n- d", 4},
      {"k:\n  v\n  [w]\nx: y", 6},
      {"a\n[b, c]\n&d *e", 1},
      // A line at the collection's indentation ends the scalar.
      {"- - a\n  - [b]", 7},
  };
  for (const auto& c : cases) EXPECT_EQ(tokens_in(c.text), c.tokens) << c.text;
}

TEST(Lookahead, EventsReleaseTheTokensBeforeThem) {
  const std::string text = "a: [1, 2]\nb: [3, 4]\n";  // seven tokens a line
  for (bool settle : {true, false}) {
    Lookahead lookahead(text, 7);
    std::string buffer(text.size(), '\0');
    EXPECT_EQ(lookahead.feed(buffer.data(), 10), 10u);
    if (settle) lookahead.settle(10);  // as if the first line's events were given
    EXPECT_EQ(lookahead.feed(buffer.data() + 10, 10), settle ? 10u : 0u);
    EXPECT_EQ(lookahead.refused(), !settle);
  }
}

// `head`, `piece` repeated, then `tail`.
std::string repeat(std::string_view head, std::string_view piece, std::size_t times, std::string_view tail = "") {
  std::string text(head);
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text.append(tail);
}

TEST(Lookahead, RefusesWhatLibfyamlWouldHoldWhole) {
  // Each of these would make libfyaml hold millions of tokens before its
  // first event; none can be read within the limits.
  const std::vector<std::string> texts = {
      repeat("", "[", 3'000'000),
      repeat("{", "a: 1, ", 2'000'000, "}"),
      repeat("", "&a ", 3'000'000),
      repeat("a:\n  b: 1\n", "*x ", 3'000'000),
      repeat("- a\n- b\n", "!t ", 3'000'000),
      repeat("a: 1\n", "&x\n", 3'000'000),
  };
  for (const auto& text : texts) EXPECT_EQ(read_yaml(text), std::nullopt) << text.substr(0, 20);
  // Scalars holding the same text are read.
  EXPECT_TRUE(read_yaml(repeat("a: |\n", "  [[&a *b,\n", 1'000'000)).has_value());
  EXPECT_TRUE(read_yaml(repeat("a: \"", "[&a, ", 1'000'000, "\"")).has_value());
  EXPECT_TRUE(read_yaml(repeat("a\n", "&x\n", 1'000'000)).has_value());
}

}  // namespace
}  // namespace vyn::frontmatter
