// The attribute grammar: every value form with its escapes and edge values,
// attribute positions, and the variable-path rule.
#include "parser/attributes.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "parser/tags.hpp"

namespace vyn::parser {
namespace {

using ast::Json;

struct Tag {
  std::string input;
  SourceMap source_map;
  OpenTagResult result;

  explicit Tag(std::string text)
      : input(std::move(text)), source_map(input), result(try_parse_open_tag(input, 0, 0, source_map)) {}

  const std::vector<ast::AttributeNode>& attributes() const { return std::get<OpenTag>(result).tag.attributes; }
  std::string error() const {
    const auto* error = std::get_if<TagError>(&result);
    return error ? error->message() : "";
  }
};

// The single value of `<A x=VALUE>`.
Json value_of(const std::string& value) {
  Tag tag("<A x=" + value + ">");
  EXPECT_TRUE(std::holds_alternative<OpenTag>(tag.result)) << value << ": " << tag.error();
  if (!std::holds_alternative<OpenTag>(tag.result)) return Json();
  return std::get<Json>(tag.attributes().at(0).value);
}

std::string error_of(const std::string& value) { return Tag("<A x=" + value + ">").error(); }

TEST(AttributeValues, QuotedStringsKeepEveryBackslashButTwoEscapes) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"'Sales'", "Sales"},
      {"\"Sales\"", "Sales"},
      {"''", ""},
      {"'it\\'s'", "it's"},
      {"\"say \\\"hi\\\"\"", "say \"hi\""},
      {"'a\\\\b'", "a\\b"},
      {"'a\\nb'", "a\\nb"},
      {"'a\\\"b'", "a\\\"b"},  // the other quote is no escape
      {"\"a\\'b\"", "a\\'b"},
      {"'a\\\\\\'b'", "a\\'b"},  // an escaped backslash, then an escaped quote
      {"'a\"b'", "a\"b"},
      {"'two\nlines'", "two\nlines"},
      {"'caf\xc3\xa9 >'", "caf\xc3\xa9 >"},
  };
  for (const auto& [written, value] : cases) EXPECT_EQ(value_of(written), Json(value)) << written;
}

TEST(AttributeValues, PrimitivesAreLiteralsIntegersAndFiniteFloats) {
  const std::vector<std::pair<std::string, Json>> cases = {
      {"{true}", Json(true)},
      {"{false}", Json(false)},
      {"{null}", Json(nullptr)},
      {"{ 7 }", Json(7u)},
      {"{\n42\t}", Json(42u)},
      {"{\xe2\x80\x83"
       "5\xc2\xa0}",
       Json(5u)},  // trimmed by Unicode white space
      {"{+5}", Json(5u)},
      {"{007}", Json(7u)},
      {"{-0}", Json(0u)},
      {"{-3}", Json(-3)},
      {"{9223372036854775807}", Json(9223372036854775807u)},
      {"{-9223372036854775808}", Json(INT64_MIN)},
      {"{9223372036854775808}", Json(9223372036854775808.0)},
      {"{1.5}", Json(1.5)},
      {"{.5}", Json(0.5)},
      {"{5.}", Json(5.0)},
      {"{1e3}", Json(1000.0)},
      {"{+2.5E-2}", Json(0.025)},
      {"{-1.e2}", Json(-100.0)},
      {"{1e-999}", Json(0.0)},
  };
  for (const auto& [written, value] : cases) {
    Json read = value_of(written);
    EXPECT_EQ(read, value) << written;
    EXPECT_EQ(read.type(), value.type()) << written;  // unsigned, signed and float stay apart
  }
  EXPECT_TRUE(std::signbit(value_of("{-1e-999}").get<double>()));
}

