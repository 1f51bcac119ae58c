// Fuzz target: a document's text. The tree is checked as checks.hpp says,
// transformed as the module can ask, and compared with what the module's
// functions give through an embedded interpreter.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "ast/json_sink.hpp"
#include "ast/write.hpp"
#include "checks.hpp"
#include "github/references.hpp"
#include "module/functions.hpp"
#include "parser/parser.hpp"
#include "python_calls.hpp"
#include "transform/slug.hpp"
#include "transform/toc.hpp"
#include "transform/walk.hpp"

namespace {

using namespace vyn;

// The module's transforms, all three, on a copy of `root`; written and read back.
ast::Json check_transformed(ast::Root root, std::string_view text, std::string_view repo) {
  github::GithubReferences(repo).transform(root, text);
  transform::AutoSlug().transform(root, text);
  transform::TableOfContents().transform(root, text);
  ast::Json written = fuzz::check_written(root);
  fuzz::check_reads_back(written);
  return written;
}

// What query_all gives for `kind`, written in C++.
ast::Json nodes_of_kind(const ast::Root& root, std::string_view kind) {
  std::vector<const ast::Node*> found;
  transform::collect_by_type(root.children, kind, found);
  ast::JsonSink sink;
  sink.begin_array(found.size());
  for (const ast::Node* node : found) ast::write_node(*node, sink);
  sink.end_array();
  return sink.take();
}

// The calls a Python program makes with the text, each compared with the
// same work done in C++.
void check_module(PyObject* input, std::string_view kind, std::string_view repo, const ast::Root& root,
                  const ast::Json& written, const ast::Json& transformed_written) {
  fuzz::Ref tree = fuzz::call(module::parse, "parse", {input});
  fuzz::expect_same(fuzz::json_of(tree.get()), written, "parse's dict");

  fuzz::Ref kind_str = fuzz::python_str(kind);
  fuzz::Ref found = fuzz::call(module::query_all, "query_all", {tree.get(), kind_str.get()});
  fuzz::expect_same(fuzz::json_of(found.get()), nodes_of_kind(root, kind), "query_all's list");

  fuzz::Ref names = fuzz::python_str_list({"github", "auto-slug", "toc"});
  fuzz::Ref repo_str = repo.empty() ? fuzz::Ref(Py_NewRef(Py_None)) : fuzz::python_str(repo);
  fuzz::Ref transformed =
      fuzz::call(module::parse_with_transforms, "parse_with_transforms", {input, names.get(), repo_str.get()});
  fuzz::expect_same(fuzz::json_of(transformed.get()), transformed_written, "parse_with_transforms's dict");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::start_python();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  fuzz::Ref input = fuzz::python_str(text);
  if (!input) return -1;  // no str holds it, so no caller can pass it

  const ast::Root root = parser::parse(text);
  fuzz::check_positions(root, text);
  const ast::Json written = fuzz::check_written(root);
  fuzz::check_reads_back(written);
  const std::string_view kind = fuzz::kind_for(size);
  fuzz::check_queries(root, kind, fuzz::example_schema());

  // The repository from the frontmatter (none if it names none) or a given one, by the same token as the kind.
  const std::string_view repo = size % 2 ? "octo/repo" : "";
  check_module(input.get(), kind, repo, root, written, check_transformed(root, text, repo));
  return 0;
}
