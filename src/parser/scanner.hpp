// The block scanner: cuts a body into Markdown runs, block components,
// display-math blocks and tag errors by looking at whole lines.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "parser/source_map.hpp"
#include "parser/tags.hpp"

namespace vyn::parser {

// An unclosed block component or a stray closing tag; `raw` views the body.
struct ErrorSegment {
  std::string message;
  std::string_view raw;
  std::uint64_t start = 0;
  std::uint64_t end = 0;
  bool operator==(const ErrorSegment&) const = default;
};

// One piece of a body. Every offset is absolute in the input.
struct Segment {
  // Whole lines of Markdown, up to the start of the line after the last one.
  struct Markdown {
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    bool operator==(const Markdown&) const = default;
  };
  // A block component: its open tag, its body, and just after its closing ">".
  struct Component {
    ParsedTag tag;
    std::uint64_t body_start = 0;
    std::uint64_t body_end = 0;
    std::uint64_t end = 0;
    bool operator==(const Component&) const = default;
  };
  // A self-closing tag alone on its line.
  struct SelfClosing {
    ParsedTag tag;
    bool operator==(const SelfClosing&) const = default;
  };
  // A "$$" block: the formula lines, and just after the closing "$$".
  struct MathBlock {
    std::optional<std::string> label;
    std::uint64_t content_start = 0;
    std::uint64_t content_end = 0;
    std::uint64_t end = 0;
    bool operator==(const MathBlock&) const = default;
  };

  // A malformed tag at the start of a line, as the tag reader reported it.
  std::variant<Markdown, Component, SelfClosing, MathBlock, ErrorSegment, TagError> value;
  bool operator==(const Segment&) const = default;
};

// The closing lines of block components, remembered across the bodies of one
// input. The search for one component's closing line matches every open line
// it passes, so the bodies inside, scanned later, look theirs up instead of
// searching the same lines again at every level of nesting.
class ClosingLines {
 public:
  // Absolute offsets of a closing line's start and of the byte after its ">";
  // both lie past every body when there is no closing line.
  struct Closing {
    static constexpr std::uint64_t kNowhere = UINT64_MAX;
    std::uint64_t line = kNowhere;
    std::uint64_t end = kNowhere;
  };

  // The closing line of the open tag whose "<" is at absolute offset `open`,
  // if a search has passed that tag.
  std::optional<Closing> find(std::uint64_t open) const;
  void remember(std::uint64_t open, Closing closing) { closings_.emplace(open, closing); }

 private:
  std::unordered_map<std::uint64_t, Closing> closings_;
};

// `body` is a view into the input starting at absolute offset `base`; the
// bodies of one input share `closing_lines`. Never fails: problems become
// error segments. An unclosed block component's error takes the rest of the
// body.
std::vector<Segment> scan_segments(std::string_view body, std::uint64_t base, const SourceMap& source_map,
                                   ClosingLines& closing_lines);

}  // namespace vyn::parser