TEST(AttributeValues, PrimitiveErrorsNameTheTrimmedText) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"{True}", "Invalid primitive value: True"},
      {"{ abc }", "Invalid primitive value: abc"},
      {"{0x10}", "Invalid primitive value: 0x10"},
      {"{1_000}", "Invalid primitive value: 1_000"},
      {"{+}", "Invalid primitive value: +"},
      {"{-}", "Invalid primitive value: -"},
      {"{+-5}", "Invalid primitive value: +-5"},
      {"{.}", "Invalid primitive value: ."},
      {"{1e}", "Invalid primitive value: 1e"},
      {"{e5}", "Invalid primitive value: e5"},
      {"{1 2}", "Invalid primitive value: 1 2"},
      {"{nan(1)}", "Invalid primitive value: nan(1)"},
      {"{infinit}", "Invalid primitive value: infinit"},
      {"{inf}", "Non-finite float value: inf"},
      {"{-INF}", "Non-finite float value: -INF"},
      {"{+Infinity}", "Non-finite float value: +Infinity"},
      {"{NaN}", "Non-finite float value: NaN"},
      {"{1e999}", "Non-finite float value: 1e999"},
      {"{-0.5e400}", "Non-finite float value: -0.5e400"},
      {"{ 1e309 }", "Non-finite float value: 1e309"},
  };
  for (const auto& [written, message] : cases) EXPECT_EQ(error_of(written), message) << written;
}

TEST(AttributeValues, JsonArraysAndObjectsWithASecondReadingInBraces) {
  const std::vector<std::pair<std::string, Json>> cases = {
      {"{{[1,2,3]}}", Json{1, 2, 3}},
      {"{{ [\"a\", -1, 2.5, null] }}", Json{"a", -1, 2.5, nullptr}},
      {"{{{\"b\": {\"c\": []}}}}", Json{{"b", {{"c", Json::array()}}}}},
      {"{{\"key\": \"value\"}}", Json{{"key", "value"}}},
      {"{{\"a\": 1, \"b\": [2]}}", Json{{"a", 1}, {"b", {2}}}},
      {"{{}}", Json::object()},
      {"{{ \n }}", Json::object()},
      {"{{[\"}}\"]}}", Json{"}}"}},        // "}}" inside a string does not end the value
      {"{{[\"\\\"}}\"]}}", Json{"\"}}"}},  // nor after an escaped quote
      {"{{[1] }}", Json{1}},
      {"{{\n[\n1\n]\n}}", Json{1}},
      {"{{{\"a\":1}}}", Json{{"a", 1}}},
      {"{{\"a\": 1, \"a\": 2}}", Json{{"a", 2}}},
  };
  for (const auto& [written, value] : cases) EXPECT_EQ(value_of(written), value) << written;
  EXPECT_TRUE(value_of("{{[0, -0]}}")[0].is_number_unsigned());
  EXPECT_TRUE(std::signbit(value_of("{{[0, -0]}}")[1].get<double>()));
}

TEST(AttributeValues, JsonScalarsAndMalformedTextAreErrors) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"{{42}}", "JSON attribute must be an object or array, got: 42"},
      {"{{-7}}", "JSON attribute must be an object or array, got: -7"},
      {"{{-0}}", "JSON attribute must be an object or array, got: -0.0"},
      {"{{1.0}}", "JSON attribute must be an object or array, got: 1.0"},
      {"{{1e20}}", "JSON attribute must be an object or array, got: 1e20"},
      {"{{1.5e-7}}", "JSON attribute must be an object or array, got: 1.5e-7"},
      {"{{0.00012}}", "JSON attribute must be an object or array, got: 0.00012"},
      {"{{1e15}}", "JSON attribute must be an object or array, got: 1000000000000000.0"},
      {"{{\"x\"}}", "JSON attribute must be an object or array, got: \"x\""},
      {"{{\"a\\u0001\\n\\\"\\\\/\"}}", "JSON attribute must be an object or array, got: \"a\\u0001\\n\\\"\\\\/\""},
      {"{{true}}", "JSON attribute must be an object or array, got: true"},
      {"{{null}}", "JSON attribute must be an object or array, got: null"},
      {"{{[1,]}}", "Malformed JSON in attribute: [1,]"},
      {"{{'a'}}", "Malformed JSON in attribute: 'a'"},
      {"{{a: 1}}", "Malformed JSON in attribute: a: 1"},
      {"{{[1e400]}}", "Malformed JSON in attribute: [1e400]"},
      {"{{[\"\\ud800\"]}}", "Malformed JSON in attribute: [\"\\ud800\"]"},
  };
  for (const auto& [written, message] : cases) EXPECT_EQ(error_of(written), message) << written;
}

