// The lexical units of a formula and their text form for error expressions and
// raw command arguments.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vyn::math {

enum class TokenKind : std::uint8_t {
  LBrace,
  RBrace,
  Caret,
  Underscore,
  Ampersand,
  Tilde,
  LParen,
  RParen,
  LBracket,
  RBracket,
  Pipe,
  Plus,
  Minus,
  Equals,
  Less,
  Greater,
  Comma,
  Semicolon,
  Colon,
  Bang,
  Prime,
  Command,
  DoubleBackslash,
  ThinSpace,
  MediumSpace,
  NegThinSpace,
  Letter,
  Digit,
  Dot,
  Begin,
  End,
  Whitespace,
  Eof
};

// The source characters of the one-character kinds LBrace to Prime, at their
// kind's index; "." (Dot) is the only other one-character kind.
inline constexpr std::string_view kKindCharacters = "{}^_&~()[]|+-=<>,;:!'";
static_assert(kKindCharacters.size() == static_cast<std::size_t>(TokenKind::Prime) + 1);

struct Token {
  TokenKind kind = TokenKind::Eof;
  // The character of a Letter or Digit.
  char32_t character = 0;
  // The name of a Command, Begin or End: a view into the formula, which every
  // token list lives inside.
  std::string_view name;
  // Byte offsets in the formula text.
  std::uint64_t start = 0;
  std::uint64_t end = 0;

  bool is_command(std::string_view command) const { return kind == TokenKind::Command && name == command; }
  bool operator==(const Token&) const = default;
};

// Appends the token's text form: rebuilt from the token rather than cut from
// the formula, so whitespace runs shrink to one blank and "\:" becomes "\;".
void append_raw(std::string& out, const Token& token);
std::string token_to_raw(const Token& token);

// Appends the UTF-8 encoding of one character.
void append_utf8(std::string& out, char32_t c);

}  // namespace vyn::math
