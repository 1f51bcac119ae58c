#include "module/functions.hpp"

#include "ast/write.hpp"
#include "module/arguments.hpp"
#include "module/errors.hpp"
#include "module/python_sink.hpp"
#include "parser/parser.hpp"

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
  ast::write_root(root, sink);
  return sink.take();
}

PyObject* not_yet(const char* name) {
  PyErr_Format(PyExc_NotImplementedError, "%s() is not available yet", name);
  return nullptr;
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
    return not_yet(kParseWithDefaults.name);
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
    return not_yet(kParseWithTransforms.name);
  });
}

PyObject* validate(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    auto bound = bind_arguments(kValidate, args, nargs, kwnames);
    if (!bound) return nullptr;
    return not_yet(kValidate.name);
  });
}

PyObject* collect_text(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    auto bound = bind_arguments(kCollectText, args, nargs, kwnames);
    if (!bound) return nullptr;
    return not_yet(kCollectText.name);
  });
}

PyObject* query_all(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    auto bound = bind_arguments(kQueryAll, args, nargs, kwnames);
    if (!bound) return nullptr;
    auto node_type = str_argument((*bound)[1], "node_type");
    if (!node_type) return nullptr;
    return not_yet(kQueryAll.name);
  });
}

PyObject* version(PyObject*, PyObject*) { return PyUnicode_FromString("0.1.2-beta.11"); }

}  // namespace vyn::module
