// The events a markdown::Parser yields: start and end of containers, leaf content, and their payloads.
// Mirrors the event model of the CommonMark pull parser this library reproduces, byte range included.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace markdown {

// Extension switches; the bit values are pulldown-cmark's, so an option set such as 0x101e
// (tables, footnotes, strikethrough, task lists, definition lists) means the same to both.
enum class Options : std::uint32_t {
  none = 0,
  tables = 1u << 1,
  footnotes = 1u << 2,
  strikethrough = 1u << 3,
  tasklists = 1u << 4,
  definition_list = 1u << 12,
  all = (1u << 1) | (1u << 2) | (1u << 3) | (1u << 4) | (1u << 12),
};

constexpr Options operator|(Options a, Options b) {
  return static_cast<Options>(static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b));
}
constexpr bool has(Options set, Options flag) {
  return (static_cast<std::uint32_t>(set) & static_cast<std::uint32_t>(flag)) != 0;
}

enum class EventKind : std::uint8_t {
  Start,
  End,
  Text,
  Code,
  Html,
  InlineHtml,
  FootnoteReference,
  SoftBreak,
  HardBreak,
  Rule,
  TaskListMarker,
};

enum class TagKind : std::uint8_t {
  Paragraph,
  Heading,
  BlockQuote,
  CodeBlock,
  HtmlBlock,
  List,
  Item,
  FootnoteDefinition,
  Table,
  TableHead,
  TableRow,
  TableCell,
  Emphasis,
  Strong,
  Strikethrough,
  Link,
  Image,
  DefinitionList,
  DefinitionListTitle,
  DefinitionListDefinition,
};

enum class LinkType : std::uint8_t {
  Inline,
  Reference,
  ReferenceUnknown,
  Collapsed,
  CollapsedUnknown,
  Shortcut,
  ShortcutUnknown,
  Autolink,
  Email,
};

enum class CodeBlockKind : std::uint8_t { Indented, Fenced };

enum class Alignment : std::uint8_t { None, Left, Center, Right };

// One event and its byte range [start, end) in the parsed text. Start and End of the same tag carry
// the same range and the same payload. String views point into the text or into storage owned by
// the Parser; they stay valid as long as the Parser lives.
struct Event {
  EventKind kind = EventKind::Text;
  TagKind tag = TagKind::Paragraph;  // Start and End only

  // Text, Code, Html, InlineHtml: the decoded content. FootnoteReference and
  // FootnoteDefinition: the label as written. CodeBlock (Fenced): the info string.
  std::string_view text;

  // Link and Image.
  LinkType link_type = LinkType::Inline;
  std::string_view dest_url;
  std::string_view title;
  std::string_view id;  // the reference label of reference-style links, else empty

  CodeBlockKind code_block_kind = CodeBlockKind::Indented;
  std::uint8_t heading_level = 0;           // 1..6
  std::optional<std::uint64_t> list_start;  // List: the first number of an ordered list
  bool ordered = false;                     // List: numbered (also set on End)
  bool checked = false;                     // TaskListMarker
  bool filler = false;                      // TableCell: one of the empty cells filling up a short row
  std::span<const Alignment> alignments;    // Table: one per column

  std::size_t start = 0;
  std::size_t end = 0;
};

}  // namespace markdown
