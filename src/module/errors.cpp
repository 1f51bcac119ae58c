#include "module/errors.hpp"

namespace vyn::module {

std::string take_exception_text() {
#if PY_VERSION_HEX >= 0x030C0000
  PyObject* exception = PyErr_GetRaisedException();
#else
  PyObject *type = nullptr, *exception = nullptr, *traceback = nullptr;
  PyErr_Fetch(&type, &exception, &traceback);
  PyErr_NormalizeException(&type, &exception, &traceback);
  Py_XDECREF(type);
  Py_XDECREF(traceback);
#endif
  std::string result;
  PyObject* text = exception ? PyObject_Str(exception) : nullptr;
  Py_XDECREF(exception);
  if (!text) {
    PyErr_Clear();
    return result;
  }
  Py_ssize_t size = 0;
  if (const char* data = PyUnicode_AsUTF8AndSize(text, &size))
    result.assign(data, static_cast<std::size_t>(size));
  else
    PyErr_Clear();
  Py_DECREF(text);
  return result;
}

PyObject* raise_value_error(std::string_view message) {
  PyObject* text = PyUnicode_DecodeUTF8(message.data(), static_cast<Py_ssize_t>(message.size()), "replace");
  if (text) {
    PyErr_SetObject(PyExc_ValueError, text);
    Py_DECREF(text);
  }
  return nullptr;
}

// The type is made afresh for each fault: the module keeps no state, and a
// fault is never expected.
void raise_panic(std::string_view message) {
  PyObject* type = PyErr_NewExceptionWithDoc("pyo3_runtime.PanicException", "An internal fault of the vyn extension.",
                                             PyExc_BaseException, nullptr);
  if (!type) return;
  PyObject* text = PyUnicode_DecodeUTF8(message.data(), static_cast<Py_ssize_t>(message.size()), "replace");
  if (text) {
    PyErr_SetObject(type, text);
    Py_DECREF(text);
  }
  Py_DECREF(type);
}

}  // namespace vyn::module
