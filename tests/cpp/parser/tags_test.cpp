// Reading component tags: names, the open / self-closing / closing forms, and
// the errors of malformed tags with the text and span each one covers.
#include "parser/tags.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace vyn::parser {
namespace {

using ast::Json;

// The tag is read from a text that starts at absolute offset 4 of the input,
// so that relative and absolute offsets differ.
constexpr std::string_view kPrefix = "ab\n\n";

struct Read {
  std::string input;
  SourceMap source_map;
  OpenTagResult result;

  explicit Read(std::string_view tag_text)
      : input(std::string(kPrefix) + std::string(tag_text)),
        source_map(input),
        result(try_parse_open_tag(std::string_view(input).substr(kPrefix.size()), 0, kPrefix.size(), source_map)) {}
};

TEST(OpenTag, ReadsNameFlagAndEnd) {
  struct Case {
    std::string text;
    std::string name;
    bool self_closing;
    std::size_t next;
  };
  const std::vector<Case> cases = {
      {"<Note>", "Note", false, 6},        {"<Note/>", "Note", true, 7},
      {"<Note />", "Note", true, 8},       {"<Note>rest of line", "Note", false, 6},
      {"<A_1b>", "A_1b", false, 6},        {"<Note\n\t\f\r >", "Note", false, 11},  // tags may span lines
      {"<Note></Note>", "Note", false, 6},
  };
  for (const auto& c : cases) {
    Read read(c.text);
    const auto* open = std::get_if<OpenTag>(&read.result);
    ASSERT_NE(open, nullptr) << c.text;
    EXPECT_EQ(open->tag.name, c.name) << c.text;
    EXPECT_EQ(open->tag.self_closing, c.self_closing) << c.text;
    EXPECT_TRUE(open->tag.attributes.empty()) << c.text;
    EXPECT_EQ(open->next, c.next) << c.text;
    EXPECT_EQ(open->tag.start, 4u) << c.text;
    EXPECT_EQ(open->tag.end, 4 + c.next) << c.text;
  }
}

TEST(OpenTag, NothingWithoutAnUppercaseLetterAfterTheBracket) {
  for (std::string_view text : {"<note>", "<1x>", "<_A>", "< A>", "<", "<>", "x<A>", "</A>"}) {
    Read read(text);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(read.result)) << text;
  }
  SourceMap source_map("<A>");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(try_parse_open_tag("<A>", 3, 0, source_map)));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(try_parse_open_tag("<A>", 99, 0, source_map)));
}

TEST(OpenTag, ReadsAtAnOffsetInsideTheText) {
  std::string input = "see <Badge /> here";
  SourceMap source_map(input);
  auto result = try_parse_open_tag(input, 4, 0, source_map);
  const auto* open = std::get_if<OpenTag>(&result);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->tag.name, "Badge");
  EXPECT_EQ(open->tag.start, 4u);
  EXPECT_EQ(open->tag.end, 13u);
  EXPECT_EQ(open->next, 13u);
}

