#include "checks.hpp"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ast/json_sink.hpp"
#include "ast/read.hpp"
#include "ast/write.hpp"
#include "checking_sink.hpp"
#include "schema/read.hpp"
#include "schema/validate.hpp"
#include "transform/walk.hpp"

namespace vyn::fuzz {

void fail(const std::string& reason) {
  std::fprintf(stderr, "fuzz check failed: %s\n", reason.c_str());
  std::abort();
}

namespace {

std::string json_text(const ast::Json& value, std::string_view what) {
  try {
    return value.dump();
  } catch (const ast::Json::type_error& error) {  // a string that is not UTF-8
    fail(std::string(what) + ": " + error.what());
  }
}

}  // namespace

void expect_same(const ast::Json& actual, const ast::Json& expected, std::string_view what) {
  if (actual == expected) return;
  const std::string actual_text = json_text(actual, what);
  const std::string expected_text = json_text(expected, what);
  if (actual_text == expected_text) return;  // equal but for NaN, which equals nothing
  std::size_t at = 0;
  while (at < actual_text.size() && at < expected_text.size() && actual_text[at] == expected_text[at]) ++at;
  const std::size_t from = at < 200 ? 0 : at - 200;
  fail(std::string(what) + " differs at byte " + std::to_string(at) + ":\n  got      " + actual_text.substr(from, 400) +
       "\n  expected " + expected_text.substr(from, 400));
}

ast::Json check_written(const ast::Root& root) {
  CheckingSink checking;
  ast::write_root(root, checking);
  checking.finish();
  ast::JsonSink json;
  ast::write_root(root, json);
  return json.take();
}

void check_reads_back(const ast::Json& written) {
  auto read = ast::read_root(written);
  if (!read) fail("a written tree does not read back: " + read.error().message);
  expect_same(ast::serialize(read.value()), written, "the tree read back");
}

void check_queries(const ast::Root& root, std::string_view kind, const schema::Schema& schema) {
  transform::collect_text(root.children);
  std::vector<const ast::Node*> found;
  transform::collect_by_type(root.children, kind, found);
  CheckingSink diagnostics;
  schema::write_diagnostics(schema::validate(root, schema), diagnostics);
  diagnostics.finish();
}

ast::Json example_schema_json() {
  static constexpr std::string_view kSchema = R"({
    "strict": true,
    "components": {
      "Tabs": {"props": {"active": {"type": "number"}}, "allowed_children": ["Tab"]},
      "Tab": {"props": {"title": {"type": "string", "required": true}}},
      "Callout": {"props": {"type": {"type": "enum", "values": ["note", "warning"]},
                            "open": {"type": "boolean", "default": false}}},
      "Card": {"props": {"title": {"type": "string"}, "tags": {"type": "array"}, "meta": {"type": "object"}}},
      "Figure": {"props": {"src": {"type": "string", "required": true}, "width": {"type": "number"}},
                 "allowed_children": ["Caption", "Image"]},
      "Caption": {"props": {}},
      "Badge": {"props": {"text": {"type": "variable"}, "x": {"type": "any"}}, "self_closing": true}
    },
    "global_props": [["id", {"type": "string"}], ["class", {"type": "string"}], ["id", {"type": "number"}]]
  })";
  return ast::Json::parse(kSchema);
}

schema::Schema example_schema() {
  auto schema = schema::read_schema(example_schema_json());
  if (!schema) fail("the example schema does not read: " + schema.error().message);
  return std::move(schema).value();
}

}  // namespace vyn::fuzz
