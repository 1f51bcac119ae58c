#include "frontmatter/yaml_lookahead.hpp"

#include <algorithm>
#include <cstring>

namespace vyn::frontmatter {

namespace {

// libfyaml asks for whole pages; handing over no more at a time keeps the
// lexing just ahead of its reading.
constexpr std::size_t kPiece = 4096;

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool is_flow_indicator(char c) { return c == ',' || c == '[' || c == ']' || c == '{' || c == '}'; }

}  // namespace

// The lexing may count fewer tokens than libfyaml makes (implicit keys, a
// scalar taken whole where it would split), never more, so a refusal means
// the text truly can't be read within the limits.
std::size_t Lookahead::feed(char* buffer, std::size_t room) {
  std::size_t end = std::min({text_.size(), fed_ + room, fed_ + kPiece});
  while (pos_ < end && starts_.size() <= max_tokens_) {
    if (depth_ > 0)
      lex_flow();
    else
      lex_block();
  }
  refused_ = refused_ || starts_.size() > max_tokens_;
  if (refused_) return 0;
  std::size_t given = end - fed_;
  std::memcpy(buffer, text_.data() + fed_, given);
  fed_ = end;
  return given;
}

void Lookahead::settle(std::size_t end) {
  while (!starts_.empty() && starts_.front() < end) starts_.pop_front();
}

// One token of block context, or the white space, comment or directive
// before it. A scalar that may go on over the next lines takes them along.
void Lookahead::lex_block() {
  char c = text_[pos_];
  bool column_zero = pos_ == 0 || text_[pos_ - 1] == '\n';
  if (is_space(c)) {
    ++pos_;
  } else if (is_comment_at(pos_) || (c == '%' && column_zero)) {
    pos_ = line_end(pos_);
  } else if (c == '[' || c == '{') {
    token();
    ++depth_;
    ++pos_;
  } else if (c == '\'' || c == '"') {
    token();
    pos_ = skip_quoted(pos_);
  } else if (c == '&' || c == '!' || c == '*') {
    token();
    pos_ = skip_property(pos_);
  } else if ((c == '-' || c == '?' || c == ':') && is_blank_at(pos_ + 1)) {
    token();
    ++pos_;
  } else if (column_zero && is_marker_at(pos_)) {
    token();
    pos_ += 3;
  } else if (c == '|' || c == '>') {
    token();
    pos_ = skip_block_scalar(pos_);
  } else {
    token();
    std::size_t scalar = pos_;
    pos_ = skip_plain(pos_, false);
    if (pos_ < text_.size() && text_[pos_] == '\n') pos_ = skip_continuation(pos_ + 1, parent_indent(scalar));
  }
}

// One token inside a flow collection, or the white space or comment before it.
void Lookahead::lex_flow() {
  char c = text_[pos_];
  if (is_space(c)) {
    ++pos_;
    return;
  }
  if (is_comment_at(pos_)) {
    pos_ = line_end(pos_);
    return;
  }
  token();
  char before = pos_ > 0 ? text_[pos_ - 1] : ' ';
  bool indicator = is_blank_at(pos_ + 1) || is_flow_indicator(text_[pos_ + 1]);
  if (c == '[' || c == '{') {
    ++depth_;
    ++pos_;
  } else if (c == ']' || c == '}') {
    --depth_;
    ++pos_;
  } else if (c == ',') {
    ++pos_;
  } else if (c == '\'' || c == '"') {
    pos_ = skip_quoted(pos_);
  } else if (c == '&' || c == '!' || c == '*') {
    pos_ = skip_property(pos_);
  } else if ((c == '?' || c == ':') && indicator) {
    ++pos_;
  } else if (c == ':' && (before == '"' || before == '\'' || before == ']' || before == '}')) {
    ++pos_;  // the value of a JSON-like key may follow the colon directly
  } else {
    pos_ = skip_plain(pos_, true);
  }
}

// The column that the lines going on a scalar must be indented past, judged
// from the scalar's line: a mapping value's key column, an entry's last "- ",
// "? " or ": " indicator; a scalar alone on its line may belong to any
// collection left of it. None when any column will do (at the top level).
std::optional<std::size_t> Lookahead::parent_indent(std::size_t scalar) const {
  std::size_t line = text_.rfind('\n', scalar);
  line = line == std::string_view::npos ? 0 : line + 1;
  std::size_t p = line;
  bool top = is_marker_at(p);
  if (top) p += 3;
  std::optional<std::size_t> parent;
  auto skip_spaces = [&] {
    while (p < scalar && (text_[p] == ' ' || text_[p] == '\t')) ++p;
  };
  skip_spaces();
  while (p < scalar && (text_[p] == '-' || text_[p] == '?' || text_[p] == ':') && is_blank_at(p + 1)) {
    parent = p - line;
    ++p;
    skip_spaces();
  }
  if (p < scalar) return p - line;
  if (parent || top || scalar == line) return parent;
  return scalar - line - 1;
}

// A block scalar's header line and the lines of its content: those indented
// like its first one, or deeper.
std::size_t Lookahead::skip_block_scalar(std::size_t header) const {
  std::optional<std::size_t> parent = parent_indent(header);
  std::optional<std::size_t> content;
  std::size_t i = line_end(header);
  while (i < text_.size() && !is_marker_at(i)) {
    std::size_t indent = indent_at(i);
    if (!is_blank_line(i)) {
      if (!content && parent && indent <= *parent) break;
      if (content && indent < *content) break;
      content = content.value_or(indent);
    }
    i = line_end(i);
  }
  return i;
}

// The lines a plain scalar goes on over: blank, or indented past `parent`,
// up to a comment or a document marker.
std::size_t Lookahead::skip_continuation(std::size_t i, std::optional<std::size_t> parent) const {
  while (i < text_.size() && !is_marker_at(i)) {
    std::size_t indent = indent_at(i);
    if (!is_blank_line(i) && (text_[i + indent] == '#' || (parent && indent <= *parent))) break;
    i = line_end(i);
  }
  return i;
}

std::size_t Lookahead::skip_quoted(std::size_t i) const {
  char quote = text_[i++];
  while (i < text_.size()) {
    char c = text_[i++];
    if (c == '\\' && quote == '"') {
      ++i;
    } else if (c == quote) {
      if (quote == '"' || i == text_.size() || text_[i] != '\'') return i;
      ++i;  // '' stands for one quote
    }
  }
  return text_.size();
}

// An anchor, alias or tag: its name ends at white space or a flow indicator;
// a verbatim tag !<...> at its ">".
std::size_t Lookahead::skip_property(std::size_t i) const {
  if (text_.substr(i, 2) == "!<") {
    std::size_t close = text_.find('>', i);
    return close == std::string_view::npos ? text_.size() : close + 1;
  }
  ++i;
  while (i < text_.size() && !is_space(text_[i]) && !is_flow_indicator(text_[i])) ++i;
  return i;
}

// A plain scalar, whose first character belongs to it whatever it is, to
// the end of its line in block context; in flow context it goes on over line
// breaks up to a flow indicator.
std::size_t Lookahead::skip_plain(std::size_t i, bool flow) const {
  for (++i; i < text_.size(); ++i) {
    char c = text_[i];
    if ((c == '\n' && !flow) || (flow && is_flow_indicator(c))) break;
    if (c == ':' && (is_blank_at(i + 1) || (flow && is_flow_indicator(text_[i + 1])))) break;
    if (c == '#' && is_space(text_[i - 1])) break;
  }
  return i;
}

std::size_t Lookahead::line_end(std::size_t i) const {
  std::size_t newline = text_.find('\n', i);
  return newline == std::string_view::npos ? text_.size() : newline + 1;
}

std::size_t Lookahead::indent_at(std::size_t line) const {
  std::size_t i = line;
  while (i < text_.size() && text_[i] == ' ') ++i;
  return i - line;
}

// A line of nothing but white space.
bool Lookahead::is_blank_line(std::size_t line) const {
  std::size_t content = text_.find_first_not_of(" \t\r", line);
  return content == std::string_view::npos || text_[content] == '\n';
}

bool Lookahead::is_blank_at(std::size_t i) const { return i >= text_.size() || is_space(text_[i]); }

bool Lookahead::is_marker_at(std::size_t i) const {
  std::string_view marker = text_.substr(i, 3);
  return (marker == "---" || marker == "...") && is_blank_at(i + 3) && (i == 0 || text_[i - 1] == '\n');
}

bool Lookahead::is_comment_at(std::size_t i) const { return text_[i] == '#' && (i == 0 || is_space(text_[i - 1])); }

}  // namespace vyn::frontmatter
