#include "module/arguments.hpp"

#include <string>

namespace vyn::module {

namespace {

std::string quoted(const char* name) { return std::string("'") + name + "'"; }

void type_error(const std::string& message) { PyErr_SetString(PyExc_TypeError, message.c_str()); }

void missing_arguments(const Signature& signature, const Bound& bound) {
  std::vector<const char*> missing;
  for (std::size_t i = 0; i < signature.required; ++i)
    if (!bound[i]) missing.push_back(signature.params[i]);
  std::string list;
  for (std::size_t i = 0; i < missing.size(); ++i) {
    if (i > 0) {
      if (missing.size() > 2) list += ",";
      list += i + 1 == missing.size() ? " and " : " ";
    }
    list += quoted(missing[i]);
  }
  type_error(std::string(signature.name) + "() missing " + std::to_string(missing.size()) +
             " required positional argument" + (missing.size() == 1 ? "" : "s") + ": " + list);
}

void too_many_positional(const Signature& signature, Py_ssize_t given) {
  std::string takes = signature.required == signature.count
                          ? std::to_string(signature.count)
                          : "from " + std::to_string(signature.required) + " to " + std::to_string(signature.count);
  type_error(std::string(signature.name) + "() takes " + takes + " positional arguments but " +
             std::to_string(given) + (given == 1 ? " was" : " were") + " given");
}

// The text of a str object, for messages.
std::string text_of(PyObject* object) {
  PyObject* text = PyObject_Str(object);
  if (!text) {
    PyErr_Clear();
    return "?";
  }
  Py_ssize_t size = 0;
  const char* data = PyUnicode_AsUTF8AndSize(text, &size);
  std::string result = data ? std::string(data, static_cast<std::size_t>(size)) : "?";
  if (!data) PyErr_Clear();
  Py_DECREF(text);
  return result;
}

// "'int' object is not an instance of 'str'", prefixed with the parameter.
void cast_error(PyObject* value, const char* expected, const char* param) {
  std::string message = "argument " + quoted(param) + ": ";
  if (value == Py_None) {
    message += "'None' is not";
  } else {
    PyObject* name = PyType_GetQualName(Py_TYPE(value));
    message += '\'';
    message += name ? text_of(name) : std::string("?");
    message += "' object is not";
    if (!name) PyErr_Clear();
    Py_XDECREF(name);
  }
  message += " an instance of ";
  message += quoted(expected);
  type_error(message);
}

std::optional<std::string_view> utf8_of(PyObject* str) {
  Py_ssize_t size = 0;
  const char* data = PyUnicode_AsUTF8AndSize(str, &size);
  if (!data) return std::nullopt;  // a lone surrogate: UnicodeEncodeError passes through
  return std::string_view(data, static_cast<std::size_t>(size));
}

// list and tuple, or anything registered as a collections.abc.Sequence.
std::optional<bool> is_sequence(PyObject* value) {
  if (PyList_Check(value) || PyTuple_Check(value)) return true;
  PyObject* abc = PyImport_ImportModule("collections.abc");
  if (!abc) return std::nullopt;
  PyObject* sequence = PyObject_GetAttrString(abc, "Sequence");
  Py_DECREF(abc);
  if (!sequence) return std::nullopt;
  int result = PyObject_IsInstance(value, sequence);
  Py_DECREF(sequence);
  if (result < 0) return std::nullopt;
  return result == 1;
}

}  // namespace

std::optional<Bound> bind_arguments(const Signature& signature, PyObject* const* args, Py_ssize_t nargs,
                                    PyObject* kwnames) {
  Bound bound{};
  if (static_cast<std::size_t>(nargs) > signature.count) {
    too_many_positional(signature, nargs);
    return std::nullopt;
  }
  for (Py_ssize_t i = 0; i < nargs; ++i) bound[static_cast<std::size_t>(i)] = args[i];

  Py_ssize_t keywords = kwnames ? PyTuple_GET_SIZE(kwnames) : 0;
  for (Py_ssize_t k = 0; k < keywords; ++k) {
    PyObject* keyword = PyTuple_GET_ITEM(kwnames, k);
    std::optional<std::string_view> name = utf8_of(keyword);
    if (!name) return std::nullopt;
    std::size_t index = 0;
    while (index < signature.count && *name != signature.params[index]) ++index;
    if (index == signature.count) {
      type_error(std::string(signature.name) + "() got an unexpected keyword argument '" + std::string(*name) + "'");
      return std::nullopt;
    }
    if (bound[index]) {
      type_error(std::string(signature.name) + "() got multiple values for argument " +
                 quoted(signature.params[index]));
      return std::nullopt;
    }
    bound[index] = args[nargs + k];
  }

  for (std::size_t i = 0; i < signature.required; ++i) {
    if (!bound[i]) {
      missing_arguments(signature, bound);
      return std::nullopt;
    }
  }
  return bound;
}

std::optional<std::string_view> str_argument(PyObject* value, const char* param) {
  if (!PyUnicode_Check(value)) {
    cast_error(value, "str", param);
    return std::nullopt;
  }
  return utf8_of(value);
}

std::optional<std::vector<std::string>> str_list_argument(PyObject* value, const char* param) {
  if (PyUnicode_Check(value)) {
    type_error("argument " + quoted(param) + ": Can't extract `str` to `Vec`");
    return std::nullopt;
  }
  std::optional<bool> sequence = is_sequence(value);
  if (!sequence) return std::nullopt;
  if (!*sequence) {
    cast_error(value, "Sequence", param);
    return std::nullopt;
  }
  PyObject* iterator = PyObject_GetIter(value);
  if (!iterator) return std::nullopt;
  std::vector<std::string> result;
  std::optional<std::vector<std::string>> outcome;
  while (PyObject* item = PyIter_Next(iterator)) {
    std::optional<std::string_view> text = str_argument(item, param);
    Py_DECREF(item);
    if (!text) break;
    result.emplace_back(*text);
  }
  if (!PyErr_Occurred()) outcome = std::move(result);
  Py_DECREF(iterator);
  return outcome;
}

std::optional<std::optional<std::string>> optional_str_argument(PyObject* value, const char* param) {
  if (!value || value == Py_None) return std::optional<std::string>();
  std::optional<std::string_view> text = str_argument(value, param);
  if (!text) return std::nullopt;
  return std::optional<std::string>(std::string(*text));
}

}  // namespace vyn::module
