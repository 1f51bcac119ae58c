// What the fuzz targets require of every tree, whatever the input: it is
// written correctly to both sinks, reads back to itself, and survives the
// transforms, walks and validation the module offers. A broken requirement
// aborts with its reason, which libFuzzer records as a crash.
#pragma once

#include <string>
#include <string_view>

#include "ast/json.hpp"
#include "ast/node.hpp"
#include "schema/schema.hpp"

namespace vyn::fuzz {

[[noreturn]] void fail(const std::string& reason);

// Two dictionary forms are the same when their JSON texts are: NaN has no
// JSON equality, and the texts also hold every string to valid UTF-8.
void expect_same(const ast::Json& actual, const ast::Json& expected, std::string_view what);

// The tree's dictionary form, written through a checking sink as well.
ast::Json check_written(const ast::Root& root);

// Reading a written tree succeeds and writing it again gives the same value.
void check_reads_back(const ast::Json& written);

// The text walk, a query of one kind and validation against `schema`, whose
// findings are written through a checking sink.
void check_queries(const ast::Root& root, std::string_view kind, const schema::Schema& schema);

// A kind name to query an input for; taking it from the input's size varies
// it without spending input bytes on it.
constexpr std::string_view kind_for(std::size_t size) { return ast::kNodeKindNames[size % ast::kNodeKindNames.size()]; }

// A schema naming the components of the examples, with every prop type,
// required props, allowed children and global props; and its dictionary form.
schema::Schema example_schema();
ast::Json example_schema_json();

// Every position of a parsed tree lies in `text` with its line and column,
// and starts before it ends. A child may reach out of its parent: Markdown
// containers keep the reference parser's ranges, which do that at times.
void check_positions(const ast::Root& root, std::string_view text);

}  // namespace vyn::fuzz
