#include "parser/code_meta.hpp"

#include <algorithm>
#include <array>
#include <limits>

#include "ast/unicode.hpp"
#include "parser/ascii.hpp"
#include "parser/forward_find.hpp"

namespace vyn::parser {

namespace {

constexpr std::size_t npos = std::string_view::npos;

struct LineRange {
  std::uint32_t first;
  std::uint32_t last;
};

// Reads a group left to right and stops at the first malformed part, so that a
// "{" in a long meta costs no more than the stretch up to its first mistake.
class GroupReader {
 public:
  explicit GroupReader(std::string_view group) : group_(group) {}

  // Every range of the group, reversed ones dropped; absent when a part is malformed.
  std::optional<std::vector<LineRange>> read() {
    std::vector<LineRange> ranges;
    for (;;) {
      skip_white_space();
      if (!at_part_end()) {
        auto first = number();
        if (!first) return std::nullopt;
        auto last = first;
        skip_white_space();
        if (i_ < group_.size() && group_[i_] == '-') {
          ++i_;
          skip_white_space();
          last = number();
          if (!last) return std::nullopt;
          skip_white_space();
        }
        if (!at_part_end()) return std::nullopt;
        if (*first <= *last) ranges.push_back({*first, *last});
      }
      if (i_ == group_.size()) return ranges;
      ++i_;  // the ","
    }
  }

 private:
  bool at_part_end() const { return i_ == group_.size() || group_[i_] == ','; }

  void skip_white_space() {
    while (i_ < group_.size()) {
      ast::Decoded d = ast::decode_at(group_, i_);
      if (!ast::is_white_space(d.c)) return;
      i_ += d.length;
    }
  }

  // An optional "+" and decimal digits that fit in 32 bits.
  std::optional<std::uint32_t> number() {
    if (i_ < group_.size() && group_[i_] == '+') ++i_;
    std::size_t start = i_;
    std::uint64_t value = 0;
    for (; i_ < group_.size() && is_ascii_digit(group_[i_]); ++i_) {
      value = value * 10 + static_cast<std::uint64_t>(group_[i_] - '0');
      if (value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    }
    if (i_ == start) return std::nullopt;
    return static_cast<std::uint32_t>(value);
  }

  std::string_view group_;
  std::size_t i_ = 0;
};

// The group's ranges sorted and merged, so that the count of distinct line
// numbers is known without listing them; absent for no list.
std::optional<std::vector<LineRange>> read_highlight_group(std::string_view group, std::size_t limit) {
  auto ranges = GroupReader(group).read();
  if (!ranges || ranges->empty()) return std::nullopt;
  std::sort(ranges->begin(), ranges->end(), [](LineRange a, LineRange b) { return a.first < b.first; });
  std::vector<LineRange> merged;
  std::uint64_t count = 0;
  for (LineRange r : *ranges) {
    if (!merged.empty() && static_cast<std::uint64_t>(r.first) <= static_cast<std::uint64_t>(merged.back().last) + 1) {
      if (r.last > merged.back().last) {
        count += r.last - merged.back().last;
        merged.back().last = r.last;
      }
    } else {
      count += static_cast<std::uint64_t>(r.last) - r.first + 1;
      merged.push_back(r);
    }
    if (count > limit) return std::nullopt;
  }
  return merged;
}

std::vector<std::uint32_t> expand(const std::vector<LineRange>& ranges) {
  std::vector<std::uint32_t> lines;
  for (LineRange r : ranges) {
    for (std::uint64_t n = r.first; n <= r.last; ++n) lines.push_back(static_cast<std::uint32_t>(n));
  }
  return lines;
}

bool starts_with_word(std::string_view rest, std::string_view word) {
  return rest.starts_with(word) &&
         (rest.size() == word.size() || rest[word.size()] == ' ' || rest[word.size()] == '\t');
}

// Reads the options out of a trimmed meta text in one forward pass.
class MetaReader {
 public:
  MetaReader(std::string_view m, std::size_t highlight_limit)
      : m_(m), highlight_limit_(highlight_limit), closing_brace_(m, "}") {}

