// The pieces of link syntax shared by inline links and link reference definitions: labels,
// destinations and titles, each possibly running over lines of a block.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "markdown/html_scanners.hpp"

namespace markdown {

// A payload text as scanned: a slice of the source when it reads as written (most do), else a text
// of its own.
class Payload {
 public:
  Payload() = default;
  explicit Payload(std::string own) : own_(std::move(own)) {}
  static Payload slice(std::string_view source) {
    Payload payload;
    payload.slice_ = source;
    return payload;
  }
  std::string_view view() const { return slice_ ? *slice_ : std::string_view(own_); }

 private:
  std::optional<std::string_view> slice_;
  std::string own_;
};

// The bytes of [a, b) as the block reads them: container prefixes left out at line breaks, with
// `strip_indent` also the leading spaces and tabs of continuation lines, and in a table cell the
// backslash of each `\|`.
std::string collect_source(const InlineSource& src, std::size_t a, std::size_t b, bool strip_indent);

// Skips spaces and tabs, and at most one line ending when `allow_newline`.
std::size_t skip_link_space(const InlineSource& src, std::size_t i, bool allow_newline, bool* saw_newline = nullptr);

// A label's length limit. Its bytes count toward it as follows: white space one each, a character
// beyond ASCII its bytes, an escape two (a table cell's `\|` one), a line break its line ending
// and the container prefix after it; other ASCII (a backslash that escapes nothing too) counts
// nothing, so a label of plain ASCII may be of any length.
constexpr std::size_t max_label_length = 999;

struct LabelBytes {
  std::size_t end;   // at the first bracket outside an escape, or where the read stopped
  bool too_long;     // past the limit, where the read stopped
  bool has_content;  // anything but white space
  bool one_line;
};
// Reads a label's bytes from i up to `end`, a bracket, or its length limit; with `one_line`, up to
// the line's end too.
LabelBytes read_label(const InlineSource& src, std::size_t i, std::size_t end, bool one_line = false);

struct ScannedLabel {
  std::size_t end;  // past ']'
  Payload raw;      // between the brackets
};
// A link label at ix ('[').
std::optional<ScannedLabel> scan_link_label(const InlineSource& src, std::size_t ix);

struct ScannedText {
  std::size_t end;
  Payload value;  // escapes and references resolved
};
std::optional<ScannedText> scan_link_destination(const InlineSource& src, std::size_t ix);
// `definition`: the title of a link reference definition, not of an inline link.
std::optional<ScannedText> scan_link_title(const InlineSource& src, std::size_t ix, bool definition);

struct ScannedRefDef {
  std::size_t end;  // at the line ending (or end of block) after the definition
  std::string label;
  Payload dest;
  Payload title;
};
// A link reference definition at ix ('[').
std::optional<ScannedRefDef> scan_refdef(const InlineSource& src, std::size_t ix);

}  // namespace markdown
