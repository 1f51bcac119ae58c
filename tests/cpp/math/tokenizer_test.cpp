// Tokens, their offsets and payloads; the token stream; the text form of
// tokens.
#include "math/tokenizer.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "math/token_stream.hpp"

namespace vyn::math {

// Failures show tokens readably.
void PrintTo(const Token& t, std::ostream* os) {
  *os << "{kind " << static_cast<int>(t.kind) << ", char U+" << std::hex << static_cast<std::uint32_t>(t.character)
      << std::dec << ", name \"" << t.name << "\", " << t.start << ".." << t.end << "}";
}

namespace {

using K = TokenKind;

Token tok(K kind, std::uint64_t start, std::uint64_t end) { return {kind, 0, {}, start, end}; }
Token letter(char32_t c, std::uint64_t start, std::uint64_t end) { return {K::Letter, c, {}, start, end}; }
Token digit(char c, std::uint64_t start) { return {K::Digit, static_cast<char32_t>(c), {}, start, start + 1}; }
Token named(K kind, std::string_view name, std::uint64_t start, std::uint64_t end) {
  return {kind, 0, name, start, end};
}

struct TokenCase {
  std::string formula;
  std::vector<Token> tokens;  // without the final Eof
};

TEST(Tokenizer, ProducesTheTokensOfEachFormula) {
  const std::vector<TokenCase> cases = {
      {"", {}},
      {"a  b", {letter('a', 0, 1), tok(K::Whitespace, 1, 3), letter('b', 3, 4)}},
      {"\t\n\f\r", {tok(K::Whitespace, 0, 4)}},
      {"\v", {letter('\v', 0, 1)}},
      {"\u00A0x", {letter(0xA0, 0, 2), letter('x', 2, 3)}},
      {"\u00E9x", {letter(0xE9, 0, 2), letter('x', 2, 3)}},
      {"\U0001D400", {letter(0x1D400, 0, 4)}},
      {"12", {digit('1', 0), digit('2', 1)}},
      {"1.5", {digit('1', 0), tok(K::Dot, 1, 2), digit('5', 2)}},
      {"*/#?$%\"`@",
       {letter('*', 0, 1), letter('/', 1, 2), letter('#', 2, 3), letter('?', 3, 4), letter('$', 4, 5),
        letter('%', 5, 6), letter('"', 6, 7), letter('`', 7, 8), letter('@', 8, 9)}},
      {"x\\", {letter('x', 0, 1), named(K::Command, "", 1, 2)}},
      {"\\\\", {tok(K::DoubleBackslash, 0, 2)}},
      {"\\\\\\\\", {tok(K::DoubleBackslash, 0, 2), tok(K::DoubleBackslash, 2, 4)}},
      {"\\\\\\", {tok(K::DoubleBackslash, 0, 2), named(K::Command, "", 2, 3)}},
      {"\\  x", {tok(K::Whitespace, 0, 2), tok(K::Whitespace, 2, 3), letter('x', 3, 4)}},
      {"\\,\\:\\;\\!",
       {tok(K::ThinSpace, 0, 2), tok(K::MediumSpace, 2, 4), tok(K::MediumSpace, 4, 6), tok(K::NegThinSpace, 6, 8)}},
      {"\\alpha2", {named(K::Command, "alpha", 0, 6), digit('2', 6)}},
      {"\\a@b*", {named(K::Command, "a", 0, 2), letter('@', 2, 3), letter('b', 3, 4), letter('*', 4, 5)}},
      {"\\{\\|\\%\\3",
       {named(K::Command, "{", 0, 2), named(K::Command, "|", 2, 4), named(K::Command, "%", 4, 6),
        named(K::Command, "3", 6, 8)}},
      {"\\\n", {named(K::Command, "\n", 0, 2)}},
      {"\\\u00E9", {named(K::Command, "\u00E9", 0, 3)}},
      {"\\begin {matrix}", {named(K::Begin, "matrix", 0, 15)}},
      {"\\begin{ matrix }x", {named(K::Begin, "matrix", 0, 16), letter('x', 16, 17)}},
      {"\\begin{\u00A0m\u3000}", {named(K::Begin, "m", 0, 14)}},
      {"\\begin x", {named(K::Begin, "", 0, 7), letter('x', 7, 8)}},
      {"\\begin", {named(K::Begin, "", 0, 6)}},
      {"\\begin{ab", {named(K::Begin, "ab", 0, 9)}},
      {"\\end{a{b}c}", {named(K::End, "a{b", 0, 9), letter('c', 9, 10), tok(K::RBrace, 10, 11)}},
      {"\\beginx\\Begin", {named(K::Command, "beginx", 0, 7), named(K::Command, "Begin", 7, 13)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    std::vector<Token> expected = c.tokens;
    expected.push_back(tok(K::Eof, c.formula.size(), c.formula.size()));
    EXPECT_EQ(tokenize(c.formula), expected);
  }
}

TEST(Tokenizer, GivesEachPunctuationCharacterItsKind) {
  const std::string formula = "{}^_&~()[]|+-=<>,;:!'.";
  std::vector<Token> tokens = tokenize(formula);
  const std::vector<K> kinds = {K::LBrace, K::RBrace, K::Caret,    K::Underscore, K::Ampersand, K::Tilde,
                                K::LParen, K::RParen, K::LBracket, K::RBracket,   K::Pipe,      K::Plus,
                                K::Minus,  K::Equals, K::Less,     K::Greater,    K::Comma,     K::Semicolon,
                                K::Colon,  K::Bang,   K::Prime,    K::Dot,        K::Eof};
  ASSERT_EQ(tokens.size(), kinds.size());
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    EXPECT_EQ(tokens[i].kind, kinds[i]) << "at " << i;
    EXPECT_EQ(token_to_raw(tokens[i]), formula.substr(i, i + 1 < kinds.size() ? 1 : 0));
  }
}

TEST(TokenToRaw, RebuildsTheTextFromTheToken) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\\alpha", "\\alpha"},
      {"\\", "\\"},
      {"\\\\", "\\\\"},
      {"\\,", "\\,"},
      {"\\:", "\\;"},
      {"\\;", "\\;"},
      {"\\!", "\\!"},
      {"\u00E9", "\u00E9"},
      {"7", "7"},
      {" \t\n", " "},
      {"\\ ", " "},
      {"\\begin { m }", "\\begin{m}"},
      {"\\begin x", "\\begin{}"},
      {"\\end{ab", "\\end{ab}"},
  };
  for (const auto& [formula, raw] : cases) {
    SCOPED_TRACE(formula);
    EXPECT_EQ(token_to_raw(tokenize(formula).front()), raw);
  }
  EXPECT_EQ(token_to_raw(tokenize("").front()), "");
}

TEST(TokenStream, NextStopsAtEof) {
  TokenStream stream(tokenize("a"));
  EXPECT_EQ(stream.next().kind, K::Letter);
  EXPECT_EQ(stream.next().kind, K::Eof);
  EXPECT_EQ(stream.next().kind, K::Eof);
  EXPECT_EQ(stream.current().kind, K::Eof);
  EXPECT_EQ(stream.peek().kind, K::Eof);
}

TEST(TokenStream, SkipWhitespaceStopsAtTheNextOtherToken) {
  TokenStream stream(tokenize(" \\ \t x"));
  stream.skip_whitespace();
  EXPECT_EQ(stream.current(), letter('x', 5, 6));
  stream.next();
  stream.skip_whitespace();
  EXPECT_EQ(stream.current().kind, K::Eof);
}

TEST(TokenStream, ReadRawBraceString) {
  struct Case {
    std::string formula;
    std::optional<std::string> text;
    K after;  // the current token afterwards
  };
  const std::vector<Case> cases = {
      {"{a\\,b}x", "a\\,b", K::Letter},
      {"{ a  b }x", " a b ", K::Letter},
      {"{x{y}}z", "x{y}", K::Letter},
      {"{\\begin{m}\\:\\\\}", "\\begin{m}\\;\\\\", K::Eof},
      {"{a", "a", K::Eof},
      {"{", "", K::Eof},
      {"x", std::nullopt, K::Letter},
      {" {a}", std::nullopt, K::Whitespace},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    TokenStream stream(tokenize(c.formula));
    EXPECT_EQ(stream.read_raw_brace_string(), c.text);
    EXPECT_EQ(stream.current().kind, c.after);
  }
}

}  // namespace
}  // namespace vyn::math