TEST(AttributeValues, JsonNestingIsBounded) {
  auto nested = [](int depth) { return std::string(depth, '[') + std::string(depth, ']'); };
  EXPECT_EQ(value_of("{{" + nested(127) + "}}").size(), 1u);
  EXPECT_EQ(error_of("{{" + nested(128) + "}}"), "Malformed JSON in attribute: " + nested(128));
  // The second reading adds the braces' own level.
  std::string members = "\"a\": " + nested(126);
  EXPECT_TRUE(value_of("{{" + members + "}}").is_object());
  members = "\"a\": " + nested(127);
  EXPECT_EQ(error_of("{{" + members + "}}"), "Malformed JSON in attribute: " + members);
}

TEST(AttributeValues, VariableReferencesArePositionedOverTheirBraces) {
  Tag tag("<A\n  v={$user.name}>");
  const auto& attribute = tag.attributes().at(0);
  const auto& variable = std::get<ast::VariableNode>(attribute.value);
  EXPECT_EQ(variable.path, "user.name");
  EXPECT_EQ(variable.position, tag.source_map.position(7, 19));
  EXPECT_EQ(attribute.position, tag.source_map.position(5, 19));
  EXPECT_EQ(attribute.position.start.line, 2u);
  EXPECT_EQ(attribute.position.start.column, 3u);
}

TEST(Attributes, NamesPositionsAndOrder) {
  Tag tag("<Chart data={{[1,2,3]}} title='Sales'\n  data-x_y='2' _z compact flag=\"a\nb\" x='1'x='2' />");
  ASSERT_TRUE(std::holds_alternative<OpenTag>(tag.result)) << tag.error();
  const auto& attributes = tag.attributes();
  struct Expected {
    std::string name;
    Json value;
    std::uint64_t start, end;
  };
  const std::vector<Expected> expected = {
      {"data", Json{1, 2, 3}, 7, 23}, {"title", Json("Sales"), 24, 37}, {"data-x_y", Json("2"), 40, 52},
      {"_z", Json(true), 53, 55},     {"compact", Json(true), 56, 63},  {"flag", Json("a\nb"), 64, 74},
      {"x", Json("1"), 75, 80},       {"x", Json("2"), 80, 85},
  };
  ASSERT_EQ(attributes.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(attributes[i].name, expected[i].name);
    EXPECT_EQ(std::get<Json>(attributes[i].value), expected[i].value) << expected[i].name;
    EXPECT_EQ(attributes[i].position, tag.source_map.position(expected[i].start, expected[i].end)) << expected[i].name;
  }
  EXPECT_TRUE(std::get<OpenTag>(tag.result).tag.self_closing);
}

TEST(Attributes, BareNameAtTheEndOfTheText) {
  EXPECT_EQ(Tag("<A x").error(), "Unexpected end of input in tag");
  EXPECT_EQ(Tag("<A x/>").attributes().at(0).name, "x");
}

TEST(VariablePath, DottedIdentifiers) {
  for (std::string_view path : {"user.name", "_x", "a1.b_2", "A", "a.b.c.d"}) {
    EXPECT_TRUE(is_valid_variable_path(path)) << path;
  }
  for (std::string_view path : {"", "a.", ".a", "a..b", "1a", "a-b", " a", "a b", "a.1", "\xc3\xa9"}) {
    EXPECT_FALSE(is_valid_variable_path(path)) << path;
  }
}

}  // namespace
}  // namespace vyn::parser
