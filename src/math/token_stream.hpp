// The parser's view of a token list: a cursor that only moves forward and
// never passes the final Eof.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "math/token.hpp"

namespace vyn::math {

class TokenStream {
 public:
  // `tokens` must end with Eof, as every list from `tokenize` does.
  explicit TokenStream(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  // References stay valid for the stream's lifetime: the list never changes.
  const Token& current() const { return tokens_[pos_]; }
  // The token after the current one (the Eof again at the end).
  const Token& peek() const { return tokens_[pos_ + 1 < tokens_.size() ? pos_ + 1 : pos_]; }
  // Consumes the current token; at Eof the position stays.
  const Token& next();
  void skip_whitespace();
  // The text of a brace argument taken verbatim (nested braces kept, each
  // whitespace run as one blank); nothing when the current token is not "{".
  // An unclosed brace gives what there is.
  std::optional<std::string> read_raw_brace_string();

 private:
  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
};

}  // namespace vyn::math
