#include "math/token.hpp"

namespace vyn::math {

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void append_raw(std::string& out, const Token& token) {
  auto index = static_cast<std::size_t>(token.kind);
  if (index < kKindCharacters.size()) {
    out += kKindCharacters[index];
    return;
  }
  switch (token.kind) {
    case TokenKind::Command:
      out += '\\';
      out += token.name;
      break;
    case TokenKind::DoubleBackslash: out += "\\\\"; break;
    case TokenKind::ThinSpace: out += "\\,"; break;
    case TokenKind::MediumSpace: out += "\\;"; break;
    case TokenKind::NegThinSpace: out += "\\!"; break;
    case TokenKind::Letter:
    case TokenKind::Digit: append_utf8(out, token.character); break;
    case TokenKind::Dot: out += '.'; break;
    case TokenKind::Begin:
      out += "\\begin{";
      out += token.name;
      out += '}';
      break;
    case TokenKind::End:
      out += "\\end{";
      out += token.name;
      out += '}';
      break;
    case TokenKind::Whitespace: out += ' '; break;
    default: break;  // Eof
  }
}

std::string token_to_raw(const Token& token) {
  std::string out;
  append_raw(out, token);
  return out;
}

}  // namespace vyn::math