// Each error: its message, the text it covers and its absolute span. Several
// run to the end of the text given.
TEST(OpenTag, ErrorsCoverTheirOwnStretch) {
  struct Case {
    std::string text;
    std::string message;
    std::string raw;
    std::uint64_t start;  // relative; the span is checked as absolute
  };
  const std::vector<Case> cases = {
      {"<A", "Unexpected end of input in tag", "<A", 0},
      {"<A x='1' ", "Unexpected end of input in tag", "<A x='1' ", 0},
      {"<A x=", "Unexpected end of input after '='", "<A x=", 0},
      {"<A x = '1'>\nmore", "Invalid attribute name character '='", "<A x = '1'>\nmore", 0},
      {"<My-Comp>\nnext", "Invalid attribute name character '-'", "<My-Comp>\nnext", 0},
      {"<A / >", "Invalid attribute name character '/'", "<A / >", 0},
      {"<A /", "Invalid attribute name character '/'", "<A /", 0},
      {"<A 1x>", "Invalid attribute name character '1'", "<A 1x>", 0},
      {"<A \xc3\xa9>", "Invalid attribute name character '\xc3\x83'", "<A \xc3\xa9>", 0},
      {"<A x=>\nnext", "Invalid attribute value after '=' for 'x'", "x=>\nnext", 3},
      {"<A data-x=1>", "Invalid attribute value after '=' for 'data-x'", "data-x=1>", 3},
      {"<A x='abc>\nnext", "Unclosed string attribute", "x='abc>\nnext", 3},
      {"<A x=\"a\\\">", "Unclosed string attribute", "x=\"a\\\">", 3},
      {"<A x={1>\n", "Unclosed primitive attribute", "x={1>\n", 3},
      {"<A x={abc}>\nnext", "Invalid primitive value: abc", "x={abc}>\nnext", 3},
      {"<A x={inf}>", "Non-finite float value: inf", "x={inf}>", 3},
      {"<A x={}>", "Invalid primitive value: ", "x={}>", 3},
      {"<A x={x}>", "Invalid primitive value: x", "x={x}>", 3},
      {"<A y x={$a.b>\nnext", "Unclosed variable attribute", "{$a.b>\nnext", 7},
      {"<A v={$user..name}>\nnext", "Invalid variable path: user..name", "{$user..name}", 5},
      {"<A v={$ a}>", "Invalid variable path:  a", "{$ a}", 5},
      {"<A x={{[1]}>\nnext", "Unclosed JSON attribute '{{...}}'", "{{[1]}>\nnext", 5},
      {"<A x={{42}}>\nnext", "JSON attribute must be an object or array, got: 42", "{{42}}", 5},
      {"<A x={{ nope }}>", "Malformed JSON in attribute: nope", "{{ nope }}", 5},
      // Everything read before the error is dropped with the tag.
      {"<A a='1' b={2} c=>", "Invalid attribute value after '=' for 'c'", "c=>", 15},
  };
  for (const auto& c : cases) {
    Read read(c.text);
    const auto* error = std::get_if<TagError>(&read.result);
    ASSERT_NE(error, nullptr) << c.text;
    EXPECT_EQ(error->message(), c.message) << c.text;
    EXPECT_EQ(error->raw, c.raw) << c.text;
    EXPECT_EQ(error->start, 4 + c.start) << c.text;
    EXPECT_EQ(error->end, 4 + c.start + c.raw.size()) << c.text;
  }
}

// Reading for success only may give up early, but never on a tag that reads
// well, and never takes a malformed one for a tag.
TEST(OpenTag, ReadingForSuccessOnlyAgreesOnSuccess) {
  const std::vector<std::string_view> pieces = {"<A", " ",   "\n", "x", "=", "'", "\"", "{",  "}",  "{{",   "}}",
                                                "{$", "a.b", "[",  "]", "1", "<", ">",  "/>", "\\", "true", ":"};
  std::mt19937 random(3);
  int successes = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text = "<A ";
    std::size_t count = random() % 16;
    for (std::size_t i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
    SourceMap source_map(text);
    auto exact = try_parse_open_tag(text, 0, 0, source_map);
    auto quick = try_parse_open_tag(text, 0, 0, source_map, TagReading::SuccessOnly);
    ASSERT_EQ(std::holds_alternative<OpenTag>(quick), std::holds_alternative<OpenTag>(exact)) << text;
    if (auto* tag = std::get_if<OpenTag>(&exact)) {
      ++successes;
      EXPECT_EQ(std::get<OpenTag>(quick).tag, tag->tag) << text;
      EXPECT_EQ(std::get<OpenTag>(quick).next, tag->next) << text;
    }
  }
  EXPECT_GT(successes, 1000);
}

TEST(CloseTag, NameThenOptionalWhiteSpaceThenBracket) {
  struct Case {
    std::string text;
    std::size_t at;
    std::optional<std::string> name;
    std::size_t next;
  };
  const std::vector<Case> cases = {
      {"</Note>", 0, "Note", 7},         {"</Note  \n >", 0, "Note", 11},  {"x </B_2> y", 2, "B_2", 8},
      {"</Note x>", 0, std::nullopt, 0}, {"</Note/>", 0, std::nullopt, 0}, {"</Note", 0, std::nullopt, 0},
      {"</Note ", 0, std::nullopt, 0},   {"</note>", 0, std::nullopt, 0},  {"</>", 0, std::nullopt, 0},
      {"</", 0, std::nullopt, 0},        {"<Note>", 0, std::nullopt, 0},
  };
  for (const auto& c : cases) {
    auto close = try_parse_close_tag(c.text, c.at);
    ASSERT_EQ(close.has_value(), c.name.has_value()) << c.text;
    if (!close) continue;
    EXPECT_EQ(close->name, *c.name) << c.text;
    EXPECT_EQ(close->next, c.next) << c.text;
  }
}

}  // namespace
}  // namespace vyn::parser
