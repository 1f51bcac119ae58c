// A sink that builds the dictionary form directly as Python objects: the fast
// path from a tree to the dicts and lists that `parse` returns.
#pragma once

#include <Python.h>

#include <string_view>
#include <unordered_map>
#include <vector>

#include "ast/sink.hpp"

namespace vyn::module {

class PythonSink final : public ast::Sink {
 public:
  PythonSink() = default;
  PythonSink(const PythonSink&) = delete;
  PythonSink& operator=(const PythonSink&) = delete;
  ~PythonSink() override;

  void begin_object() override;
  void key(std::string_view key) override;
  void end_object() override;
  void begin_array(std::size_t size) override;
  void end_array() override;
  void null() override;
  void boolean(bool value) override;
  void unsigned_integer(std::uint64_t value) override;
  void signed_integer(std::int64_t value) override;
  void floating(double value) override;
  void string(std::string_view value) override;

  // The finished object (a new reference), or nullptr with an exception set.
  // A failed conversion is reported as ValueError with its text, except
  // exhausted memory, which stays MemoryError.
  PyObject* take();

 private:
  struct Open {
    PyObject* container;    // a dict or a list, owned through the chain of parents
    Py_ssize_t filled = 0;  // items set so far (lists)
  };
  struct KeyHash {
    std::size_t operator()(std::string_view key) const noexcept { return std::hash<std::string_view>()(key); }
  };

  // Places a new reference where the writer is; steals it.
  void put(PyObject* value);
  void fail();
  PyObject* key_object(std::string_view key);

  std::vector<Open> open_;
  PyObject* pending_key_ = nullptr;  // borrowed from keys_
  PyObject* result_ = nullptr;
  bool failed_ = false;
  std::unordered_map<std::string_view, PyObject*, KeyHash> keys_;  // interned dict keys
};

}  // namespace vyn::module
