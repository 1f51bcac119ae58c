#include "module/python_json.hpp"

#include <cmath>
#include <string>
#include <string_view>
#include <unordered_set>

#include "ast/limits.hpp"
#include "module/errors.hpp"
#include "module/python_objects.hpp"

namespace vyn::module {

namespace {

// One conversion: the containers on the path from the top to the object
// being converted, to tell a value that contains itself from one that merely
// shares a part. Every container on the path is kept alive by its parent.
class Converter {
 public:
  bool convert(PyObject* object, ast::Json& out, std::size_t depth) {
    if (object == Py_None) {
      out = nullptr;
      return true;
    }
    if (PyBool_Check(object)) {
      out = object == Py_True;
      return true;
    }
    if (PyLong_Check(object)) return integer(object, out);
    if (PyList_Check(object) || PyTuple_Check(object)) return sequence(object, object, out, depth);
    if (PyUnicode_Check(object)) return string(object, out);
    if (PyDict_Check(object)) return dict(object, out, depth);
    if (PyFloat_Check(object)) {
      double value = PyFloat_AS_DOUBLE(object);
      out = std::isfinite(value) ? ast::Json(value) : ast::Json(nullptr);
      return true;
    }
    if (PyAnySet_Check(object)) return set(object, out, depth);
    if (PyBytes_Check(object) || PyByteArray_Check(object)) return unsupported(object);
    return abstract(object, out, depth);
  }

 private:
  static bool fail(std::string_view message) {
    raise_value_error(message);
    return false;
  }

  // An exception raised by Python code during the conversion becomes the
  // conversion's ValueError, with its text.
  static bool python_failed() {
    if (!PyErr_ExceptionMatches(PyExc_MemoryError)) raise_value_error(take_exception_text());
    return false;
  }

  static bool unsupported(PyObject* object) { return fail("unsupported type " + type_name(object)); }

  static bool integer(PyObject* object, ast::Json& out) {
    int overflow = 0;
    long long value = PyLong_AsLongLongAndOverflow(object, &overflow);
    if (overflow == 0) {
      if (value == -1 && PyErr_Occurred()) return python_failed();
      if (value >= 0) out = static_cast<std::uint64_t>(value);
      else out = static_cast<std::int64_t>(value);
      return true;
    }
    if (overflow > 0) {
      unsigned long long big = PyLong_AsUnsignedLongLong(object);
      if (!(big == static_cast<unsigned long long>(-1) && PyErr_Occurred())) {
        out = static_cast<std::uint64_t>(big);
        return true;
      }
      PyErr_Clear();
    }
    return fail("JSON number out of range");
  }

  static bool string(PyObject* object, ast::Json& out) {
    auto text = utf8_of(object);
    if (!text) return python_failed();
    out = std::string(*text);
    return true;
  }

  // Called on entering a container (`identity` is the object as passed, not
  // a copy made of it); `leave` must follow a successful call.
  bool enter(PyObject* identity, std::size_t depth) {
    if (depth >= ast::kMaxJsonDepth)
      return fail("value nested more than " + std::to_string(ast::kMaxJsonDepth) + " levels deep");
    if (!path_.insert(identity).second) return fail("value contains itself");
    return true;
  }
  void leave(PyObject* identity) { path_.erase(identity); }

  // A list or tuple; `items` may be a copy of `identity` made by
  // PySequence_Fast. Items are re-read on each step and held while
  // converted, in case Python code reached below changes the list.
  bool sequence(PyObject* identity, PyObject* items, ast::Json& out, std::size_t depth) {
    if (!enter(identity, depth)) return false;
    out = ast::Json::array();
    bool ok = true;
    for (Py_ssize_t i = 0; ok && i < PySequence_Fast_GET_SIZE(items); ++i) {
      Ref item(Py_NewRef(PySequence_Fast_GET_ITEM(items, i)));
      ok = convert(item.get(), out.emplace_back(), depth + 1);
    }
    leave(identity);
    return ok;
  }

  bool dict(PyObject* object, ast::Json& out, std::size_t depth) {
    if (!enter(object, depth)) return false;
    out = ast::Json::object();
    bool ok = true;
    Py_ssize_t position = 0;
    PyObject *key = nullptr, *value = nullptr;
    while (ok && PyDict_Next(object, &position, &key, &value)) {
      Ref held_key(Py_NewRef(key));
      Ref held_value(Py_NewRef(value));
      ok = entry(held_key.get(), held_value.get(), out, depth);
    }
    leave(object);
    return ok;
  }

  bool entry(PyObject* key, PyObject* value, ast::Json& object, std::size_t depth) {
    if (!PyUnicode_Check(key)) return fail("dict keys must have type str");
    auto name = utf8_of(key);
    if (!name) return python_failed();
    return convert(value, object[std::string(*name)], depth + 1);
  }

  bool set(PyObject* object, ast::Json& out, std::size_t depth) {
    Ref items(PySequence_List(object));
    if (!items) return python_failed();
    return sequence(object, items.get(), out, depth);
  }

  // Mappings and sequences of other types, recognised as
  // collections.abc.Mapping and collections.abc.Sequence.
  bool abstract(PyObject* object, ast::Json& out, std::size_t depth) {
    int is_mapping = is_abc_instance(object, "Mapping");
    if (is_mapping < 0) return python_failed();
    if (is_mapping) {
      Ref items(PyMapping_Items(object));
      if (!items) return python_failed();
      return mapping(object, items.get(), out, depth);
    }
    int is_sequence = is_abc_instance(object, "Sequence");
    if (is_sequence < 0) return python_failed();
    if (!is_sequence) return unsupported(object);
    Ref items(PySequence_Fast(object, "not a sequence"));
    if (!items) return python_failed();
    return sequence(object, items.get(), out, depth);
  }

  // `items` is the list of (key, value) pairs of the mapping `identity`.
  bool mapping(PyObject* identity, PyObject* items, ast::Json& out, std::size_t depth) {
    if (!enter(identity, depth)) return false;
    out = ast::Json::object();
    bool ok = true;
    for (Py_ssize_t i = 0; ok && i < PyList_GET_SIZE(items); ++i) {
      PyObject* pair = PyList_GET_ITEM(items, i);
      ok = PyTuple_Check(pair) && PyTuple_GET_SIZE(pair) == 2
               ? entry(PyTuple_GET_ITEM(pair, 0), PyTuple_GET_ITEM(pair, 1), out, depth)
               : fail("mapping items must be pairs");
    }
    leave(identity);
    return ok;
  }

  std::unordered_set<PyObject*> path_;
};

}  // namespace

std::optional<ast::Json> to_json(PyObject* object) {
  ast::Json value;
  if (!Converter().convert(object, value, 0)) return std::nullopt;
  return value;
}

}  // namespace vyn::module
