#include "parser/text.hpp"

#include <array>
#include <cstdint>

#include "ast/unicode.hpp"
#include "markdown/chars.hpp"
#include "math/math.hpp"
#include "parser/ascii.hpp"
#include "parser/attributes.hpp"
#include "parser/forward_find.hpp"

namespace vyn::parser {

namespace {

constexpr std::size_t npos = std::string_view::npos;

struct Escape {
  std::string_view source;
  std::string_view value;
};

// Escapes that always stand for a fixed text; "\{$" and a lone "\{" are read apart.
constexpr std::array<Escape, 6> kEscapes = {{
    {"\\$", "$"},
    {"\\\\", "\\"},
    {"\\[@", "[@"},
    {"\\{{", "{{"},
    {"\\{@", "{@"},
    {"\\}}", "}}"},
}};

// The bytes at which an escape, a variable or cross-reference, math or a
// citation may begin; every other byte is literal text.
constexpr markdown::ByteSet kConstructOpeners("\\{$[");

// The first byte at or after `from` that may open a construct, else `size`, the text's: `readable`
// holds the text and may go on past it.
std::size_t next_construct(std::string_view readable, std::size_t from, std::size_t size) {
  return markdown::find_byte_of(readable, from, size, kConstructOpeners);
}

bool is_valid_cross_ref_target(std::string_view target) {
  if (target.empty() || !(is_ascii_letter(target[0]) || target[0] == '_')) return false;
  for (char c : target.substr(1)) {
    if (!is_word_char(c) && c != '-' && c != '.' && c != ':') return false;
  }
  return true;
}

std::optional<std::string> non_empty(std::string_view text) {
  if (text.empty()) return std::nullopt;
  return std::string(text);
}

// The keys of a citation's content, the text between the brackets (after the
// "@" of a citation that began with "[@").
std::vector<ast::CitationKey> citation_keys(std::string_view content, bool began_with_at) {
  std::vector<ast::CitationKey> keys;
  for (std::size_t part_start = 0, index = 0; part_start <= content.size(); ++index) {
    std::size_t part_end = std::min(content.find(';', part_start), content.size());
    std::string_view part = ast::trim(content.substr(part_start, part_end - part_start));
    part_start = part_end + 1;
    if (part.empty()) continue;
    ast::CitationKey key;
    if (std::size_t at = part.find('@'); at != npos) {
      key.prefix = non_empty(ast::trim(part.substr(0, at)));
      auto [id, locator] = split_id_locator(part.substr(at + 1));
      key.id = std::move(id);
      key.locator = std::move(locator);
    } else if (index == 0 && began_with_at) {
      auto [id, locator] = split_id_locator(part);
      key.id = std::move(id);
      key.locator = std::move(locator);
    } else {
      continue;
    }
    if (!key.id.empty()) keys.push_back(std::move(key));
  }
  return keys;
}

// One left-to-right scan. The literal buffer is always an unbroken stretch of
// the text, [buf_begin_, i_), so it is kept as indices rather than copied.
// Failed constructs resume one byte later; the searches for their closers
// remember their last hit, so many unclosed openers still cost linear time.
class TextScanner {
 public:
  // `readable` holds `text` and may go on past it (ParseContext::readable).
  TextScanner(std::string_view text, std::string_view readable, TextOrigin origin, const SourceMap& source_map,
              ParseContext& context, ast::NodeList& nodes)
      : text_(text),
        readable_(readable),
        origin_(origin),
        source_map_(source_map),
        context_(context),
        nodes_(nodes),
        closing_brace_(text, "}"),
        dollar_(text, "$"),
        bracket_stop_(text, "\n]"),
        at_sign_(text, "@") {}

  // `first`: where the first byte that may open a construct is.
  void scan(std::size_t first) {
    i_ = first;
    while (i_ < text_.size()) {
      i_ = next_construct(readable_, i_, text_.size());
      if (i_ == text_.size()) break;
      bool read = false;
      switch (text_[i_]) {
        case '\\': read = escape(); break;
        case '{': read = brace(); break;
        case '$': read = math(); break;
        default: read = citation(); break;
      }
      if (!read) ++i_;
    }
    flush();
  }

 private:
  ast::Position span(std::size_t from, std::size_t to) const {
    return source_map_.position(origin_(from), origin_(to));
  }

  void flush() {
    flush_text_buf(nodes_, text_.substr(buf_begin_, i_ - buf_begin_), origin_.from(buf_begin_), source_map_, context_);
  }

  // Ends the literal buffer before the construct at i_, adds the construct's
  // node and goes on after its last byte, at `end`.
  void emit(ast::Node node, std::size_t end) {
    flush();
    nodes_.push_back(std::move(node));
    i_ = end;
    buf_begin_ = end;
  }

  void emit_text(ast::SharedText value, std::size_t end) {
    emit(ast::Node(ast::NodeKind::Text, std::in_place_type<ast::TextNode>, std::move(value), span(i_, end)), end);
  }

