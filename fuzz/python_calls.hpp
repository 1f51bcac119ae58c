// The module's functions called as the interpreter calls them, from an
// interpreter embedded in the text target: the Python-object sink and the
// conversion of dicts back to trees are only reachable this way.
#pragma once

#include <Python.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "ast/json.hpp"

namespace vyn::fuzz {

struct Decref {
  void operator()(PyObject* object) const { Py_DECREF(object); }
};
// A new reference, released when it goes out of scope.
using Ref = std::unique_ptr<PyObject, Decref>;

// Once per process, before the first call. Objects are allocated with malloc
// so that AddressSanitizer sees them; the interpreter leaves signals to libFuzzer.
void start_python();

// A str holding `text`; empty when the bytes are not UTF-8 (no str holds them).
Ref python_str(std::string_view text);
// A list of str.
Ref python_str_list(std::initializer_list<std::string_view> items);

using ModuleFunction = PyObject* (*)(PyObject*, PyObject* const*, Py_ssize_t, PyObject*);

// The result of a call with positional arguments; a raised exception fails.
Ref call(ModuleFunction function, std::string_view name, std::initializer_list<PyObject*> args);

// The JSON value of a dict or list the module returned.
ast::Json json_of(PyObject* object);
// The text of a str the module returned.
std::string text_of(PyObject* str);

}  // namespace vyn::fuzz
