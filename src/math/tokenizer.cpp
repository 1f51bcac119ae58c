#include "math/tokenizer.hpp"

#include "ast/unicode.hpp"

namespace vyn::math {

namespace {

// Only these five ASCII characters separate tokens; a vertical tab or a
// no-break space is a letter like any other character.
constexpr bool is_whitespace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }
constexpr bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool is_ascii_digit(char c) { return c >= '0' && c <= '9'; }

std::size_t skip_whitespace(std::string_view text, std::size_t pos) {
  while (pos < text.size() && is_whitespace(text[pos])) ++pos;
  return pos;
}

class Tokenizer {
 public:
  explicit Tokenizer(std::string_view formula) : text_(formula) {}

  std::vector<Token> run() {
    while (pos_ < text_.size()) step();
    tokens_.push_back({TokenKind::Eof, 0, {}, text_.size(), text_.size()});
    return std::move(tokens_);
  }

 private:
  void emit(TokenKind kind, std::size_t end, char32_t character = 0, std::string_view name = {}) {
    tokens_.push_back({kind, character, name, pos_, end});
    pos_ = end;
  }

  void step() {
    char c = text_[pos_];
    if (is_whitespace(c)) return emit(TokenKind::Whitespace, skip_whitespace(text_, pos_));
    if (auto index = kKindCharacters.find(c); index != std::string_view::npos) {
      return emit(static_cast<TokenKind>(index), pos_ + 1);
    }
    if (c == '.') return emit(TokenKind::Dot, pos_ + 1);
    if (is_ascii_letter(c)) return emit(TokenKind::Letter, pos_ + 1, static_cast<char32_t>(c));
    if (is_ascii_digit(c)) return emit(TokenKind::Digit, pos_ + 1, static_cast<char32_t>(c));
    if (c == '\\') return backslash();
    ast::Decoded decoded = ast::decode_at(text_, pos_);
    emit(TokenKind::Letter, pos_ + decoded.length, decoded.c);
  }

  void backslash() {
    std::size_t after = pos_ + 1;
    if (after == text_.size()) return emit(TokenKind::Command, after);
    switch (text_[after]) {
      case ' ': return emit(TokenKind::Whitespace, after + 1);
      case '!': return emit(TokenKind::NegThinSpace, after + 1);
      case ',': return emit(TokenKind::ThinSpace, after + 1);
      case ':':
      case ';': return emit(TokenKind::MediumSpace, after + 1);
      case '\\': return emit(TokenKind::DoubleBackslash, after + 1);
      default: break;
    }
    if (!is_ascii_letter(text_[after])) {
      std::size_t end = after + ast::decode_at(text_, after).length;
      return emit(TokenKind::Command, end, 0, text_.substr(after, end - after));
    }
    std::size_t end = after;
    while (end < text_.size() && is_ascii_letter(text_[end])) ++end;
    std::string_view name = text_.substr(after, end - after);
    if (name == "begin") return environment(TokenKind::Begin, end);
    if (name == "end") return environment(TokenKind::End, end);
    emit(TokenKind::Command, end, 0, name);
  }

  // "\begin" or "\end" with its name: braces do not nest and nothing inside
  // them is interpreted; a missing "}" takes the rest of the formula.
  void environment(TokenKind kind, std::size_t after_keyword) {
    std::size_t open = skip_whitespace(text_, after_keyword);
    if (open == text_.size() || text_[open] != '{') return emit(kind, open);
    std::size_t close = text_.find('}', open + 1);
    std::size_t name_end = close == std::string_view::npos ? text_.size() : close;
    std::size_t end = close == std::string_view::npos ? text_.size() : close + 1;
    emit(kind, end, 0, ast::trim(text_.substr(open + 1, name_end - open - 1)));
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::vector<Token> tokens_;
};

}  // namespace

std::vector<Token> tokenize(std::string_view formula) { return Tokenizer(formula).run(); }

}  // namespace vyn::math
