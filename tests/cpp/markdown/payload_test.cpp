// The typed payloads a consumer reads from events (not their text form): heading levels, list
// numbers and kinds, code block kinds and info strings, link fields, alignments, labels, checks.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "markdown/event_text.hpp"
#include "markdown/parser.hpp"

namespace {

using markdown::EventKind;
using markdown::TagKind;

// The first Start event of `tag` in the document.
markdown::Event first_start(markdown::Parser& parser, TagKind tag) {
  for (const auto& event : parser) {
    if (event.kind == EventKind::Start && event.tag == tag) return event;
  }
  ADD_FAILURE() << "no start of the tag";
  return {};
}

struct PayloadCase {
  const char* what;
  std::string input;
  TagKind tag;
  std::function<void(const markdown::Event&)> check;
};

TEST(Payloads, StartEventsCarryTheirTagData) {
  const std::vector<PayloadCase> cases = {
      {"heading level", "### three\n", TagKind::Heading,
       [](const markdown::Event& e) { EXPECT_EQ(e.heading_level, 3); }},
      {"ordered list start", "7) seven\n", TagKind::List,
       [](const markdown::Event& e) {
         EXPECT_TRUE(e.ordered);
         EXPECT_EQ(e.list_start, 7u);
       }},
      {"bullet list", "* a\n", TagKind::List,
       [](const markdown::Event& e) {
         EXPECT_FALSE(e.ordered);
         EXPECT_FALSE(e.list_start.has_value());
       }},
      {"fenced info decoded", "```rust extra &amp; \\*\nx\n```\n", TagKind::CodeBlock,
       [](const markdown::Event& e) {
         EXPECT_EQ(e.code_block_kind, markdown::CodeBlockKind::Fenced);
         EXPECT_EQ(e.text, "rust extra & *");
       }},
      {"indented code", "    x\n", TagKind::CodeBlock,
       [](const markdown::Event& e) { EXPECT_EQ(e.code_block_kind, markdown::CodeBlockKind::Indented); }},
      {"inline link", "[t](/u%20v \"ti&amp;tle\")\n", TagKind::Link,
       [](const markdown::Event& e) {
         EXPECT_EQ(e.link_type, markdown::LinkType::Inline);
         EXPECT_EQ(e.dest_url, "/u%20v");
         EXPECT_EQ(e.title, "ti&tle");
         EXPECT_EQ(e.id, "");
       }},
      {"inline title keeps a CRLF, not a lone CR", "[t](/u \"a\r\nb\rc\")\n", TagKind::Link,
       [](const markdown::Event& e) { EXPECT_EQ(e.title, "a\r\nb\nc"); }},
      {"definition title breaks lines with line feeds", "[t]\n\n[t]: /u 'a\r\nb\rc&#13;\r\nd'\n", TagKind::Link,
       [](const markdown::Event& e) { EXPECT_EQ(e.title, "a\nb\nc\r\nd"); }},
      {"reference link keeps its label", "[t][Ref  One]\n\n[ref one]: /r\n", TagKind::Link,
       [](const markdown::Event& e) {
         EXPECT_EQ(e.link_type, markdown::LinkType::Reference);
         EXPECT_EQ(e.dest_url, "/r");
         EXPECT_EQ(e.id, "Ref One");
       }},
      {"email autolink", "<me@x.org>\n", TagKind::Link,
       [](const markdown::Event& e) {
         EXPECT_EQ(e.link_type, markdown::LinkType::Email);
         EXPECT_EQ(e.dest_url, "me@x.org");
       }},
      {"image", "![alt](/i.png)\n", TagKind::Image, [](const markdown::Event& e) { EXPECT_EQ(e.dest_url, "/i.png"); }},
      {"table alignments", "|a|b|c|d|\n|-|:-|:-:|-:|\n", TagKind::Table,
       [](const markdown::Event& e) {
         using A = markdown::Alignment;
         EXPECT_EQ(std::vector<A>(e.alignments.begin(), e.alignments.end()),
                   (std::vector<A>{A::None, A::Left, A::Center, A::Right}));
       }},
      {"footnote label as written", "x[^AB]\n\n[^ab]: note\n", TagKind::FootnoteDefinition,
       [](const markdown::Event& e) { EXPECT_EQ(e.text, "ab"); }},
  };
  for (const auto& c : cases) {
    markdown::Parser parser(c.input, markdown::Options::all);
    SCOPED_TRACE(c.what);
    c.check(first_start(parser, c.tag));
  }
}

TEST(Payloads, LeafEventsCarryDecodedText) {
  markdown::Parser parser("- [X] `a  b` &copy;[^n]\n\n[^n]: x\n", markdown::Options::all);
  std::vector<markdown::Event> leaves;
  for (const auto& e : parser) {
    if (e.kind != EventKind::Start && e.kind != EventKind::End) leaves.push_back(e);
  }
  ASSERT_GE(leaves.size(), 5u);
  EXPECT_EQ(leaves[0].kind, EventKind::TaskListMarker);
  EXPECT_TRUE(leaves[0].checked);
  EXPECT_EQ(leaves[1].kind, EventKind::Code);
  EXPECT_EQ(leaves[1].text, "a  b");
  EXPECT_EQ(leaves[3].text, "\xc2\xa9");  // &copy;
  EXPECT_EQ(leaves[4].kind, EventKind::FootnoteReference);
  EXPECT_EQ(leaves[4].text, "n");
}

// A backtick run closes at the first later run of its length, past runs of other lengths; a run
// that none matches is text.
TEST(Payloads, CodeSpansCloseAtTheNextRunOfTheirLength) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"`a` `b`\n", R"(Code("a") 0-3|Text(" ") 3-4|Code("b") 4-7|)"},
      {"`a `` b`\n", R"(Code("a `` b") 0-8|)"},
      {"``a`b``\n", R"(Code("a`b") 0-7|)"},
      {"` a `` b\n", R"(Text("`") 0-1|Text(" a ") 1-4|Text("``") 4-6|Text(" b") 6-8|)"},
      {"` `` a ` b ``\n", R"(Code("`` a") 0-8|Text(" b ") 8-11|Text("``") 11-13|)"},
      {"`` a ` b `` c `\n", R"(Code("a ` b") 0-11|Text(" c ") 11-14|Text("`") 14-15|)"},
      {"``` a ` b `` c ```` d ```\n", R"(Code("a ` b `` c ```` d") 0-25|)"},
      {"`a` ``b ``` c` d``\n", R"(Code("a") 0-3|Text(" ") 3-4|Code("b ``` c` d") 4-18|)"},
      {"\\``a` b ``\n", R"(Text("`") 1-2|Code("a") 2-5|Text(" b ") 5-8|Text("``") 8-10|)"},
  };
  for (const auto& [input, expected] : cases) {
    markdown::Parser parser(input, markdown::Options::all);
    std::string leaves;
    for (const auto& e : parser) {
      if (e.kind == EventKind::Start || e.kind == EventKind::End) continue;
      leaves += markdown::event_text(e) + " " + std::to_string(e.start) + "-" + std::to_string(e.end) + "|";
    }
    EXPECT_EQ(leaves, expected) << input;
  }
}

