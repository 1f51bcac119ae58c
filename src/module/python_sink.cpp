#include "module/python_sink.hpp"

#include <algorithm>
#include <bit>
#include <cstring>
#include <type_traits>
#include <utility>

#include "module/errors.hpp"

namespace vyn::module {

// On a build without the global lock, several threads may convert at once and
// the collector's state is the interpreter's: one thread restoring what it saw
// could undo another's pause or leave the collector off, so it is left alone.
CollectorPause::CollectorPause() {
#ifdef Py_GIL_DISABLED
  paused_ = false;
#else
  paused_ = PyGC_Disable() == 1;
#endif
}

CollectorPause::~CollectorPause() {
  if (paused_) PyGC_Enable();
}

PythonSink::~PythonSink() {
  Py_XDECREF(document_key_);
  Py_XDECREF(result_);
  auto each_filled = [](std::span<const std::uint64_t> words, auto release) {
    for (std::size_t word = 0; word < words.size(); ++word) {
      for (std::uint64_t bits = words[word]; bits != 0; bits &= bits - 1)
        release(word * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
    }
  };
  each_filled(keys_filled_, [&](std::size_t k) { Py_DECREF(keys_[k]); });
  each_filled({&names_filled_, 1}, [&](std::size_t k) { Py_DECREF(names_[k].object); });
  for (auto& [identity, object] : marked_) Py_DECREF(object);
}

void PythonSink::fail() { failed_ = true; }

namespace {

// Whether every byte is below 0x80: tested eight at a time, the last bytes by loads that overlap
// the ones before rather than one by one.
constexpr bool is_ascii(std::string_view text) {
  const std::size_t size = text.size();
  auto load = [&]<class Word>(Word, std::size_t at) -> std::uint64_t {
    Word word;
    std::memcpy(&word, text.data() + at, sizeof word);
    return word;
  };
  std::uint64_t bits = 0;
  if (std::is_constant_evaluated()) {
    for (char c : text) bits |= static_cast<unsigned char>(c);
  } else if (size >= 8) {
    for (std::size_t at = 0; at < size - 8; at += 8) bits |= load(std::uint64_t{}, at);
    bits |= load(std::uint64_t{}, size - 8);
  } else if (size >= 4) {
    bits = load(std::uint32_t{}, 0) | load(std::uint32_t{}, size - 4);
  } else if (size > 0) {
    bits = static_cast<unsigned char>(text[0]) | static_cast<unsigned char>(text[size / 2]) |
           static_cast<unsigned char>(text[size - 1]);
  }
  return (bits & 0x8080808080808080u) == 0;
}

// The writer's own keys and names are ASCII, and so are most texts: copied as they are, without
// decoding.
PyObject* new_ascii_str(std::string_view text) {
  PyObject* object = PyUnicode_New(static_cast<Py_ssize_t>(text.size()), 127);
  if (object) std::copy(text.begin(), text.end(), reinterpret_cast<char*>(PyUnicode_1BYTE_DATA(object)));
  return object;
}
static_assert(std::all_of(ast::kKeys.begin(), ast::kKeys.end(), is_ascii));

}  // namespace

// A single character is left to the interpreter, which keeps one object for each.
PyObject* PythonSink::new_str(std::string_view text) {
  if (text.size() > 1 && is_ascii(text)) return new_ascii_str(text);
  return PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), nullptr);
}

PyObject* PythonSink::shared_key(ast::Key key) {
  if (key.slot() == ast::Key::kNoSlot) {
    Py_XSETREF(document_key_, new_str(key.text()));
    return document_key_;
  }
  PyObject* object = new_ascii_str(key.text());
  if (!object) return nullptr;
  keys_[key.slot()] = object;
  keys_filled_[key.slot() / 64] |= std::uint64_t{1} << (key.slot() % 64);
  return object;
}

// Names live in constant tables, so their address tells them apart: a small
// open-addressed table by address, and a string of its own when it is crowded.
PyObject* PythonSink::shared_name(std::string_view value) {
  constexpr std::size_t kMask = (std::size_t{1} << kNameBits) - 1;
  constexpr std::size_t kProbes = 8;
  auto address = reinterpret_cast<std::uintptr_t>(value.data());
  std::size_t at = static_cast<std::size_t>((address * 0x9E3779B97F4A7C15u) >> (64 - kNameBits));
  for (std::size_t probe = 0; probe < kProbes; ++probe, at = (at + 1) & kMask) {
    NameSlot& slot = names_[at];
    if (filled({&names_filled_, 1}, at)) {
      if (slot.text == value.data() && slot.size == value.size()) return Py_NewRef(slot.object);
      continue;
    }
    if (!is_ascii(value)) break;
    PyObject* object = new_ascii_str(value);
    if (!object) return nullptr;
    slot = {value.data(), value.size(), object};
    names_filled_ |= std::uint64_t{1} << at;
    return Py_NewRef(object);
  }
  return new_str(value);
}

