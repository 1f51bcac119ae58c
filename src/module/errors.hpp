// Turning failures into Python exceptions at the module's edge.
#pragma once

#include <Python.h>

#include <exception>
#include <new>
#include <string>
#include <string_view>

namespace vyn::module {

// Takes the pending exception away and returns its str(); empty when that fails.
std::string take_exception_text();

// Raises ValueError with exactly `message`; returns nullptr for the caller to return.
PyObject* raise_value_error(std::string_view message);

// Raises the internal-fault exception, a BaseException subclass named
// "pyo3_runtime.PanicException", the same class for every fault of the
// process. Callers never rely on it.
void raise_panic(std::string_view message);

// Runs `work` (returning a new reference or nullptr with an exception set)
// and turns any C++ exception escaping it into a Python one: exhausted memory
// into MemoryError, everything else into the internal-fault exception.
template <class Work>
PyObject* guarded(Work&& work) noexcept {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    return PyErr_NoMemory();
  } catch (const std::exception& fault) {
    raise_panic(fault.what());
  } catch (...) {
    raise_panic("unknown internal fault");
  }
  return nullptr;
}

}  // namespace vyn::module
