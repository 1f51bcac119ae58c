// The typed payloads a consumer reads from events (not their text form): heading levels, list
// numbers and kinds, code block kinds and info strings, link fields, alignments, labels, checks.
#include <gtest/gtest.h>

#include <functional>
#include <string>
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

// A label of up to 999 characters, an escape counting two and a line ending one, defines a
// link that a reference to it finds; a label of white space alone is none.
TEST(Payloads, LongLabelsMatchTheirDefinitions) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {std::string(999, 'a'), std::string(999, 'a')},
      {std::string(997, 'a') + "\\]", std::string(997, 'a') + "\\]"},
      {"a b\n" + std::string(995, 'c'), "a b " + std::string(995, 'c')},
      {std::string(500, 'a') + std::string(499, ' '), std::string(500, 'a')},
      {" \t ", ""},
  };
  for (const auto& [label, id] : cases) {
    markdown::Parser parser("[" + label + "]: /u\n\n[" + label + "]\n", markdown::Options::all);
    std::vector<std::string> ids;
    for (const auto& e : parser) {
      if (e.kind == EventKind::Start && e.tag == TagKind::Link) ids.emplace_back(e.id);
    }
    EXPECT_EQ(ids, id.empty() ? std::vector<std::string>{} : std::vector<std::string>{id}) << label.size();
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
