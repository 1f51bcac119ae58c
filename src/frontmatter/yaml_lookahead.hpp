// Bounds how much YAML libfyaml tokenizes ahead of the events it has given.
//
// libfyaml releases no token while any token before it could still turn out
// to be a mapping key: in block context such a key lapses at its line's end,
// but the next line may open another; in flow context it lasts to the end of
// the collection, heedless of YAML's 1,024-character bound on such keys.
// Meanwhile every token is kept in memory, a few hundred bytes each, so a
// line of a million anchors or a flow collection of a million brackets would
// cost gigabytes before the first limit is counted. libfyaml therefore reads
// the text through `feed`, which lexes each piece before handing it over and
// refuses to go on when more tokens lie past the last event than any text
// within the reading limits can hold there.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string_view>

namespace vyn::frontmatter {

class Lookahead {
 public:
  // `max_tokens`: more tokens than can lie between two events of a text
  // within the reading limits.
  Lookahead(std::string_view text, std::size_t max_tokens) : text_(text), max_tokens_(max_tokens) {}

  // Copies the next piece of the text into `buffer`, at most `room` bytes;
  // 0 at the end of the text or once refused.
  std::size_t feed(char* buffer, std::size_t room);
  bool refused() const { return refused_; }

  // An event ending at `end` was given: libfyaml holds no token before it.
  void settle(std::size_t end);

 private:
  void lex_block();
  void lex_flow();
  void token() { starts_.push_back(pos_); }

  std::optional<std::size_t> parent_indent(std::size_t scalar) const;
  std::size_t skip_block_scalar(std::size_t header) const;
  std::size_t skip_continuation(std::size_t i, std::optional<std::size_t> parent) const;
  std::size_t skip_quoted(std::size_t i) const;
  std::size_t skip_property(std::size_t i) const;
  std::size_t skip_plain(std::size_t i, bool flow) const;
  std::size_t line_end(std::size_t i) const;
  std::size_t indent_at(std::size_t line) const;
  bool is_blank_line(std::size_t line) const;
  bool is_blank_at(std::size_t i) const;
  bool is_marker_at(std::size_t i) const;
  bool is_comment_at(std::size_t i) const;

  std::string_view text_;
  std::size_t max_tokens_;
  std::size_t fed_ = 0;             // bytes handed to libfyaml
  std::size_t pos_ = 0;             // bytes lexed, at a token boundary
  std::size_t depth_ = 0;           // flow collections open at `pos_`
  std::deque<std::size_t> starts_;  // where the tokens past the last event start
  bool refused_ = false;
};

}  // namespace vyn::frontmatter