  bool escape() {
    std::string_view rest = text_.substr(i_);
    if (rest.size() == 1) return false;
    for (const Escape& e : kEscapes) {
      if (rest.starts_with(e.source)) {
        emit_text(ast::SharedText::literal(e.value), i_ + e.source.size());
        return true;
      }
    }
    if (rest.starts_with("\\{$")) {
      std::size_t close = closing_brace_(i_ + 3);
      if (close == npos) return false;
      emit_text(context_.text_value(text_.substr(i_ + 1, close - i_)), close + 1);
      return true;
    }
    if (rest[1] == '{') {
      emit_text(ast::SharedText::literal("{"), i_ + 2);
      return true;
    }
    return false;
  }

  bool brace() {
    if (i_ + 1 >= text_.size() || (text_[i_ + 1] != '@' && text_[i_ + 1] != '$')) return false;
    std::size_t close = closing_brace_(i_ + 2);
    if (close == npos) return false;
    std::string_view inner = text_.substr(i_ + 2, close - i_ - 2);
    std::string_view source = text_.substr(i_, close + 1 - i_);
    ast::Position position = span(i_, close + 1);
    if (text_[i_ + 1] == '@') {
      if (is_valid_cross_ref_target(inner)) {
        emit(ast::make_node(ast::NodeKind::CrossRef, ast::CrossRefNode{std::string(inner), position}), close + 1);
      } else {
        emit(ast::make_error("Invalid cross-reference target: " + std::string(inner), std::string(source), position),
             close + 1);
      }
    } else if (is_valid_variable_path(inner)) {
      emit(ast::make_node(ast::NodeKind::Variable, ast::VariableNode{std::string(inner), position}), close + 1);
    } else {
      emit(ast::make_error("Invalid variable path: " + std::string(inner), std::string(source), position), close + 1);
    }
    return true;
  }

  bool math() {
    if (i_ > 0 && text_[i_ - 1] == '{') return false;
    std::size_t close = dollar_(i_ + 1);
    if (close == npos) return false;
    std::string_view content = text_.substr(i_ + 1, close - i_ - 1);
    if (content.empty() || content.front() == ' ' || content.back() == ' ') return false;
    ast::MathNode node{std::string(content), math::parse(content), span(i_, close + 1)};
    emit(ast::make_node(ast::NodeKind::MathInline, std::move(node)), close + 1);
    return true;
  }

  bool citation() {
    if (i_ + 1 >= text_.size()) return false;
    std::size_t stop = bracket_stop_(i_ + 1);
    if (stop == npos || text_[stop] != ']' || at_sign_(i_ + 1) > stop) return false;
    if (stop + 1 < text_.size() && text_[stop + 1] == '(') return false;
    bool began_with_at = text_[i_ + 1] == '@';
    std::size_t content_start = i_ + (began_with_at ? 2 : 1);
    ast::CitationNode node{citation_keys(text_.substr(content_start, stop - content_start), began_with_at),
                           span(i_, stop + 1)};
    emit(ast::make_node(ast::NodeKind::Citation, std::move(node)), stop + 1);
    return true;
  }

  std::string_view text_;
  std::string_view readable_;  // text_, and the input after it where it is a slice of the input
  TextOrigin origin_;
  const SourceMap& source_map_;
  ParseContext& context_;
  ast::NodeList& nodes_;
  std::size_t i_ = 0;
  std::size_t buf_begin_ = 0;
  ForwardFind closing_brace_;
  ForwardFind dollar_;
  ForwardFind bracket_stop_;
  ForwardFind at_sign_;
};

}  // namespace

ast::NodeList process_text(std::string_view text, TextOrigin origin, const SourceMap& source_map, ParseContext& context,
                           bool raw) {
  ast::NodeList nodes;
  process_text(text, origin, source_map, context, raw, nodes);
  return nodes;
}

void process_text(std::string_view text, TextOrigin origin, const SourceMap& source_map, ParseContext& context,
                  bool raw, ast::NodeList& nodes) {
  // Most texts hold no byte that may open a construct: one search settles them, without a scanner.
  std::string_view readable = context.readable(text);
  std::size_t first = raw ? text.size() : next_construct(readable, 0, text.size());
  if (first == text.size()) {
    flush_text_buf(nodes, text, origin, source_map, context);
    return;
  }
  TextScanner(text, readable, origin, source_map, context, nodes).scan(first);
}

void flush_text_buf(ast::NodeList& nodes, std::string_view buf, TextOrigin origin, const SourceMap& source_map,
                    ParseContext& context) {
  if (buf.empty()) return;
  nodes.emplace_back(ast::NodeKind::Text, std::in_place_type<ast::TextNode>, context.text_value(buf),
                     source_map.position(origin(0), origin(buf.size())));
}

IdLocator split_id_locator(std::string_view entry) {
  std::size_t comma = entry.find(',');
  if (comma == npos) return {std::string(ast::trim(entry)), std::nullopt};
  return {std::string(ast::trim(entry.substr(0, comma))), non_empty(ast::trim(entry.substr(comma + 1)))};
}

}  // namespace vyn::parser
