// The module's edge inside an embedded interpreter: C++ failures escaping a
// function become Python exceptions, and every internal fault of the process
// raises one and the same class.
#include "module/errors.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace vyn::module {
namespace {

class Interpreter : public ::testing::Environment {
 public:
  void SetUp() override { Py_Initialize(); }
  void TearDown() override { Py_FinalizeEx(); }
};

const auto* const kInterpreter = ::testing::AddGlobalTestEnvironment(new Interpreter);

struct Raised {
  PyObject* type;  // a new reference
  std::string text;
};

// Runs `work` through `guarded` and takes the exception it left.
template <class Work>
Raised raised_by(Work work) {
  EXPECT_EQ(guarded(work), nullptr);
  PyObject* type = PyErr_Occurred();
  if (!type) return {nullptr, ""};
  Py_INCREF(type);
  return {type, take_exception_text()};
}

// "<module>.<name>", as a traceback names the class.
std::string name_of(PyObject* type) {
  PyObject* module = PyObject_GetAttrString(type, "__module__");
  std::string name = module ? PyUnicode_AsUTF8(module) : "";
  Py_XDECREF(module);
  return name + "." + reinterpret_cast<PyTypeObject*>(type)->tp_name;
}

TEST(Guarded, EveryInternalFaultRaisesTheSameBaseExceptionClass) {
  Raised first = raised_by([]() -> PyObject* { throw std::logic_error("first fault"); });
  Raised second = raised_by([]() -> PyObject* { throw std::out_of_range("second fault"); });
  Raised unknown = raised_by([]() -> PyObject* { throw 42; });
  ASSERT_NE(first.type, nullptr);
  EXPECT_EQ(name_of(first.type), "pyo3_runtime.PanicException");
  EXPECT_EQ(second.type, first.type);
  EXPECT_EQ(unknown.type, first.type);
  EXPECT_EQ(first.text, "first fault");
  EXPECT_EQ(second.text, "second fault");
  EXPECT_EQ(unknown.text, "unknown internal fault");
  EXPECT_TRUE(PyErr_GivenExceptionMatches(first.type, PyExc_BaseException));
  EXPECT_FALSE(PyErr_GivenExceptionMatches(first.type, PyExc_Exception));
  for (PyObject* type : {first.type, second.type, unknown.type}) Py_DECREF(type);
}

TEST(Guarded, ExhaustedMemoryIsMemoryErrorAndAPythonErrorPassesThrough) {
  Raised memory = raised_by([]() -> PyObject* { throw std::bad_alloc(); });
  EXPECT_EQ(memory.type, PyExc_MemoryError);
  Raised value = raised_by([] { return raise_value_error("bad tree"); });
  EXPECT_EQ(value.type, PyExc_ValueError);
  EXPECT_EQ(value.text, "bad tree");
  for (PyObject* type : {memory.type, value.type}) Py_XDECREF(type);
}

}  // namespace
}  // namespace vyn::module
