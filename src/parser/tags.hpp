// Component tags as written in a text: "<Name attr=value ...>", "<Name ... />"
// and "</Name>". Shared by the block scanner and the inline component step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ast/node.hpp"
#include "parser/source_map.hpp"
#include "parser/text_origin.hpp"

namespace vyn::parser {

// An open or self-closing tag as read. Offsets are absolute in the input.
class ValueEnds;

struct ParsedTag {
  std::string name;
  std::vector<ast::AttributeNode> attributes;  // in source order, repeated names kept
  std::uint64_t start = 0;                     // the "<"
  std::uint64_t end = 0;                       // just after the ">"
  bool self_closing = false;
  bool operator==(const ParsedTag&) const = default;
};

// A malformed tag. Its message is `words`, the inserted `value`, then
// `words_after`; the value stays apart so that a caller can shorten it without
// first copying it whole. `raw` views the text that was given to the tag
// reader; callers copy it into the error node they make.
struct TagError {
  std::string_view words;
  std::variant<std::string_view, std::string> value;  // read from the text, or written anew
  std::string_view words_after;
  std::string_view raw;
  std::uint64_t start = 0;
  std::uint64_t end = 0;

  std::string_view inserted_value() const {
    return std::visit([](const auto& v) { return std::string_view(v); }, value);
  }
  std::string message() const { return message(inserted_value()); }
  // The message with `value` in place of its own.
  std::string message(std::string_view value) const;
  bool operator==(const TagError&) const = default;
};

// A tag read successfully, with `next` the relative offset just after its ">".
struct OpenTag {
  ParsedTag tag;
  std::size_t next = 0;
  bool operator==(const OpenTag&) const = default;
};

// No tag starts there (std::monostate), a malformed tag, or a tag.
using OpenTagResult = std::variant<std::monostate, TagError, OpenTag>;

struct CloseTag {
  std::string_view name;
  std::size_t next = 0;  // relative offset just after the ">"
};

// How a tag is read. `Exact` gives every error with its message and span.
// `SuccessOnly` serves callers that only ask whether the tag is well formed: it
// gives up as soon as a value can no longer be well formed (a "<" where no
// value holds one, a line feed inside a JSON string), and its errors say
// nothing exact. That keeps reads that start on line after line from all
// running over the same text to a far delimiter.
enum class TagReading { Exact, SuccessOnly };

// Reads the open tag whose "<" is at relative offset `at` in `text`, whose
// bytes sit in the input as `origin` says. A tag needs an uppercase letter
// after the "<" and may span lines.
OpenTagResult try_parse_open_tag(std::string_view text, std::size_t at, TextOrigin origin, const SourceMap& source_map,
                                 TagReading reading = TagReading::Exact);
// The same, read exactly in `ends.text()`: the tags read from one ValueEnds
// share what each found of where values end.
OpenTagResult try_parse_open_tag(ValueEnds& ends, std::size_t at, TextOrigin origin, const SourceMap& source_map);

// Reads "</Name>" at relative offset `at`; white space, line ends included, may
// stand before the ">". Anything else there is no closing tag.
std::optional<CloseTag> try_parse_close_tag(std::string_view text, std::size_t at);

// The run of letters, digits and "_" that names a component, from `at`.
std::string_view tag_name_at(std::string_view text, std::size_t at);

}  // namespace vyn::parser
