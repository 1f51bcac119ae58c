// Cutting a body into segments: Markdown runs, block and single-line
// components, self-closing tags, display-math blocks and tag errors.
#include "parser/scanner.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vyn::parser {
namespace {

// A segment reduced to what the scanner decides: its kind, the tag's name or
// the error's message, and its offsets.
struct Cut {
  std::string kind;
  std::string detail;
  std::vector<std::uint64_t> offsets;
  bool operator==(const Cut&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Cut& cut) {
  out << cut.kind << "(" << cut.detail;
  for (auto offset : cut.offsets) out << ", " << offset;
  return out << ")";
}

Cut cut_of(const Segment& segment) {
  struct Visitor {
    Cut operator()(const Segment::Markdown& s) const { return {"md", "", {s.start, s.end}}; }
    Cut operator()(const Segment::Component& s) const {
      return {"component", s.tag.name, {s.tag.start, s.tag.end, s.body_start, s.body_end, s.end}};
    }
    Cut operator()(const Segment::SelfClosing& s) const { return {"self", s.tag.name, {s.tag.start, s.tag.end}}; }
    Cut operator()(const Segment::MathBlock& s) const {
      return {"math", s.label.value_or("-"), {s.content_start, s.content_end, s.end}};
    }
    Cut operator()(const ErrorSegment& s) const { return {"error", s.message, {s.start, s.end}}; }
    Cut operator()(const TagError& s) const { return {"error", s.message(), {s.start, s.end}}; }
  };
  return std::visit(Visitor{}, segment.value);
}

// Scans `body` placed at offset 2 of an input, so offsets must come out absolute.
std::vector<Cut> cuts(std::string_view body) {
  std::string input = "x\n" + std::string(body);
  SourceMap source_map(input);
  ClosingLines closing_lines;
  std::vector<Cut> result;
  for (const auto& segment : scan_segments(std::string_view(input).substr(2), 2, source_map, closing_lines)) {
    result.push_back(cut_of(segment));
  }
  return result;
}

Cut md(std::uint64_t start, std::uint64_t end) { return {"md", "", {start + 2, end + 2}}; }
Cut component(std::string name, std::uint64_t start, std::uint64_t tag_end, std::uint64_t body_start,
              std::uint64_t body_end, std::uint64_t end) {
  return {"component", std::move(name), {start + 2, tag_end + 2, body_start + 2, body_end + 2, end + 2}};
}
Cut self(std::string name, std::uint64_t start, std::uint64_t end) {
  return {"self", std::move(name), {start + 2, end + 2}};
}
Cut math(std::string label, std::uint64_t content_start, std::uint64_t content_end, std::uint64_t end) {
  return {"math", std::move(label), {content_start + 2, content_end + 2, end + 2}};
}
Cut error(std::string message, std::uint64_t start, std::uint64_t end) {
  return {"error", std::move(message), {start + 2, end + 2}};
}

struct Case {
  std::string body;
  std::vector<Cut> expected;
};

void check(const std::vector<Case>& cases) {
  for (const auto& c : cases) EXPECT_EQ(cuts(c.body), c.expected) << c.body;
}

TEST(ScanSegments, MarkdownRunsAreWholeLines) {
  check({
      {"", {}},
      {"Hello", {md(0, 5)}},
      {"a\nb\n", {md(0, 4)}},
      {"a\n<Note/>\nb", {md(0, 2), self("Note", 2, 9), md(10, 11)}},
      {"<icon />\n", {md(0, 9)}},
      {"text <Note>\n", {md(0, 12)}},
  });
}

TEST(ScanSegments, BlockComponents) {
  check({
      {"<Note>\nHello\n</Note>\n", {component("Note", 0, 6, 7, 13, 20)}},
      {"<Note>\n</Note>", {component("Note", 0, 6, 7, 7, 14)}},
      {"a\n<Note>\nx\n</Note>\nb\n", {md(0, 2), component("Note", 2, 8, 9, 11, 18), md(19, 21)}},
      // Same-name open lines count; the outer one closes at the matching line.
      {"<A>\n<A>\nx\n</A>\n</A>\n", {component("A", 0, 3, 4, 15, 19)}},
      // Other names, self-closing tags, tags with text after them, and tag
      // errors do not count.
      {"<A>\n<B>\n<A/>\n<A> x\n<A x=>\n</A>\n", {component("A", 0, 3, 4, 26, 30)}},
      {"<A>\n</A> x\n</A>\n", {component("A", 0, 3, 4, 11, 15)}},
      {"<A>\n</B>\n</A>\n", {component("A", 0, 3, 4, 9, 13)}},
      // Fences and "$$" lines are not looked at while searching.
      {"<A>\n```\n</A>\n```\n", {component("A", 0, 3, 4, 8, 12), md(13, 17)}},
      // Indentation and CRLF line ends.
      {"  <Note>\r\n\tx\r\n \t</Note>\r\n", {component("Note", 2, 8, 10, 14, 23)}},
      // Attributes may continue on later lines; the body starts after the ">".
      {"<A x='1'\n   y>\nz\n</A>\n", {component("A", 0, 14, 15, 17, 21)}},
      // A closing tag spread over lines: the scan resumes after its ">".
      {"<A>\n</A\n>\nb\n", {component("A", 0, 3, 4, 4, 9), md(10, 12)}},
  });
}

TEST(ScanSegments, UnclosedComponentTakesTheRestOfTheBody) {
  check({
      {"<Card>\ntext\n", {error("Unclosed tag <Card>", 0, 12)}},
      {"a\n<Card>", {md(0, 2), error("Unclosed tag <Card>", 2, 8)}},
      {"<A>\n<A>\n</A>\n<B>\n</B>\n", {error("Unclosed tag <A>", 0, 22)}},
      {"  <A>\nx\n<B/>\n", {error("Unclosed tag <A>", 2, 13)}},
  });
}

TEST(ScanSegments, SingleLineComponents) {
  check({
      {"<Badge>New</Badge>", {component("Badge", 0, 7, 7, 10, 18)}},
      {"<Badge>New</Badge>  \nx\n", {component("Badge", 0, 7, 7, 10, 18), md(21, 23)}},
      {"<Badge></Badge>\n", {component("Badge", 0, 7, 7, 7, 15)}},
      {"<Badge>New</Badge> more\n", {md(0, 24)}},
      // Only the first closing text on the line is tried.
      {"<A>x</A>y</A>\n", {md(0, 14)}},
      {"<A>x</B>\n", {md(0, 9)}},
      {"<A x='\n'>x</A>\nb\n", {component("A", 0, 9, 9, 10, 14), md(15, 17)}},
  });
}

TEST(ScanSegments, SelfClosingTagsAloneOnTheirLine) {
  check({
      {"<Icon name='x' />", {self("Icon", 0, 17)}},
      {"\t<Icon/> \r\nb", {self("Icon", 1, 8), md(11, 12)}},
      {"<Icon\n  a='1'\n/>\nb\n", {self("Icon", 0, 16), md(17, 19)}},
      {"<Icon /> text\n", {md(0, 14)}},
  });
}

TEST(ScanSegments, TagErrorsSkipTheLineOfTheirBracket) {
  check({
      {"<My-Comp>\nnext\n", {error("Invalid attribute name character '-'", 0, 15), md(10, 15)}},
      {"a\n<A v={$a..b}>\nb\n", {md(0, 2), error("Invalid variable path: a..b", 7, 14), md(16, 18)}},
      {"<A x='\n<B>\n</B>\n", {error("Unclosed string attribute", 3, 16), component("B", 7, 10, 11, 11, 15)}},
  });
}

TEST(ScanSegments, StrayClosingTags) {
  check({
      {"</Note>", {error("Unexpected closing tag </Note>", 0, 7)}},
      {"a\n  </Note >\t\nb", {md(0, 2), error("Unexpected closing tag </Note>", 4, 12), md(14, 15)}},
      {"</Note> text\n", {md(0, 13)}},
      {"</Note x>\n", {md(0, 10)}},
      {"<A>\n<B>\n</A>\n</B>\n", {component("A", 0, 3, 4, 8, 12), error("Unexpected closing tag </B>", 13, 17)}},
  });
}

TEST(ScanSegments, DisplayMathBlocks) {
  check({
      {"$$\nx^2\n$$\n", {math("-", 3, 7, 9)}},
      {"$$ {#eq:1}\na\n$$", {math("eq:1", 11, 13, 15)}},
      {"$$\n$$\n", {math("-", 3, 3, 5)}},
      {" \t$$\t{#_a.b-c:d}  \r\nx\n  $$ \r\ny\n", {math("_a.b-c:d", 20, 22, 26), md(29, 31)}},
      // The closing line is the first "$$" line; nothing between is looked at.
      {"$$\n<Note>\n```\n$$\n", {math("-", 3, 14, 16)}},
      {"a\n$$\nb\n$$\nc", {md(0, 2), math("-", 5, 7, 9), md(10, 11)}},
      // No block: the lines stay Markdown.
      {"$$\nx\n", {md(0, 5)}},
      {"$$", {md(0, 2)}},
      {"$$ x\n$$\ny\n$$\n", {md(0, 5), math("-", 8, 10, 12)}},
      {"$$ {#1a}\n$$\n", {md(0, 12)}},
      {"$$ {#a}x\ny\n$$\n", {md(0, 14)}},
      {"$$ {#a\ny\n$$\n", {md(0, 12)}},
      {"$$\nx\n$$ y\n", {md(0, 10)}},
  });
}

TEST(ScanSegments, FencesHideTagsAndMath) {
  check({
      {"```\n<Note>\n$$\n</A>\n```\n<B/>\n", {md(0, 23), self("B", 23, 27)}},
      {"~~~~\n<B/>\n~~~\n<B/>\n~~~~~ \n<B/>\n", {md(0, 26), self("B", 26, 30)}},
      {"```\n<B/>\n~~~\n<B/>\n```x\n<B/>\n```\n<B/>", {md(0, 32), self("B", 32, 36)}},
      {"  ```js\n<B/>\n```\n<B/>\n", {md(0, 17), self("B", 17, 21)}},
      // A run of two is no fence line.
      {"``\n<B/>\n", {md(0, 3), self("B", 3, 7)}},
  });
}

// A body may start and end inside lines of the input (the inside of a
// single-line component): its first line starts at its start, and its last
// line ends at its end, not at the input's next line feed.
TEST(ScanSegments, BodiesCutFromInsideLines) {
  const std::string input = "ab<B/>\ncd<C/>\n<D/>ef\n";
  SourceMap source_map(input);
  ClosingLines closing_lines;
  std::vector<Cut> result;
  for (const auto& segment : scan_segments(std::string_view(input).substr(2, 16), 2, source_map, closing_lines)) {
    result.push_back(cut_of(segment));
  }
  EXPECT_EQ(result, (std::vector<Cut>{{"self", "B", {2, 6}}, {"md", "", {7, 14}}, {"self", "D", {14, 18}}}));
}

}  // namespace
}  // namespace vyn::parser
