// Binding a call's arguments to a function's parameters, and converting them,
// with the binding's TypeError messages.
#pragma once

#include <Python.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vyn::module {

// A function's parameters, all positional-or-keyword; the first `required`
// have no default.
struct Signature {
  const char* name;
  std::array<const char*, 3> params;
  std::size_t count;
  std::size_t required;
};

// The bound arguments, borrowed from the call; nullptr for an omitted one.
using Bound = std::array<PyObject*, 3>;

// Binds a vectorcall's arguments. Returns nothing with a TypeError set when
// they don't fit the signature.
std::optional<Bound> bind_arguments(const Signature& signature, PyObject* const* args, Py_ssize_t nargs,
                                    PyObject* kwnames);

// Conversions; each returns nothing with an exception set. A TypeError names
// the parameter ("argument 'input': ..."); other exceptions pass unchanged.

// A str as its UTF-8 text, borrowed from the object for the call.
std::optional<std::string_view> str_argument(PyObject* value, const char* param);
// A sequence of str other than a str itself.
std::optional<std::vector<std::string>> str_list_argument(PyObject* value, const char* param);
// None (or omitted) or a str.
std::optional<std::optional<std::string>> optional_str_argument(PyObject* value, const char* param);

}  // namespace vyn::module
