// Fuzz target: a JSON text read as a tree's dictionary form, the way trees
// come back to validate, collect_text and query_all. A tree that reads is
// checked as checks.hpp says; one that does not must say why. A "schema" key
// beside the tree (readers ignore unknown keys) is read as the schema to
// validate it against.
#include <cstddef>
#include <cstdint>

#include "ast/read.hpp"
#include "checks.hpp"
#include "schema/read.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vyn;
  const ast::Json value = ast::Json::parse(data, data + size, nullptr, /*allow_exceptions=*/false);
  if (value.is_discarded()) return -1;

  schema::Schema schema = fuzz::example_schema();
  if (value.is_object() && value.contains("schema")) {
    auto read = schema::read_schema(value["schema"]);
    if (read)
      schema = std::move(read).value();
    else if (read.error().message.empty())
      fuzz::fail("a schema that does not read gives no reason");
  }

  auto root = ast::read_root(value);
  if (!root) {
    if (root.error().message.empty()) fuzz::fail("a tree that does not read gives no reason");
    return 0;
  }
  fuzz::check_reads_back(fuzz::check_written(root.value()));
  fuzz::check_queries(root.value(), fuzz::kind_for(size), schema);
  return 0;
}
