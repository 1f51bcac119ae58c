#include "parser/text.hpp"

#include <gtest/gtest.h>

#include "render.hpp"

namespace vyn::parser {
namespace {

using testing::render;

std::string read(std::string_view text, std::uint64_t start = 0) {
  std::string input = std::string(start, ' ') + std::string(text);
  SourceMap source_map(input);
  ParseContext context(input);
  return render(process_text(std::string_view(input).substr(start), start, source_map, context, false));
}

struct Case {
  std::string text;
  std::string nodes;
};

void check(const std::vector<Case>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(read(c.text), c.nodes);
  }
}

TEST(ProcessText, PlainTextIsOneNodeOverItsSpan) {
  EXPECT_EQ(read(""), "");
  EXPECT_EQ(read("plain", 10), "text'plain'@10-15");
  EXPECT_EQ(read("caf\xC3\xA9 ok"), "text'caf\xC3\xA9 ok'@0-8");
  std::string input = "a $x$ b";
  SourceMap source_map(input);
  ParseContext context(input);
  EXPECT_EQ(render(process_text(input, 0, source_map, context, true)), "text'a $x$ b'@0-7");
  EXPECT_EQ(render(process_text("", 0, source_map, context, true)), "");
}

TEST(ProcessText, InlineMath) {
  check({
      {"a $x^2$ b", "text'a '@0-2 math_inline'x^2'@2-7 text' b'@7-9"},
      {"$ x$", "text'$ x$'@0-4"},
      {"$x $", "text'$x $'@0-4"},
      {"$$", "text'$$'@0-2"},
      {"$x", "text'$x'@0-2"},
      {"$$x$", "text'$'@0-1 math_inline'x'@1-4"},
      {"costs $5 and $10", "text'costs $5 and $10'@0-16"},
      {"$5 and 10$", "math_inline'5 and 10'@0-10"},
      {"$a\\$b$", "math_inline'a\\'@0-4 text'b$'@4-6"},
      {"$\tx\n$", "math_inline'\tx\n'@0-5"},
      {"{$x", "text'{$x'@0-3"},
  });
}

TEST(ProcessText, VariablesAndCrossReferences) {
  check({
      {"{$user.name}", "variable'user.name'@0-12"},
      {"{$1x}", "error'Invalid variable path: 1x'|'{$1x}'@0-5"},
      {"{$a$}", "error'Invalid variable path: a$'|'{$a$}'@0-5"},
      {"{{$x}}", "text'{'@0-1 variable'x'@1-5 text'}'@5-6"},
      {"{@fig:intro}", "cross_ref'fig:intro'@0-12"},
      {"{@_a-b.c:d}", "cross_ref'_a-b.c:d'@0-11"},
      {"{@}", "error'Invalid cross-reference target: '|'{@}'@0-3"},
      {"{@a b}", "error'Invalid cross-reference target: a b'|'{@a b}'@0-6"},
      {"{@1a}", "error'Invalid cross-reference target: 1a'|'{@1a}'@0-5"},
      {"{@a\nb}", "error'Invalid cross-reference target: a\nb'|'{@a\nb}'@0-6"},
      {"{x} {", "text'{x} {'@0-5"},
  });
}

TEST(ProcessText, Citations) {
  check({
      {"[@doe2020]", "citation{@doe2020;}@0-10"},
      {"[see @doe2020, p. 12; @roe]", "citation{see@doe2020,p. 12;@roe;}@0-27"},
      {"[@doe2020,]", "citation{@doe2020;}@0-11"},
      {"[@a; b]", "citation{@a;}@0-7"},
      {"[@]", "citation{}@0-3"},
      {"[note @x here]", "citation{note@x here;}@0-14"},
      {"[a; b @c]", "citation{b@c;}@0-9"},
      {"x [@a]", "text'x '@0-2 citation{@a;}@2-6"},
      {"[@x](y)", "text'[@x](y)'@0-7"},
      {"[x]", "text'[x]'@0-3"},
      {"[@x\n]", "text'[@x\n]'@0-5"},
      {"[", "text'['@0-1"},
      {"[[@a]", "citation{[@a;}@0-5"},
  });
}

TEST(ProcessText, Escapes) {
  check({
      {"\\$", "text'$'@0-2"},
      {"\\\\", "text'\\'@0-2"},
      {"\\[@x]", "text'[@'@0-3 text'x]'@3-5"},
      {"\\[x @y]", "text'\\'@0-1 citation{x@y;}@1-7"},
      {"\\{$x}", "text'{$x}'@0-5"},
      {"\\{$x", "text'\\{$x'@0-4"},
      {"\\{{", "text'{{'@0-3"},
      {"\\{@", "text'{@'@0-3"},
      {"\\}}", "text'}}'@0-3"},
      {"\\{", "text'{'@0-2"},
      {"\\{x", "text'{'@0-2 text'x'@2-3"},
      {"\\}", "text'\\}'@0-2"},
      {"a\\", "text'a\\'@0-2"},
      {"\\x", "text'\\x'@0-2"},
      {"\\\xC3\xA9", "text'\\\xC3\xA9'@0-3"},
      {"a\\$b", "text'a'@0-1 text'$'@1-3 text'b'@3-4"},
  });
}

TEST(ProcessText, SplitsIdAndLocator) {
  const std::tuple<std::string, std::string, std::optional<std::string>> cases[] = {
      {" doe ", "doe", std::nullopt},
      {"doe, p. 3, 4", "doe", "p. 3, 4"},
      {"doe , ", "doe", std::nullopt},
      {", x", "", "x"},
  };
  for (const auto& [entry, id, locator] : cases) {
    IdLocator result = split_id_locator(entry);
    EXPECT_EQ(result.id, id) << entry;
    EXPECT_EQ(result.locator, locator) << entry;
  }
}

// Many unclosed openers leave the text as it was; the scan must not lose or
// repeat any byte on the way.
TEST(ProcessText, ManyUnclosedOpenersStayOneText) {
  for (std::string opener : {"$", "[@", "{@", "{$", "[", "\\{$"}) {
    std::string text;
    for (int k = 0; k < 3000; ++k) text += opener + "a ";
    EXPECT_EQ(read(text), "text'" + text + "'@0-" + std::to_string(text.size())) << opener;
  }
}

}  // namespace
}  // namespace vyn::parser
