#include "module/errors.hpp"

#include <atomic>

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

namespace {

// The internal-fault type belongs to the binding layer, not to the module
// (which keeps no state): it is made at the first fault and kept for the
// life of the process, so every fault raises the same class and callers can
// catch it by class. Two threads may meet their first fault at once: both
// make a type, the first to publish it wins and the other drops its own, so
// nothing waits on a lock while the interpreter runs.
PyObject* panic_type() {
  static std::atomic<PyObject*> made{nullptr};
  PyObject* type = made.load(std::memory_order_acquire);
  if (type) return type;
  PyObject* fresh = PyErr_NewExceptionWithDoc("pyo3_runtime.PanicException", "An internal fault of the vyn extension.",
                                              PyExc_BaseException, nullptr);
  if (!fresh) return nullptr;
  if (made.compare_exchange_strong(type, fresh, std::memory_order_acq_rel)) return fresh;
  Py_DECREF(fresh);
  return type;
}

}  // namespace

void raise_panic(std::string_view message) {
  PyObject* type = panic_type();
  if (!type) return;
  PyObject* text = PyUnicode_DecodeUTF8(message.data(), static_cast<Py_ssize_t>(message.size()), "replace");
  if (text) {
    PyErr_SetObject(type, text);
    Py_DECREF(text);
  }
}

}  // namespace vyn::module
