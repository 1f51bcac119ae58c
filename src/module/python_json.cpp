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
//
// The routines a value recurses through (convert, sequence, dict, entry,
// mapping) keep small frames, so that the deepest value allowed converts on a
// small thread stack: leaves, error texts and the insertion of a key are done
// by helpers that are never inlined into them.
class Converter {
 public:
  bool convert(PyObject* object, ast::Json& out, std::size_t depth) {
    if (PyList_Check(object) || PyTuple_Check(object)) return sequence(object, object, out, depth);
    if (PyDict_Check(object)) return dict(object, out, depth);
    if (object == Py_None || PyBool_Check(object) || PyLong_Check(object) || PyUnicode_Check(object) ||
        PyFloat_Check(object))
      return scalar(object, out);
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
  [[gnu::noinline]] static bool python_failed() {
    if (!PyErr_ExceptionMatches(PyExc_MemoryError)) raise_value_error(take_exception_text());
    return false;
  }

  [[gnu::noinline]] static bool unsupported(PyObject* object) { return fail("unsupported type " + type_name(object)); }

  [[gnu::noinline]] static bool too_deep() {
    return fail("value nested more than " + std::to_string(ast::kMaxJsonDepth) + " levels deep");
  }

  // None, a bool, an int, a str or a float.
  [[gnu::noinline]] static bool scalar(PyObject* object, ast::Json& out) {
    if (object == Py_None) {
      out = nullptr;
      return true;
    }
    if (PyBool_Check(object)) {
      out = object == Py_True;
      return true;
    }
    if (PyLong_Check(object)) return integer(object, out);
    if (PyUnicode_Check(object)) return string(object, out);
    double value = PyFloat_AS_DOUBLE(object);
    out = std::isfinite(value) ? ast::Json(value) : ast::Json(nullptr);
    return true;
  }

  static bool integer(PyObject* object, ast::Json& out) {
    int overflow = 0;
    long long value = PyLong_AsLongLongAndOverflow(object, &overflow);
    if (overflow == 0) {
      if (value == -1 && PyErr_Occurred()) return python_failed();
      if (value >= 0)
        out = static_cast<std::uint64_t>(value);
      else
        out = static_cast<std::int64_t>(value);
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
  // a copy made of it), which makes `out` an empty array or object; `leave`
  // must follow a successful call.
  [[gnu::noinline]] bool enter(PyObject* identity, std::size_t depth, ast::Json& out, ast::Json::value_t type) {
    if (depth >= ast::kMaxJsonDepth) return too_deep();
    if (!path_.insert(identity).second) return fail("value contains itself");
    out = ast::Json(type);
    return true;
  }
  [[gnu::noinline]] void leave(PyObject* identity) { path_.erase(identity); }

  // A list or tuple; `items` may be a copy of `identity` made by
  // PySequence_Fast. Items are re-read on each step and held while
  // converted, in case Python code reached below changes the list.
  [[gnu::noinline]] bool sequence(PyObject* identity, PyObject* items, ast::Json& out, std::size_t depth) {
    if (!enter(identity, depth, out, ast::Json::value_t::array)) return false;
    bool ok = true;
    for (Py_ssize_t i = 0; ok && i < PySequence_Fast_GET_SIZE(items); ++i) {
      Ref item(Py_NewRef(PySequence_Fast_GET_ITEM(items, i)));
      ok = convert(item.get(), append(out), depth + 1);
    }
    leave(identity);
    return ok;
  }

  [[gnu::noinline]] static ast::Json& append(ast::Json& array) { return array.emplace_back(); }

  [[gnu::noinline]] bool dict(PyObject* object, ast::Json& out, std::size_t depth) {
    if (!enter(object, depth, out, ast::Json::value_t::object)) return false;
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
    ast::Json* slot = member(key, object);
    return slot && convert(value, *slot, depth + 1);
  }

  // The value of `key` in `object`, made null; nothing with ValueError set
  // when the key is no str.
  [[gnu::noinline]] static ast::Json* member(PyObject* key, ast::Json& object) {
    if (!PyUnicode_Check(key)) {
      fail("dict keys must have type str");
      return nullptr;
    }
    auto name = utf8_of(key);
    if (!name) {
      python_failed();
      return nullptr;
    }
    return &object[std::string(*name)];
  }

  [[gnu::noinline]] bool set(PyObject* object, ast::Json& out, std::size_t depth) {
    Ref items(PySequence_List(object));
    if (!items) return python_failed();
    return sequence(object, items.get(), out, depth);
  }

  // Mappings and sequences of other types, recognised as
  // collections.abc.Mapping and collections.abc.Sequence.
  [[gnu::noinline]] bool abstract(PyObject* object, ast::Json& out, std::size_t depth) {
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
  [[gnu::noinline]] bool mapping(PyObject* identity, PyObject* items, ast::Json& out, std::size_t depth) {
    if (!enter(identity, depth, out, ast::Json::value_t::object)) return false;
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
