// A fenced code block's info string: the language, and the options read out of
// the meta text that follows it (title, caption, highlighted lines, switches).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vyn::parser {

// A highlight group may stand for at most this many distinct line numbers;
// past it the group counts as invalid (so "{1-4294967295}" can't exhaust memory).
inline constexpr std::size_t kMaxHighlightLines = 100000;

// The line numbers that the highlight groups of one parse may list together, so that a document
// of many code blocks can't have each of them name kMaxHighlightLines: that many, and one more per
// input byte. A group that would need more than is left counts as invalid.
class HighlightBudget {
 public:
  explicit HighlightBudget(std::size_t input_size) : left_(kMaxHighlightLines + input_size) {}

  // The most lines a group may name now.
  std::size_t limit() const { return std::min(kMaxHighlightLines, left_); }
  void spend(std::size_t lines) { left_ -= std::min(lines, left_); }

 private:
  std::size_t left_;
};

struct CodeInfo {
  std::optional<std::string> lang;  // the info string up to its first space
  std::optional<std::string> meta;  // the rest, as written
};

// Splits the info string of a fenced block at its first space.
CodeInfo split_code_info(std::string_view info);

struct CodeMeta {
  std::optional<std::string> title{};
  std::optional<std::string> caption{};
  std::optional<std::vector<std::uint32_t>> highlight{};
  std::optional<bool> show_line_numbers{};
  std::optional<bool> diff{};
  std::optional<std::string> meta{};  // what the options leave, or the meta untouched when none matched
};

// The highlight kept spends `highlights`.
CodeMeta parse_code_meta(std::optional<std::string> meta, HighlightBudget& highlights);

// The line numbers of a group such as "1,3-5": ascending, without duplicates.
// Absent when a part is malformed, when nothing is left, or past `limit` lines.
std::optional<std::vector<std::uint32_t>> parse_highlight_ranges(std::string_view group,
                                                                 std::size_t limit = kMaxHighlightLines);

struct QuotedValue {
  std::string value;     // with \q and \\ unescaped
  std::size_t consumed;  // bytes up to and including the closing quote
};

// A value in single or double quotes at the start of `text`; absent when it
// doesn't start with a quote or the quote is never closed.
std::optional<QuotedValue> parse_quoted_value(std::string_view text);

}  // namespace vyn::parser