// A label's length as counted toward its limit: white space one a byte, characters beyond ASCII
// their bytes, an escape two (a table cell's `\|` one), a line break its line ending and the
// container prefix after it, other ASCII nothing. Each document's label counts `n` (a footnote
// reference's 999 or 1002): links, images and footnotes found at 999 and at 1000.
TEST(Payloads, LabelsCountTowardTheirLengthLimit) {
  using Document = std::function<std::string(std::size_t n)>;
  const auto spaces = [](std::size_t n) { return std::string(n, ' '); };
  const auto times = [](std::size_t k, const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < k; ++i) out += s;
    return out;
  };
  const std::string ascii(3000, 'a');
  const std::string kelvin = "\xe2\x84\xaa";  // folds to `k`
  const std::vector<std::tuple<const char*, Document, int, int>> cases = {
      {"spaces in a definition", [&](auto n) { return "[a" + spaces(n) + "b]: /u\n\n[a b]\n"; }, 1, 0},
      {"spaces at the end", [&](auto n) { return "[a" + spaces(n) + "]: /u\n\n[a]\n"; }, 1, 0},
      {"tabs and form feeds", [&](auto n) { return "[a" + times(n / 2, "\t\f") + spaces(n % 2) + "b]: /u\n\n[a b]\n"; },
       1, 0},
      {"plain ASCII is free", [&](auto n) { return "[" + ascii + spaces(n) + "b]: /u\n\n[" + ascii + " b]\n"; }, 1, 0},
      {"a shortcut reference", [&](auto n) { return "[a b]: /u\n\n[a" + spaces(n) + "b]\n"; }, 1, 0},
      {"a full reference", [&](auto n) { return "[a b]: /u\n\n[x][a" + spaces(n) + "b]\n"; }, 1, 0},
      {"a collapsed reference", [&](auto n) { return "[a b]: /u\n\n[a" + spaces(n) + "b][]\n"; }, 1, 0},
      {"an image", [&](auto n) { return "[a b]: /u\n\n![a" + spaces(n) + "b]\n"; }, 1, 0},
      {"two-byte characters",
       [&](auto n) {
         return "[" + times(400, "\xc3\xa9") + spaces(n - 800) + "]: /u\n\n[" + times(400, "\xc3\xa9") + "]\n";
       },
       1, 0},
      {"a four-byte character last",
       [&](auto n) { return "[a" + spaces(n - 4) + "\xf0\x9f\x98\x80]: /u\n\n[a \xf0\x9f\x98\x80]\n"; }, 1, 0},
      {"escapes",
       [&](auto n) { return "[" + times(300, "\\*") + spaces(n - 600) + "]: /u\n\n[" + times(300, "\\*") + "]\n"; }, 1,
       0},
      {"backslashes that escape nothing",
       [&](auto n) { return "[" + times(600, "\\a") + spaces(n) + "]: /u\n\n[" + times(600, "\\a") + "]\n"; }, 1, 0},
      {"CRLF line breaks",
       [&](auto n) {
         return "[a" + times(300, "\r\nb") + spaces(n - 600) + "]: /u\r\n\r\n[a" + times(300, " b") + "]\r\n";
       },
       1, 0},
      {"line breaks in a block quote",
       [&](auto n) {
         return "> [a" + times(300, "\n> b") + spaces(n - 900) + "]: /u\n>\n> [a" + times(300, " b") + "]\n";
       },
       1, 0},
      {"line breaks in a list item",
       [&](auto n) {
         return "- [a" + times(300, "\n  b") + spaces(n - 900) + "]: /u\n\n  [a" + times(300, " b") + "]\n";
       },
       1, 0},
      {"a table cell's escaped pipe",
       [&](auto n) { return "[a| b]: /u\n\n| h |\n|---|\n| [a\\|" + spaces(n - 1) + "b] |\n"; }, 1, 0},
      {"a footnote reference",
       [&](auto n) {
         const std::size_t k = n == 999 ? 333 : 334;  // 999 and 1002
         return "[^" + times(k, kelvin) + "]\n\n[^" + std::string(k, 'k') + "]: note\n";
       },
       2, 1},
      {"spaces in a footnote definition", [&](auto n) { return "[^a" + spaces(n) + "b]: note\n\n[^a b]\n"; }, 2, 0},
      {"a footnote definition",
       [&](auto n) {
         const std::string label = n % 2 ? "\xe2\x82\xac" + times(498, "\xc3\xa9") : times(500, "\xc3\xa9");
         return "[^" + label + "]\n\n[^" + label + "]: note\n";
       },
       2, 0},
  };
  for (const auto& [what, document, found, found_past] : cases) {
    for (const std::size_t n : {std::size_t{999}, std::size_t{1000}}) {
      const std::string text = document(n);
      markdown::Parser parser(text, markdown::Options::all);
      int links = 0;
      for (const auto& e : parser) {
        const bool start = e.kind == EventKind::Start;
        links +=
            (start && (e.tag == TagKind::Link || e.tag == TagKind::Image || e.tag == TagKind::FootnoteDefinition)) ||
            e.kind == EventKind::FootnoteReference;
      }
      EXPECT_EQ(links, n == 999 ? found : found_past) << what << " at " << n;
    }
  }
  // A label of white space alone is none.
  markdown::Parser blank("[ \t ]: /u\n\n[ \t ]\n", markdown::Options::all);
  for (const auto& e : blank) EXPECT_NE(e.tag, TagKind::Link);
}