  // Absent when no option matched.
  std::optional<CodeMeta> read() {
    CodeMeta result;
    std::optional<std::vector<LineRange>> highlight;
    std::vector<std::string_view> leftovers;
    bool matched = false;
    for (;;) {
      pos_ = m_.size() - ast::trim_start(m_.substr(pos_)).size();
      if (pos_ == m_.size()) break;
      std::string_view rest = m_.substr(pos_);
      if (auto title = quoted_option("title=")) {
        result.title = std::move(*title);
      } else if (auto caption = quoted_option("caption=")) {
        result.caption = std::move(*caption);
      } else if (auto group = highlight_option()) {
        highlight = std::move(*group);
      } else if (starts_with_word(rest, "showLineNumbers")) {
        result.show_line_numbers = true;
        pos_ += 15;
      } else if (starts_with_word(rest, "diff")) {
        result.diff = true;
        pos_ += 4;
      } else {
        std::size_t end = std::find_if(rest.begin(), rest.end(), is_tag_space) - rest.begin();
        leftovers.push_back(rest.substr(0, end));
        pos_ += end;
        continue;
      }
      matched = true;
    }
    if (!matched) return std::nullopt;
    if (highlight) result.highlight = expand(*highlight);
    if (!leftovers.empty()) {
      std::string joined(leftovers.front());
      for (std::size_t k = 1; k < leftovers.size(); ++k) (joined += ' ') += leftovers[k];
      result.meta = std::move(joined);
    }
    return result;
  }

 private:
  std::optional<std::string> quoted_option(std::string_view key) {
    std::string_view rest = m_.substr(pos_);
    if (!rest.starts_with(key) || rest.size() == key.size()) return std::nullopt;
    std::size_t quote_at = pos_ + key.size();
    // Unterminated, this reads to the end of the meta, but at most once per
    // kind of quote: any later opening quote of that kind would have closed it.
    auto value = parse_quoted_value(m_.substr(quote_at));
    if (!value) return std::nullopt;
    pos_ = quote_at + value->consumed;
    return std::move(value->value);
  }

  std::optional<std::vector<LineRange>> highlight_option() {
    if (m_[pos_] != '{') return std::nullopt;
    std::size_t close = closing_brace_(pos_);
    if (close == npos) return std::nullopt;
    auto group = read_highlight_group(m_.substr(pos_ + 1, close - pos_ - 1), highlight_limit_);
    if (group) pos_ = close + 1;
    return group;
  }

  std::string_view m_;
  std::size_t highlight_limit_;
  std::size_t pos_ = 0;
  ForwardFind closing_brace_;
};

}  // namespace

CodeInfo split_code_info(std::string_view info) {
  if (info.empty()) return {};
  std::size_t space = info.find(' ');
  if (space == npos) return {std::string(info), std::nullopt};
  return {std::string(info.substr(0, space)), std::string(info.substr(space + 1))};
}

CodeMeta parse_code_meta(std::optional<std::string> meta, HighlightBudget& highlights) {
  if (!meta) return {};
  auto options = MetaReader(ast::trim(*meta), highlights.limit()).read();
  if (!options) return CodeMeta{.meta = std::move(meta)};
  if (options->highlight) highlights.spend(options->highlight->size());
  return std::move(*options);
}

std::optional<std::vector<std::uint32_t>> parse_highlight_ranges(std::string_view group, std::size_t limit) {
  auto ranges = read_highlight_group(group, limit);
  if (!ranges) return std::nullopt;
  return expand(*ranges);
}

std::optional<QuotedValue> parse_quoted_value(std::string_view text) {
  if (text.size() < 2 || (text[0] != '"' && text[0] != '\'')) return std::nullopt;
  const char quote = text[0];
  std::string value;
  for (std::size_t i = 1; i < text.size();) {
    if (text[i] == quote) return QuotedValue{std::move(value), i + 1};
    if (text[i] == '\\' && i + 1 < text.size()) {
      std::size_t length = ast::decode_at(text, i + 1).length;
      if (text[i + 1] != quote && text[i + 1] != '\\') value += '\\';
      value.append(text.substr(i + 1, length));
      i += 1 + length;
    } else {
      value += text[i];
      ++i;
    }
  }
  return std::nullopt;
}

}  // namespace vyn::parser
