// Where attribute values end in a text that many exact tag reads share, so that
// reads starting on line after line don't each scan on to the same far end.
#pragma once

#include <cstddef>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "parser/tags.hpp"

namespace vyn::parser {

// The offset of the "}" that, with another "}" after it, ends a "{{...}}"
// value whose inner text starts at `from`: the first "}" outside JSON strings
// at brace depth 0 that another "}" follows (a lone "}" at depth 0 is stepped
// over). Read for success only, the search gives up at what no JSON text
// holds: a line feed inside a string or a "<" outside one.
std::size_t json_value_end(std::string_view text, std::size_t from, TagReading reading);

// Answers exact reads over one text in any order. While the direct searches
// have read less than twice the text in all, it searches directly, so that an
// ordinary document allocates nothing. Past that, it keeps for every position
// from the lowest one asked down to the end the answer of each search, filled
// from the end of the text downwards: each entry depends only on later ones.
// That costs four tables of size_t over the text at worst, 32 bytes per byte,
// besides one entry per far end that long white space comes before.
class ValueEnds {
 public:
  explicit ValueEnds(std::string_view text) : text_(text), filled_from_(text.size()) {}

  std::string_view text() const { return text_; }

  // The first "}" at or after `from`, or npos.
  std::size_t closing_brace(std::size_t from);

  // json_value_end read exactly.
  std::size_t json_value_end(std::size_t from);

  // The text from `from` to `to`, trimmed. Values that start at many places
  // but end at one far "}" share the white space before it, read once.
  std::string_view trimmed(std::size_t from, std::size_t to);

 private:
  static constexpr std::size_t kDirectReadsPerByte = 2;
  // Trailing white space this long is remembered for later values ending
  // at the same place; shorter runs cost little to read again.
  static constexpr std::size_t kRememberedRun = 64;
  using Search = std::size_t (*)(std::string_view text, std::size_t from);

  // What `search` finds from `from`, or the entry of `table` there.
  std::size_t answer(std::size_t from, const std::vector<std::size_t>& table, Search search);
  void fill_down_to(std::size_t from);
  // The entry of `table` at `at`, npos past the text.
  std::size_t later(const std::vector<std::size_t>& table, std::size_t at) const {
    return at < text_.size() ? table[at] : std::string_view::npos;
  }

  std::string_view text_;
  std::size_t direct_reads_ = 0;         // bytes read by direct searches
  std::size_t filled_from_;              // every table holds the entries from here on
  std::vector<std::size_t> next_brace_;  // the first "}" from each position
  std::vector<std::size_t> string_end_;  // the first unescaped '"' from there, read inside a string
  std::vector<std::size_t> brace_end_;   // the first "}" from there outside strings at relative depth 0
  std::vector<std::size_t> json_end_;    // json_value_end read exactly
  std::unordered_map<std::size_t, std::size_t> trimmed_ends_;  // by the end of the untrimmed value
};

}  // namespace vyn::parser