// Footnote labels, of definitions and references alike, are shown with runs of ASCII white space
// collapsed to one space and trimmed, escapes as written; they match case folded, other white
// space as it stands. A definition's label stays on one line and holds no bracket outside an
// escape; so does a reference's.
TEST(Payloads, FootnoteLabelsCollapseWhiteSpaceAndKeepEscapes) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"[^a  b]\n\n[^ a\t\v\fb ]: x\n", {"ref a b", "def a b"}},
      {"[^A B]\n\n[^a b]: x\n", {"ref A B", "def a b"}},
      {"[^a\\]b] [^a\\[b] [^\\\\]\n\n[^a\\]b]: x\n[^a\\[b]: y\n[^\\\\]: z\n",
       {"ref a\\]b", "ref a\\[b", "ref \\\\", "def a\\]b", "def a\\[b", "def \\\\"}},
      {"[^a\\ ]\n\n[^a\\ ]: x\n", {"ref a\\", "def a\\"}},
      {"[^a[b]\n\n[^a[b]: x\n", {}},
      {"[^a\nb]\n\n[^a\nb]: x\n\n[^a b]: y\n", {"def a b"}},
      {"> [^a\n> b]\n\n[^a b]: x\n", {"def a b"}},
      {"[^a\xc2\xa0"
       "b] [^a b]\n\n[^a\xc2\xa0"
       "b]: x\n",
       {"ref a\xc2\xa0"
        "b",
        "def a\xc2\xa0"
        "b"}},
      {"p\n[^a b]: x\n\n> [^c d]: y\n\n- [^e f]: z\n", {"def a b", "def c d", "def e f"}},
      {"| h |\n|---|\n| [^a\\|b] |\n\n[^a|b]: x\n", {"ref a|b", "def a|b"}},
      {"[^ \t ]: x\n\n[^]: y\n", {}},
  };
  for (const auto& [input, expected] : cases) {
    markdown::Parser parser(input, markdown::Options::all);
    std::vector<std::string> labels;
    for (const auto& e : parser) {
      if (e.kind == EventKind::Start && e.tag == TagKind::FootnoteDefinition)
        labels.push_back("def " + std::string(e.text));
      if (e.kind == EventKind::FootnoteReference) labels.push_back("ref " + std::string(e.text));
    }
    EXPECT_EQ(labels, expected) << input;
  }
}

TEST(Payloads, EndEventsRepeatTheStart) {
  markdown::Parser parser("1. a\n2. b\n", markdown::Options::all);
  std::vector<markdown::Event> lists;
  for (const auto& e : parser) {
    if (e.tag == TagKind::List && (e.kind == EventKind::Start || e.kind == EventKind::End)) lists.push_back(e);
  }
  ASSERT_EQ(lists.size(), 2u);
  EXPECT_TRUE(lists[1].ordered);
  EXPECT_EQ(lists[0].start, lists[1].start);
  EXPECT_EQ(lists[0].end, lists[1].end);
}

}  // namespace