// Offsets, lines and columns repeat from node to node (a node ends where the
// next begins, a container where its last child ends).
PyObject* PythonSink::shared_int(std::uint64_t value) {
  if (value <= 256) return PyLong_FromUnsignedLongLong(value);  // the interpreter's own
  if (PyObject* kept = ints_.find(value, value)) return Py_NewRef(kept);
  PyObject* object = PyLong_FromUnsignedLongLong(value);
  if (object) ints_.keep(value, value, object);
  return object;
}

bool PythonSink::set_item(PyObject* dict, ast::Key key, PyObject* value) {
  PyObject* key_object = value ? slot_key(key) : nullptr;
  const bool set = key_object && PyDict_SetItem(dict, key_object, value) == 0;
  Py_XDECREF(value);
  return set;
}

// A node begins where the one before it ends, and a container where its first child begins and
// ends where its last one ends: most points were made before. A copy of the dict made for the
// same point, which holds only ints, is a dict of its own made without inserting a key.
PyObject* PythonSink::new_point(const ast::Point& point) {
  const PointKey key{point.line, point.column, point.offset};
  if (PyObject* kept = points_.find(point.offset, key)) return PyDict_Copy(kept);
  // Keys go in byte-wise order, as the writer would put them.
  PyObject* dict = PyDict_New();
  if (!dict || !set_item(dict, "column", shared_int(point.column)) || !set_item(dict, "line", shared_int(point.line)) ||
      !set_item(dict, "offset", shared_int(point.offset))) {
    Py_XDECREF(dict);
    return nullptr;
  }
  points_.keep(point.offset, key, dict);
  return dict;
}

PyObject* PythonSink::new_position(const ast::Position& position) {
  PyObject* dict = PyDict_New();
  if (dict && set_item(dict, "end", new_point(position.end)) && set_item(dict, "start", new_point(position.start)))
    return dict;
  Py_XDECREF(dict);
  return nullptr;
}

void PythonSink::leaf_node(std::string_view type, std::string_view value, const ast::Position& position) {
  if (failed_) return;
  PyObject* dict = PyDict_New();
  if (dict && set_item(dict, "position", new_position(position)) && set_item(dict, "type", shared_name(type)) &&
      set_item(dict, "value", new_str(value)))
    return put(dict);
  Py_XDECREF(dict);
  fail();
}

void PythonSink::set_result(PyObject* value) {
  Py_XDECREF(result_);
  result_ = value;
}

void PythonSink::append(Open& top, PyObject* value) {
  int status = PyList_Append(top.container, value);
  Py_DECREF(value);
  if (status < 0) return fail();
  ++top.filled;
}

void PythonSink::end_array() {
  if (failed_) return;
  Open& top = open_.back();
  // A list announced longer than it was filled: drop the empty slots.
  if (top.filled < PyList_GET_SIZE(top.container) &&
      PyList_SetSlice(top.container, top.filled, PyList_GET_SIZE(top.container), nullptr) < 0)
    fail();
  last_ = top.container;
  open_.pop();
}

void PythonSink::OpenStack::grow() { items_.resize(std::max<std::size_t>(16, 2 * items_.size())); }

void PythonSink::signed_integer(std::int64_t value) {
  if (!failed_) put(PyLong_FromLongLong(value));
}
void PythonSink::floating(double value) {
  if (!failed_) put(PyFloat_FromDouble(value));
}

void PythonSink::mark(const void* identity) {
  if (failed_ || !last_) return;
  auto [at, added] = marked_.try_emplace(identity, last_);
  if (added) Py_INCREF(at->second);
}

// The same object again: a text that many links view, a node inside a result listed before it.
bool PythonSink::repeat(const void* identity) {
  if (failed_) return true;
  auto found = marked_.find(identity);
  if (found == marked_.end()) return false;
  put(Py_NewRef(found->second));
  return true;
}

PyObject* PythonSink::take() {
  if (!failed_) return std::exchange(result_, nullptr);
  if (PyErr_ExceptionMatches(PyExc_MemoryError)) return nullptr;
  return raise_value_error(take_exception_text());
}

}  // namespace vyn::module
