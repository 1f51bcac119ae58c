#include "module/functions.hpp"

#include "ast/read.hpp"
#include "ast/write.hpp"
#include "ast/writer.hpp"
#include "github/references.hpp"
#include "module/arguments.hpp"
#include "module/errors.hpp"
#include "module/python_json.hpp"
#include "module/python_sink.hpp"
#include "parser/parser.hpp"
#include "schema/read.hpp"
#include "schema/validate.hpp"
#include "transform/pipeline.hpp"
#include "transform/slug.hpp"
#include "transform/toc.hpp"
#include "transform/walk.hpp"

namespace vyn::module {

namespace {

constexpr Signature kParse{"parse", {"input"}, 1, 1};
constexpr Signature kParseWithDefaults{"parse_with_defaults", {"input"}, 1, 1};
constexpr Signature kParseWithTransforms{"parse_with_transforms", {"input", "transforms", "repo"}, 3, 2};
constexpr Signature kValidate{"validate", {"ast", "schema"}, 2, 2};
constexpr Signature kCollectText{"collect_text", {"ast"}, 1, 1};
constexpr Signature kQueryAll{"query_all", {"ast", "node_type"}, 2, 2};

PyObject* to_python(const ast::Root& root) {
  PythonSink sink;
  ast::Writer<PythonSink>(sink).record(root);
  return sink.take();
}

// The tree of `input` after the pipeline's transforms.
PyObject* parse_and_apply(const transform::Pipeline& pipeline, std::string_view input) {
  ast::Root root = parser::parse(input);
  pipeline.apply(root, input);
  return to_python(root);
}

// The pipeline of the transform names, in their order; nothing with a
// ValueError set for a name that is not one of the three.
std::optional<transform::Pipeline> build_pipeline(const std::vector<std::string>& names,
                                                  const std::optional<std::string>& repo) {
  transform::Pipeline pipeline;
  for (const auto& name : names) {
    if (name == "auto-slug") {
      pipeline = std::move(pipeline).add(transform::AutoSlug());
    } else if (name == "toc") {
      pipeline = std::move(pipeline).add(transform::TableOfContents());
    } else if (name == "github") {
      pipeline = std::move(pipeline).add(github::GithubReferences(repo.value_or("")));
    } else {
      raise_value_error("unknown transform: \"" + name + "\"");
      return std::nullopt;
    }
  }
  return pipeline;
}

// The value read, or nothing with a ValueError carrying the reading's error.
template <class T>
std::optional<T> read_or_raise(ast::ReadResult<T> result) {
  if (result) return std::move(result).value();
  raise_value_error(result.error().message);
  return std::nullopt;
}

// A tree argument: converted to a JSON value, then read.
std::optional<ast::Root> read_tree(PyObject* object) {
  auto value = to_json(object);
  if (!value) return std::nullopt;
  return read_or_raise(ast::read_root(*value));
}

}  // namespace

PyObject* parse(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    auto bound = bind_arguments(kParse, args, nargs, kwnames);
    if (!bound) return nullptr;
    auto input = str_argument((*bound)[0], "input");
    if (!input) return nullptr;
    return to_python(parser::parse(*input));
  });
}

PyObject* parse_with_defaults(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    auto bound = bind_arguments(kParseWithDefaults, args, nargs, kwnames);
    if (!bound) return nullptr;
    auto input = str_argument((*bound)[0], "input");
    if (!input) return nullptr;
    return parse_and_apply(transform::default_pipeline(), *input);
  });
}

PyObject* parse_with_transforms(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    auto bound = bind_arguments(kParseWithTransforms, args, nargs, kwnames);
    if (!bound) return nullptr;
    auto input = str_argument((*bound)[0], "input");
    if (!input) return nullptr;
    auto transforms = str_list_argument((*bound)[1], "transforms");
    if (!transforms) return nullptr;
    auto repo = optional_str_argument((*bound)[2], "repo");
    if (!repo) return nullptr;
    auto pipeline = build_pipeline(*transforms, *repo);
    if (!pipeline) return nullptr;
    return parse_and_apply(*pipeline, *input);
  });
}

PyObject* validate(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    auto bound = bind_arguments(kValidate, args, nargs, kwnames);
    if (!bound) return nullptr;
    // Both conversions come before both readings, so the first problem in
    // that order is the one reported.
    auto tree_value = to_json((*bound)[0]);
    if (!tree_value) return nullptr;
    auto schema_value = to_json((*bound)[1]);
    if (!schema_value) return nullptr;
    auto root = read_or_raise(ast::read_root(*tree_value));
    if (!root) return nullptr;
    auto schema = read_or_raise(schema::read_schema(*schema_value));
    if (!schema) return nullptr;
    PythonSink sink;
    schema::write_diagnostics(schema::validate(*root, *schema), sink);
    return sink.take();
  });
}

PyObject* collect_text(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    auto bound = bind_arguments(kCollectText, args, nargs, kwnames);
    if (!bound) return nullptr;
    auto root = read_tree((*bound)[0]);
    if (!root) return nullptr;
    std::string text = transform::collect_text(root->children);
    return PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), nullptr);
  });
}

PyObject* query_all(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    auto bound = bind_arguments(kQueryAll, args, nargs, kwnames);
    if (!bound) return nullptr;
    auto node_type = str_argument((*bound)[1], "node_type");
    if (!node_type) return nullptr;
    auto root = read_tree((*bound)[0]);
    if (!root) return nullptr;
    std::vector<const ast::Node*> found;
    transform::collect_by_type(root->children, *node_type, found);
    PythonSink sink;
    ast::write_node_list(found, sink);
    return sink.take();
  });
}

PyObject* version(PyObject*, PyObject*) { return PyUnicode_FromString(VYN_VERSION); }

}  // namespace vyn::module
