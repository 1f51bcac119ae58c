// The error-text budget of one parse: tag errors come out whole while it lasts
// and cut short once it is spent, so that the error text of any input stays
// linear in its size.
#include "parser/error_budget.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parser/parser.hpp"
#include "parser/text_origin.hpp"
#include "repeat.hpp"

namespace vyn::parser {
namespace {

using vyn::test_input::repeat;

constexpr std::size_t kCut = ErrorBudget::kCutBytes;

void collect_errors(const ast::NodeList& nodes, std::vector<const ast::ErrorNode*>& out) {
  for (const ast::Node& node : nodes) {
    if (node.kind == ast::NodeKind::Error) out.push_back(&node.as<ast::ErrorNode>());
    if (const ast::NodeList* children = node.children()) collect_errors(*children, out);
  }
}

std::vector<const ast::ErrorNode*> errors_of(const ast::Root& root) {
  std::vector<const ast::ErrorNode*> out;
  collect_errors(root.children, out);
  return out;
}

TEST(CutShort, StopsAtTheFirstLineFeedOrTheByteLimitOnACharacterBoundary) {
  const std::string a(kCut, 'a');
  const std::string e_acute = "\xc3\xa9";
  const std::string euro = "\xe2\x82\xac";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", ""},
      {"<A-", "<A-"},
      {"<A-\nrest", "<A-"},
      {"\nrest", ""},
      {a, a},
      {a + "b", a},
      {a.substr(2) + "\n" + a, a.substr(2)},
      {a.substr(1) + e_acute, a.substr(1)},  // the character would end past the limit
      {a.substr(2) + e_acute + "x", a.substr(2) + e_acute},
      {a.substr(2) + euro, a.substr(2)},
      {a.substr(3) + euro + "x", a.substr(3) + euro},
  };
  for (const auto& [text, cut] : cases) EXPECT_EQ(cut_short(text), cut) << text.size();
}

// An error over all of `text`, as the tag reader reports a bad name character.
TagError bad_name(std::string_view text) {
  return TagError{"Invalid attribute name character '", std::string_view("-"), "'", text, 0, text.size()};
}

TEST(ErrorBudget, ErrorsAreWholeUntilOneNoLongerFitsAndCutFromThenOn) {
  // Two errors over the same long text fit in the fixed budget only once.
  std::string text = "<A-\n" + std::string(ErrorBudget::kFixedBytes / 2 + 1, 'x') + "\xc3\xa9\n";
  SourceMap source_map(text);
  ErrorBudget budget(0);

  ast::Node whole = budget.error_node(bad_name(text), source_map);
  EXPECT_EQ(whole.as<ast::ErrorNode>().raw_content, text);
  EXPECT_EQ(whole.as<ast::ErrorNode>().position, source_map.position(0, text.size()));

  ast::Node cut = budget.error_node(bad_name(text), source_map);
  EXPECT_EQ(cut.as<ast::ErrorNode>().message, "Invalid attribute name character '-'");
  EXPECT_EQ(cut.as<ast::ErrorNode>().raw_content, "<A-");
  EXPECT_EQ(cut.as<ast::ErrorNode>().position, source_map.position(0, 3));

  // Spent stays spent: a short error is cut too, and so is an inserted value,
  // between the message's fixed words.
  std::string_view line = std::string_view(text).substr(4, 100);
  TagError value_error{"Invalid attribute value after '=' for '", line, "'", line, 4, 104};
  ast::Node later = budget.error_node(value_error, source_map);
  EXPECT_EQ(later.as<ast::ErrorNode>().message,
            "Invalid attribute value after '=' for '" + std::string(kCut, 'x') + "'");
  EXPECT_EQ(later.as<ast::ErrorNode>().raw_content, std::string(kCut, 'x'));
  EXPECT_EQ(later.as<ast::ErrorNode>().position, source_map.position(4, 4 + kCut));

  TagError written{"JSON attribute must be an object or array, got: ", std::string(2 * kCut, '1'), "", "{{1}}", 0, 5};
  EXPECT_EQ(budget.error_node(written, source_map).as<ast::ErrorNode>().message,
            "JSON attribute must be an object or array, got: " + std::string(kCut, '1'));
}

// A cut error in a text that lacks the container prefixes of its later lines
// ends at the source byte where its shortened raw content ends.
TEST(ErrorBudget, CutErrorsEndAtTheirSourceByte) {
  std::string dashes(100, '-');
  std::string text = "<B\rx" + dashes + "\ry";
  std::string source = "<B\r> x" + dashes + "\r> y";
  SourceMap source_map(source);
  LineAlignment lines(text, source, 0);
  ErrorBudget budget(0);
  std::string spend(ErrorBudget::kFixedBytes + 1, 'x');
  budget.error_node(bad_name(spend), source_map);

  TagError error{"Invalid attribute name character '", std::string_view("-"), "'", text, 0, source.size()};
  ast::Node cut = budget.error_node(error, TextOrigin(lines), source_map);
  EXPECT_EQ(cut.as<ast::ErrorNode>().raw_content, text.substr(0, kCut));
  EXPECT_EQ(cut.as<ast::ErrorNode>().position, source_map.position(0, kCut + 2));
}

// A document with a few broken tags, each taking the rest of its body or
// line: nothing is cut.
TEST(ErrorBudget, OrdinaryDocumentsKeepWholeErrors) {
  std::string section =
      "## Part\n\nSome *text* and a <Badge />.\n\n<div><Card-x></div>\n\n" + repeat("words ", 2000) + "\n\n";
  std::string document = "<Broken-\n" + repeat(section, 30) + "<Note x={oops}>\n" + section;
  ast::Root root = parse(document);
  auto errors = errors_of(root);
  ASSERT_EQ(errors.size(), 33u);
  EXPECT_EQ(errors[0]->raw_content, document);
  EXPECT_EQ(errors[31]->message, "Invalid primitive value: oops");
  EXPECT_EQ(errors[31]->raw_content, "x={oops}>\n" + section);
  for (const ast::ErrorNode* error : errors) {
    EXPECT_EQ(error->position.end.offset, error->position.start.offset + error->raw_content.size());
  }
  EXPECT_EQ(errors[1]->raw_content, "<Card-x></div>\n");
}

// Pathological inputs of about 1 MB: one broken tag per line, one long HTML
// line of broken tags, and messages whose value runs to a far delimiter.
TEST(ErrorBudget, PathologicalInputsStayWithinTheBound) {
  constexpr std::size_t kSize = 1 << 20;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"block-level lines", repeat("<A-\n", kSize / 4)},
      {"one HTML line", "<div>" + repeat("<A-", kSize / 3) + "\n"},
  };
  for (const auto& [name, input] : cases) {
    ast::Root root = parse(input);
    SourceMap source_map(input);
    std::size_t text = 0;
    std::size_t cut = 0;
    for (const ast::ErrorNode* error : errors_of(root)) {
      const std::string& raw = error->raw_content;
      text += error->message.size() + raw.size();
      std::uint64_t start = error->position.start.offset;
      // The position covers the raw content, cut or not.
      ASSERT_EQ(error->position, source_map.position(start, start + raw.size())) << name;
      ASSERT_EQ(std::string_view(input).substr(start, raw.size()), raw) << name;
      if (raw.size() <= kCut && raw.find('\n') == std::string::npos) ++cut;
    }
    EXPECT_LE(text, ErrorBudget::kFixedBytes + 96 * input.size()) << name;
    EXPECT_GT(cut, input.size() / 8) << name;
  }
}

}  // namespace
}  // namespace vyn::parser
