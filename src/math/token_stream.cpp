#include "math/token_stream.hpp"

namespace vyn::math {

const Token& TokenStream::next() {
  const Token& token = tokens_[pos_];
  if (pos_ + 1 < tokens_.size()) ++pos_;
  return token;
}

void TokenStream::skip_whitespace() {
  while (current().kind == TokenKind::Whitespace) next();
}

std::optional<std::string> TokenStream::read_raw_brace_string() {
  if (current().kind != TokenKind::LBrace) return std::nullopt;
  next();
  std::string text;
  std::size_t depth = 1;
  for (;;) {
    const Token& token = current();
    switch (token.kind) {
      case TokenKind::Eof: return text;
      case TokenKind::LBrace: ++depth; break;
      case TokenKind::RBrace:
        if (--depth == 0) {
          next();
          return text;
        }
        break;
      default: break;
    }
    append_raw(text, token);
    next();
  }
}

}  // namespace vyn::math
