#include "module/python_objects.hpp"

namespace vyn::module {

std::optional<std::string_view> utf8_of(PyObject* str) {
  Py_ssize_t size = 0;
  const char* data = PyUnicode_AsUTF8AndSize(str, &size);
  if (!data) return std::nullopt;
  return std::string_view(data, static_cast<std::size_t>(size));
}

int is_abc_instance(PyObject* object, const char* name) {
  Ref abc(PyImport_ImportModule("collections.abc"));
  if (!abc) return -1;
  Ref type(PyObject_GetAttrString(abc.get(), name));
  if (!type) return -1;
  return PyObject_IsInstance(object, type.get());
}

// A type's name is a str of its own making; should reading it fail, the
// message shows "?" rather than losing the error it is part of.
std::string type_name(PyObject* object) {
  Ref name(PyType_GetQualName(Py_TYPE(object)));
  std::optional<std::string_view> text = name ? utf8_of(name.get()) : std::nullopt;
  if (!text) {
    PyErr_Clear();
    return "?";
  }
  return std::string(*text);
}

}  // namespace vyn::module
