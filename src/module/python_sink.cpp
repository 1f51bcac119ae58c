#include "module/python_sink.hpp"

#include <utility>

#include "module/errors.hpp"

namespace vyn::module {

PythonSink::~PythonSink() {
  Py_XDECREF(result_);
  for (auto& [key, object] : keys_) Py_DECREF(object);
}

void PythonSink::fail() { failed_ = true; }

// Dict keys repeat constantly ("type", "position", ...): one str per key text.
// Keys only live while the tree being written lives, as does this sink.
PyObject* PythonSink::key_object(std::string_view key) {
  auto found = keys_.find(key);
  if (found != keys_.end()) return found->second;
  PyObject* object = PyUnicode_DecodeUTF8(key.data(), static_cast<Py_ssize_t>(key.size()), nullptr);
  if (!object) return nullptr;
  PyUnicode_InternInPlace(&object);
  keys_.emplace(key, object);
  return object;
}

void PythonSink::put(PyObject* value) {
  if (!value) {
    fail();
    return;
  }
  if (open_.empty()) {
    Py_XDECREF(result_);
    result_ = value;
    return;
  }
  Open& top = open_.back();
  if (PyList_CheckExact(top.container)) {
    if (top.filled < PyList_GET_SIZE(top.container)) {
      PyList_SET_ITEM(top.container, top.filled, value);  // steals
    } else {
      int status = PyList_Append(top.container, value);
      Py_DECREF(value);
      if (status < 0) return fail();
    }
    ++top.filled;
    return;
  }
  int status = PyDict_SetItem(top.container, pending_key_, value);
  Py_DECREF(value);
  if (status < 0) fail();
}

void PythonSink::begin_object() {
  if (failed_) return;
  PyObject* dict = PyDict_New();
  if (!dict) return fail();
  put(dict);  // the parent (or result_) owns it from here
  if (!failed_) open_.push_back({dict});
}

void PythonSink::key(std::string_view key) {
  if (failed_) return;
  pending_key_ = key_object(key);
  if (!pending_key_) fail();
}

void PythonSink::end_object() {
  if (!failed_) open_.pop_back();
}

void PythonSink::begin_array(std::size_t size) {
  if (failed_) return;
  PyObject* list = PyList_New(static_cast<Py_ssize_t>(size));
  if (!list) return fail();
  put(list);
  if (!failed_) open_.push_back({list});
}

void PythonSink::end_array() {
  if (failed_) return;
  Open& top = open_.back();
  // A list announced longer than it was filled: drop the empty slots.
  if (top.filled < PyList_GET_SIZE(top.container) &&
      PyList_SetSlice(top.container, top.filled, PyList_GET_SIZE(top.container), nullptr) < 0)
    fail();
  open_.pop_back();
}

void PythonSink::null() {
  if (!failed_) put(Py_NewRef(Py_None));
}
void PythonSink::boolean(bool value) {
  if (!failed_) put(PyBool_FromLong(value));
}
void PythonSink::unsigned_integer(std::uint64_t value) {
  if (!failed_) put(PyLong_FromUnsignedLongLong(value));
}
void PythonSink::signed_integer(std::int64_t value) {
  if (!failed_) put(PyLong_FromLongLong(value));
}
void PythonSink::floating(double value) {
  if (!failed_) put(PyFloat_FromDouble(value));
}
void PythonSink::string(std::string_view value) {
  if (!failed_) put(PyUnicode_DecodeUTF8(value.data(), static_cast<Py_ssize_t>(value.size()), nullptr));
}

PyObject* PythonSink::take() {
  if (!failed_) return std::exchange(result_, nullptr);
  if (PyErr_ExceptionMatches(PyExc_MemoryError)) return nullptr;
  return raise_value_error(take_exception_text());
}

}  // namespace vyn::module
