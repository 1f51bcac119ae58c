#include "module/arguments.hpp"

#include <string>

#include "module/errors.hpp"
#include "module/python_objects.hpp"

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
  type_error(std::string(signature.name) + "() takes " + takes + " positional arguments but " + std::to_string(given) +
             (given == 1 ? " was" : " were") + " given");
}

// "'int' object is not an instance of 'str'"; the parameter is named by `named`.
void cast_error(PyObject* value, const char* expected) {
  std::string message = value == Py_None ? "'None'" : quoted(type_name(value).c_str()) + " object";
  message += " is not an instance of ";
  message += quoted(expected);
  type_error(message);
}

// list and tuple, or anything registered as a collections.abc.Sequence.
int is_sequence(PyObject* value) {
  if (PyList_Check(value) || PyTuple_Check(value)) return 1;
  return is_abc_instance(value, "Sequence");
}

// The conversions proper; they raise without naming the parameter.

std::optional<std::string_view> str_of(PyObject* value) {
  if (!PyUnicode_Check(value)) {
    cast_error(value, "str");
    return std::nullopt;
  }
  return utf8_of(value);  // a lone surrogate: UnicodeEncodeError
}

std::optional<std::vector<std::string>> str_list_of(PyObject* value) {
  if (PyUnicode_Check(value)) {
    type_error("Can't extract `str` to `Vec`");
    return std::nullopt;
  }
  int sequence = is_sequence(value);
  if (sequence <= 0) {
    if (sequence == 0) cast_error(value, "Sequence");
    return std::nullopt;
  }
  Ref iterator(PyObject_GetIter(value));
  if (!iterator) return std::nullopt;
  std::vector<std::string> result;
  while (PyObject* next = PyIter_Next(iterator.get())) {
    Ref item(next);  // the text is borrowed from it: copied before it goes
    std::optional<std::string_view> text = str_of(item.get());
    if (!text) return std::nullopt;
    result.emplace_back(*text);
  }
  if (PyErr_Occurred()) return std::nullopt;
  return result;
}

std::optional<std::optional<std::string>> optional_str_of(PyObject* value) {
  if (!value || value == Py_None) return std::optional<std::string>();
  std::optional<std::string_view> text = str_of(value);
  if (!text) return std::nullopt;
  return std::optional<std::string>(std::string(*text));
}

// A TypeError raised while converting an argument, whatever raised it, names
// the parameter ("argument 'input': ..."); any other exception passes unchanged.
template <class T>
std::optional<T> named(std::optional<T> converted, const char* param) {
  if (!converted && PyErr_Occurred() == PyExc_TypeError)
    type_error("argument " + quoted(param) + ": " + take_exception_text());
  return converted;
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

std::optional<std::string_view> str_argument(PyObject* value, const char* param) { return named(str_of(value), param); }

std::optional<std::vector<std::string>> str_list_argument(PyObject* value, const char* param) {
  return named(str_list_of(value), param);
}

std::optional<std::optional<std::string>> optional_str_argument(PyObject* value, const char* param) {
  return named(optional_str_of(value), param);
}

}  // namespace vyn::module
