// Fuzz target: a document's text. The tree is checked as checks.hpp says,
// transformed as the module can ask, and compared with what the module's
// functions give through an embedded interpreter.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// The nodes query_all finds for a kind, in its order, and which of them lie in
// no other match: a nested match is compared as part of its outermost one, so
// that the comparison costs no more than the tree does.
struct Matches {
  std::vector<const ast::Node*> nodes;
  std::vector<std::size_t> outermost;  // indexes into nodes
};

void find_matches(const ast::NodeList& list, std::string_view kind, bool inside, Matches& matches) {
  for (const ast::Node& node : list) {
    const bool match = ast::kind_name(node.kind) == kind;
    if (match) {
      if (!inside) matches.outermost.push_back(matches.nodes.size());
      matches.nodes.push_back(&node);
    }
    if (transform::walk_enters(node.kind)) find_matches(*node.children(), kind, inside || match, matches);
  }
}

// query_all's list: as many nodes as the walk finds, the outermost ones equal
// to their written form.
void check_query(PyObject* tree, const ast::Root& root, std::string_view kind) {
  Matches matches;
  find_matches(root.children, kind, false, matches);
  std::vector<const ast::Node*> found;
  transform::collect_by_type(root.children, kind, found);
  if (found != matches.nodes) fuzz::fail("collect_by_type's nodes are not the walk's");

  fuzz::Ref kind_str = fuzz::python_str(kind);
  fuzz::Ref list = fuzz::call(module::query_all, "query_all", {tree, kind_str.get()});
  if (!PyList_Check(list.get()) || static_cast<std::size_t>(PyList_GET_SIZE(list.get())) != found.size())
    fuzz::fail("query_all's result is not a list of " + std::to_string(found.size()) + " nodes");
  for (std::size_t i : matches.outermost)
    fuzz::expect_same(fuzz::json_of(PyList_GET_ITEM(list.get(), static_cast<Py_ssize_t>(i))), ast::serialize(*found[i]),
                      "a node in query_all's list");
}

// The calls a Python program makes with the text, each compared with the
// same work done in C++.
void check_module(PyObject* input, std::string_view kind, std::string_view repo, const ast::Root& root,
                  const ast::Json& written, const ast::Json& transformed_written) {
  fuzz::Ref tree = fuzz::call(module::parse, "parse", {input});
  fuzz::expect_same(fuzz::json_of(tree.get()), written, "parse's dict");

  check_query(tree.get(), root, kind);

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
