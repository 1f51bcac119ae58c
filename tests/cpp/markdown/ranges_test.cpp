// Ranges, payloads and text splitting of each kind of event, one case per behaviour; the expected
// streams are pulldown-cmark 0.12.2's for the same input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "markdown/event_text.hpp"
#include "markdown/parser.hpp"

namespace {

struct Expected {
  std::string event;
  std::size_t start;
  std::size_t end;
  bool operator==(const Expected&) const = default;
};

struct Case {
  const char* behaviour;
  std::string input;
  std::vector<Expected> events;
};

std::vector<Expected> stream(const std::string& input) {
  std::vector<Expected> out;
  markdown::Parser parser(input, markdown::Options::all);
  for (const auto& event : parser) out.push_back({markdown::event_text(event), event.start, event.end});
  return out;
}

std::ostream& operator<<(std::ostream& os, const Expected& e) {
  return os << e.event << " " << e.start << ".." << e.end;
}

const std::vector<Case> cases = {
    {"paragraph ends after its line ending, trailing spaces in no text",
     "foo  \nbar   \n",
     {
         {"Start(Paragraph)", 0, 13},
         {"Text(\"foo\")", 0, 3},
         {"HardBreak", 3, 6},
         {"Text(\"bar\")", 6, 9},
         {"End(Paragraph)", 0, 13},
     }},
    {"continuation lines of a quote are inside the paragraph range",
     "> quote\n> more\n",
     {
         {"Start(BlockQuote(None))", 0, 15},
         {"Start(Paragraph)", 2, 15},
         {"Text(\"quote\")", 2, 7},
         {"SoftBreak", 7, 8},
         {"Text(\"more\")", 10, 14},
         {"End(Paragraph)", 2, 15},
         {"End(BlockQuote(None))", 0, 15},
     }},
    {"ATX heading covers its line, text excludes the closing sequence",
     "## head ##  \n###\n",
     {
         {"Start(Heading(H2))", 0, 13},
         {"Text(\"head\")", 3, 7},
         {"End(Heading(H2))", 0, 13},
         {"Start(Heading(H3))", 13, 17},
         {"End(Heading(H3))", 13, 17},
     }},
    {"setext heading covers the underline",
     "Title\n=====\n",
     {
         {"Start(Heading(H1))", 0, 12},
         {"Text(\"Title\")", 0, 5},
         {"End(Heading(H1))", 0, 12},
     }},
    {"lists absorb trailing blank lines",
     "- a\n- b\n\n1. x\n",
     {
         {"Start(List(None))", 0, 9},
         {"Start(Item)", 0, 4},
         {"Text(\"a\")", 2, 3},
         {"End(Item)", 0, 4},
         {"Start(Item)", 4, 9},
         {"Text(\"b\")", 6, 7},
         {"End(Item)", 4, 9},
         {"End(List(false))", 0, 9},
         {"Start(List(Some(1)))", 9, 14},
         {"Start(Item)", 9, 14},
         {"Text(\"x\")", 12, 13},
         {"End(Item)", 9, 14},
         {"End(List(true))", 9, 14},
     }},
    {"list end runs over the next line's container prefix",
     "> - a\n>\n> b\n",
     {
         {"Start(BlockQuote(None))", 0, 12},
         {"Start(List(None))", 2, 10},
         {"Start(Item)", 2, 8},
         {"Text(\"a\")", 4, 5},
         {"End(Item)", 2, 8},
         {"End(List(false))", 2, 10},
         {"Start(Paragraph)", 10, 12},
         {"Text(\"b\")", 10, 11},
         {"End(Paragraph)", 10, 12},
         {"End(BlockQuote(None))", 0, 12},
     }},
    {"empty item",
     "-\n",
     {
         {"Start(List(None))", 0, 2},
         {"Start(Item)", 0, 2},
         {"End(Item)", 0, 2},
         {"End(List(false))", 0, 2},
     }},
    {"fenced code ends before the closing fence's line ending",
     "```rust\nfenced\n```\n",
     {
         {"Start(CodeBlock(Fenced(\"rust\")))", 0, 18},
         {"Text(\"fenced\\n\")", 8, 15},
         {"End(CodeBlock)", 0, 18},
     }},
    {"indented code drops trailing blank lines",
     "    a\n\n    b\n\n\nc\n",
     {
         {"Start(CodeBlock(Indented))", 4, 13},
         {"Text(\"a\\n\\n\")", 4, 7},
         {"Text(\"b\\n\")", 11, 13},
         {"End(CodeBlock)", 4, 13},
         {"Start(Paragraph)", 15, 17},
         {"Text(\"c\")", 15, 16},
         {"End(Paragraph)", 15, 17},
     }},
    {"html block emits one event per line and synthesizes its indent",
     "  <div>\n  *x*\n\nafter\n",
     {
         {"Start(HtmlBlock)", 2, 14},
         {"Text(\"  \")", 2, 2},
         {"Html(\"<div>\\n\")", 2, 8},
         {"Html(\"  *x*\\n\")", 8, 14},
         {"End(HtmlBlock)", 2, 14},
         {"Start(Paragraph)", 15, 21},
         {"Text(\"after\")", 15, 20},
         {"End(Paragraph)", 15, 21},
     }},
    {"table cells keep their padding, short rows get zero-width cells",
     "| a | b |\n|:--|--:|\n| c |\n",
     {
         {"Start(Table([Left, Right]))", 0, 26},
         {"Start(TableHead)", 0, 10},
         {"Start(TableCell)", 1, 4},
         {"Text(\"a\")", 2, 3},
         {"End(TableCell)", 1, 4},
         {"Start(TableCell)", 5, 8},
         {"Text(\"b\")", 6, 7},
         {"End(TableCell)", 5, 8},
         {"End(TableHead)", 0, 10},
         {"Start(TableRow)", 20, 26},
         {"Start(TableCell)", 21, 24},
         {"Text(\"c\")", 22, 23},
         {"End(TableCell)", 21, 24},
         {"Start(TableCell)", 26, 26},
         {"End(TableCell)", 26, 26},
         {"End(TableRow)", 20, 26},
         {"End(Table)", 0, 26},
     }},
    {"emphasis nests strong inside",
     "***x***\n",
     {
         {"Start(Paragraph)", 0, 8},
         {"Start(Emphasis)", 0, 7},
         {"Start(Strong)", 1, 6},
         {"Text(\"x\")", 3, 4},
         {"End(Strong)", 1, 6},
         {"End(Emphasis)", 0, 7},
         {"End(Paragraph)", 0, 8},
     }},
    {"collapsed reference covers only the first brackets",
     "[r][]\n\n[r]: /u \"t\"\n",
     {
         {"Start(Paragraph)", 0, 6},
         {"Start(Link(Collapsed, \"/u\", \"t\", \"r\"))", 0, 3},
         {"Text(\"r\")", 1, 2},
         {"End(Link)", 0, 3},
         {"End(Paragraph)", 0, 6},
     }},
    {"autolinks include their angle brackets",
     "<http://a.b> <me@x.org>\n",
     {
         {"Start(Paragraph)", 0, 24},
         {"Start(Link(Autolink, \"http://a.b\", \"\", \"\"))", 0, 12},
         {"Text(\"http://a.b\")", 1, 11},
         {"End(Link)", 0, 12},
         {"Text(\" \")", 12, 13},
         {"Start(Link(Email, \"me@x.org\", \"\", \"\"))", 13, 23},
         {"Text(\"me@x.org\")", 14, 22},
         {"End(Link)", 13, 23},
         {"End(Paragraph)", 0, 24},
     }},
    {"code spans strip one space each side and fold line endings",
     "` a\nb `\n",
     {
         {"Start(Paragraph)", 0, 8},
         {"Code(\"a b\")", 0, 7},
         {"End(Paragraph)", 0, 8},
     }},
    {"inline html in a quote loses the container prefix in its payload",
     "> <foo\n> bar>\n",
     {
         {"Start(BlockQuote(None))", 0, 14},
         {"Start(Paragraph)", 2, 14},
         {"InlineHtml(\"<foo\\nbar>\")", 2, 13},
         {"End(Paragraph)", 2, 14},
         {"End(BlockQuote(None))", 0, 14},
     }},
    {"entities are texts of their own, escapes drop the backslash",
     "&amp; \\* &#35;\n",
     {
         {"Start(Paragraph)", 0, 15},
         {"Text(\"&\")", 0, 5},
         {"Text(\" \")", 5, 6},
         {"Text(\"* \")", 7, 9},
         {"Text(\"#\")", 9, 14},
         {"End(Paragraph)", 0, 15},
     }},
    {"undefined footnote references stay text",
     "[^nope] and [^a]\n\n[^a]: note\n",
     {
         {"Start(Paragraph)", 0, 17},
         {"Text(\"[\")", 0, 1},
         {"Text(\"^nope\")", 1, 6},
         {"Text(\"]\")", 6, 7},
         {"Text(\" and \")", 7, 12},
         {"FootnoteReference(\"a\")", 12, 16},
         {"End(Paragraph)", 0, 17},
         {"Start(FootnoteDefinition(\"a\"))", 18, 29},
         {"Start(Paragraph)", 24, 29},
         {"Text(\"note\")", 24, 28},
         {"End(Paragraph)", 24, 29},
         {"End(FootnoteDefinition)", 18, 29},
     }},
    {"soft and hard breaks",
     "a  \nb\\\nc\nd\\",
     {
         {"Start(Paragraph)", 0, 11},
         {"Text(\"a\")", 0, 1},
         {"HardBreak", 1, 4},
         {"Text(\"b\")", 4, 5},
         {"HardBreak", 5, 7},
         {"Text(\"c\")", 7, 8},
         {"SoftBreak", 8, 9},
         {"Text(\"d\\\\\")", 9, 11},
         {"End(Paragraph)", 0, 11},
     }},
    {"task list markers, tight and loose",
     "- [ ] tight\n- [x] done\n\n- [ ] loose\n",
     {
         {"Start(List(None))", 0, 36}, {"Start(Item)", 0, 12},
         {"Start(Paragraph)", 6, 12},  {"TaskListMarker(false)", 2, 5},
         {"Text(\"tight\")", 6, 11},   {"End(Paragraph)", 6, 12},
         {"End(Item)", 0, 12},         {"Start(Item)", 12, 24},
         {"Start(Paragraph)", 18, 23}, {"TaskListMarker(true)", 14, 17},
         {"Text(\"done\")", 18, 22},   {"End(Paragraph)", 18, 23},
         {"End(Item)", 12, 24},        {"Start(Item)", 24, 36},
         {"Start(Paragraph)", 30, 36}, {"TaskListMarker(false)", 26, 29},
         {"Text(\"loose\")", 30, 35},  {"End(Paragraph)", 30, 36},
         {"End(Item)", 24, 36},        {"End(List(false))", 0, 36},
     }},
    {"delimiter runs that can open or close split text",
     "~~x~~~ a ** b\n",
     {
         {"Start(Paragraph)", 0, 14},
         {"Text(\"~\")", 0, 1},
         {"Text(\"~\")", 1, 2},
         {"Text(\"x~~~ a ** b\")", 2, 13},
         {"End(Paragraph)", 0, 14},
     }},
    {"definition lists",
     "apple\n:   red fruit\n\norange\n: orange fruit\n",
     {
         {"Start(DefinitionList)", 0, 43},
         {"Start(DefinitionListTitle)", 0, 6},
         {"Text(\"apple\")", 0, 5},
         {"End(DefinitionListTitle)", 0, 6},
         {"Start(DefinitionListDefinition)", 6, 21},
         {"Text(\"red fruit\")", 10, 19},
         {"End(DefinitionListDefinition)", 6, 21},
         {"Start(DefinitionListTitle)", 21, 28},
         {"Text(\"orange\")", 21, 27},
         {"End(DefinitionListTitle)", 21, 28},
         {"Start(DefinitionListDefinition)", 28, 43},
         {"Text(\"orange fruit\")", 30, 42},
         {"End(DefinitionListDefinition)", 28, 43},
         {"End(DefinitionList)", 0, 43},
     }},
    {"CRLF line endings",
     "a\r\nb\r\n\r\n    code\r\n",
     {
         {"Start(Paragraph)", 0, 6},
         {"Text(\"a\")", 0, 1},
         {"SoftBreak", 1, 3},
         {"Text(\"b\")", 3, 4},
         {"End(Paragraph)", 0, 6},
         {"Start(CodeBlock(Indented))", 12, 18},
         {"Text(\"code\")", 12, 16},
         {"Text(\"\\n\")", 17, 18},
         {"End(CodeBlock)", 12, 18},
     }},
    {"partially consumed tab in an item's code block",
     "- foo\n\n\t\tbar\n",
     {
         {"Start(List(None))", 0, 13},
         {"Start(Item)", 0, 13},
         {"Start(Paragraph)", 2, 6},
         {"Text(\"foo\")", 2, 5},
         {"End(Paragraph)", 2, 6},
         {"Start(CodeBlock(Indented))", 9, 13},
         {"Text(\"  \")", 9, 9},
         {"Text(\"bar\\n\")", 9, 13},
         {"End(CodeBlock)", 9, 13},
         {"End(Item)", 0, 13},
         {"End(List(false))", 0, 13},
     }},
};

TEST(Ranges, EachKindOfEventMatchesTheReference) {
  for (const auto& c : cases) EXPECT_EQ(stream(c.input), c.events) << c.behaviour;
}

// A definition list that ends on a definition closes the block quote, footnote definition or list
// around it; pulldown-cmark 0.12.2 gives that container the end 0, before its start, ours the
// offset where the list closes. The rest of each stream is pulldown-cmark's.
const std::vector<Case> closed_containers = {
    {"a block quote closed with its definition list; the heading lands after it",
     "x\n\n> a\n> : b\n> # h\n",
     {
         {"Start(Paragraph)", 0, 2},
         {"Text(\"x\")", 0, 1},
         {"End(Paragraph)", 0, 2},
         {"Start(BlockQuote(None))", 3, 13},
         {"Start(DefinitionList)", 5, 13},
         {"Start(DefinitionListTitle)", 5, 7},
         {"Text(\"a\")", 5, 6},
         {"End(DefinitionListTitle)", 5, 7},
         {"Start(DefinitionListDefinition)", 9, 13},
         {"Text(\"b\")", 11, 12},
         {"End(DefinitionListDefinition)", 9, 13},
         {"End(DefinitionList)", 5, 13},
         {"End(BlockQuote(None))", 3, 13},
         {"Start(Heading(H1))", 15, 19},
         {"Text(\"h\")", 17, 18},
         {"End(Heading(H1))", 15, 19},
     }},
    {"a footnote definition closed with its definition list at the end of the text",
     "[^1]: e\n    :\n",
     {
         {"Start(FootnoteDefinition(\"1\"))", 0, 14},
         {"Start(DefinitionList)", 6, 14},
         {"Start(DefinitionListTitle)", 6, 8},
         {"Text(\"e\")", 6, 7},
         {"End(DefinitionListTitle)", 6, 8},
         {"Start(DefinitionListDefinition)", 12, 14},
         {"End(DefinitionListDefinition)", 12, 14},
         {"End(DefinitionList)", 6, 14},
         {"End(FootnoteDefinition)", 0, 14},
     }},
    {"a list closed with the definition list that came to sit in it, after its items: loose",
     "- a\n- b\n  :\n  -\n:\n:",
     {
         {"Start(List(None))", 0, 19},
         {"Start(Item)", 0, 4},
         {"Start(Paragraph)", 2, 4},
         {"Text(\"a\")", 2, 3},
         {"End(Paragraph)", 2, 4},
         {"End(Item)", 0, 4},
         {"Start(Item)", 4, 6},
         {"Start(DefinitionList)", 6, 14},
         {"Start(DefinitionListTitle)", 6, 8},
         {"Text(\"b\")", 6, 7},
         {"End(DefinitionListTitle)", 6, 8},
         {"Start(DefinitionListDefinition)", 10, 12},
         {"End(DefinitionListDefinition)", 10, 12},
         {"End(DefinitionList)", 6, 14},
         {"End(Item)", 4, 6},
         {"Start(List(None))", 14, 16},
         {"Start(Item)", 14, 16},
         {"End(Item)", 14, 16},
         {"End(List(false))", 14, 16},
         {"Start(DefinitionList)", 16, 19},
         {"Start(DefinitionListTitle)", 16, 18},
         {"Text(\":\")", 16, 17},
         {"End(DefinitionListTitle)", 16, 18},
         {"Start(DefinitionListDefinition)", 18, 19},
         {"End(DefinitionListDefinition)", 18, 19},
         {"End(DefinitionList)", 16, 19},
         {"End(List(false))", 0, 19},
     }},
};

TEST(Ranges, ContainersClosedWithADefinitionListEndWhereTheyClose) {
  for (const auto& c : closed_containers) EXPECT_EQ(stream(c.input), c.events) << c.behaviour;
}

// Where pulldown-cmark's stream loses text of the input, ours keeps it; the rest of the stream is
// pulldown-cmark's.
const std::vector<Case> kept_text = {
    {"a reference label closed inside a later block of a tight item: the rest of that block is text",
     "[x > b]: /u\n\n- [a][x\n  > b] c\n  > d",
     {
         {"Start(List(None))", 13, 35},
         {"Start(Item)", 13, 35},
         {"Start(Link(Reference, \"/u\", \"\", \"x > b\"))", 15, 27},
         {"Text(\"a\")", 16, 17},
         {"End(Link)", 15, 27},
         {"Text(\" c\\n  > d\")", 27, 35},
         {"End(Item)", 13, 35},
         {"End(List(false))", 13, 35},
     }},
    {"a block after definitions and a blank line in a quote that follows a closed item",
     "- b\n  :\n  > [r]:u\n     \n> # x",
     {
         {"Start(List(None))", 0, 29},
         {"Start(Item)", 0, 2},
         {"Start(DefinitionList)", 2, 8},
         {"Start(DefinitionListTitle)", 2, 4},
         {"Text(\"b\")", 2, 3},
         {"End(DefinitionListTitle)", 2, 4},
         {"Start(DefinitionListDefinition)", 6, 8},
         {"End(DefinitionListDefinition)", 6, 8},
         {"End(DefinitionList)", 2, 8},
         {"End(Item)", 0, 2},
         {"Start(BlockQuote(None))", 10, 29},
         {"Start(Heading(H1))", 26, 29},
         {"Text(\"x\")", 28, 29},
         {"End(Heading(H1))", 26, 29},
         {"End(BlockQuote(None))", 10, 29},
         {"End(List(false))", 0, 29},
     }},
};

TEST(Ranges, TextPulldownCmarkDropsIsKept) {
  for (const auto& c : kept_text) EXPECT_EQ(stream(c.input), c.events) << c.behaviour;
}

}  // namespace
