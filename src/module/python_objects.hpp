// Small helpers over Python objects, shared by the conversion of arguments
// and the conversion of trees and schemas to JSON values.
#pragma once

#include <Python.h>

#include <optional>
#include <string>
#include <string_view>

namespace vyn::module {

// A new reference released when it goes out of scope.
class Ref {
 public:
  explicit Ref(PyObject* object) : object_(object) {}
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  ~Ref() { Py_XDECREF(object_); }
  PyObject* get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  PyObject* object_;
};

// The UTF-8 text of a str object, borrowed from it; nothing with the
// interpreter's UnicodeEncodeError set when it holds a lone surrogate.
std::optional<std::string_view> utf8_of(PyObject* str);

// Whether `object` is an instance of the abstract base class `name` of
// collections.abc; -1 with an exception set on failure.
int is_abc_instance(PyObject* object, const char* name);

// The qualified name of the object's type ("int", "list"), for messages.
std::string type_name(PyObject* object);

}  // namespace vyn::module
