// Where the bytes of a text read by the tag reader or the inline syntax sit in
// the input. Most such texts are slices of it. The Markdown library's HTML text
// is not when it spans lines inside containers: it drops the container prefix
// ("> ", a list item's indentation, the part of a tab that these take) of each
// line after the first, so its indexes are mapped back line by line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vyn::parser {

// The lines of a text lined up with the source lines it was cut from. Each
// line of the text is the end of its source line: a line feed or carriage
// return ends a line in both, and only bytes at the start of a source line are
// missing from the text. Built in one pass over both; a lookup is a binary
// search over the lines.
class LineAlignment {
 public:
  // `text` came from `source`, the input's bytes from absolute offset `base`.
  LineAlignment(std::string_view text, std::string_view source, std::uint64_t base);

  // The absolute offset of the byte at `index` in the text (the end of the
  // source for the text's size). Never decreases as `index` grows; a byte the
  // source doesn't hold (should a line of the text be longer than its source
  // line) maps to the start of its source line.
  std::uint64_t offset(std::size_t index) const;

 private:
  struct Line {
    std::size_t text_end;        // the index of its line end in the text, or the text's size
    std::uint64_t source_end;    // the absolute offset of its line end in the source
    std::uint64_t source_start;  // the absolute offset where its source line starts
  };
  std::vector<Line> lines_;
};

// A text's first byte in the input: a plain offset for a slice of the input,
// or an index into a text mapped by a LineAlignment.
class TextOrigin {
 public:
  // A slice of the input that starts at absolute offset `base`.
  TextOrigin(std::uint64_t base) : base_(base) {}  // NOLINT(google-explicit-constructor): offsets convert freely
  // The whole text that `lines` maps.
  explicit TextOrigin(const LineAlignment& lines) : base_(0), lines_(&lines) {}

  // The absolute offset of the byte at `index` of the text.
  std::uint64_t operator()(std::size_t index) const { return lines_ ? lines_->offset(base_ + index) : base_ + index; }

  // The origin of the text's part that begins at `index`.
  TextOrigin from(std::size_t index) const {
    TextOrigin origin = *this;
    origin.base_ += index;
    return origin;
  }

 private:
  std::uint64_t base_;  // absolute, or the index into the mapped text
  const LineAlignment* lines_ = nullptr;
};

}  // namespace vyn::parser
