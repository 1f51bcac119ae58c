// A sink that builds the dictionary form directly as Python objects: the fast
// path from a tree to the dicts and lists that `parse` returns.
#pragma once

#include <Python.h>

#include <array>
#include <bit>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "ast/records.hpp"
#include "ast/sink.hpp"

namespace vyn::module {

// Keeps the cyclic collector paused while it lives, then restores its state.
// The objects being built are all alive until the conversion ends, and no
// Python code runs meanwhile, so a collection could only traverse them in vain.
class CollectorPause {
 public:
  CollectorPause();
  CollectorPause(const CollectorPause&) = delete;
  CollectorPause& operator=(const CollectorPause&) = delete;
  ~CollectorPause();

 private:
  bool paused_;
};

// Objects made at their first use in one conversion and shared after that, each kept in the slot
// that the low bits of an index pick until another takes the slot. The slots are made at the first
// object kept and left uninitialized: bits tell which hold one, so that a short conversion sets up
// and releases only what it used.
template <class Key, unsigned kBits>
class KeptObjects {
 public:
  KeptObjects() = default;
  KeptObjects(const KeptObjects&) = delete;
  KeptObjects& operator=(const KeptObjects&) = delete;
  ~KeptObjects() {
    for (std::size_t word = 0; word < filled_.size(); ++word) {
      for (std::uint64_t bits = filled_[word]; bits != 0; bits &= bits - 1)
        Py_DECREF(slots_[word * 64 + static_cast<std::size_t>(std::countr_zero(bits))].object);
    }
  }

  // The object kept for `key` in the slot of `index`, borrowed; nothing when the slot holds another.
  [[gnu::always_inline]] PyObject* find(std::uint64_t index, const Key& key) const {
    const std::size_t k = index & kMask;
    return (filled_[k / 64] >> (k % 64) & 1) && slots_[k].key == key ? slots_[k].object : nullptr;
  }
  // Keeps a reference to `object` for `key`, in place of what the slot of `index` held.
  void keep(std::uint64_t index, const Key& key, PyObject* object) {
    if (!slots_) slots_ = std::make_unique_for_overwrite<Slot[]>(kMask + 1);
    const std::size_t k = index & kMask;
    const std::uint64_t bit = std::uint64_t{1} << (k % 64);
    if (filled_[k / 64] & bit) Py_DECREF(slots_[k].object);
    filled_[k / 64] |= bit;
    slots_[k] = {key, Py_NewRef(object)};
  }

 private:
  static constexpr std::size_t kMask = (std::size_t{1} << kBits) - 1;
  struct Slot {
    Key key;
    PyObject* object;
  };
  static_assert(std::is_trivially_default_constructible_v<Slot>, "slots are left uninitialized");

  std::unique_ptr<Slot[]> slots_;
  std::array<std::uint64_t, (kMask + 64) / 64> filled_{};
};

class PythonSink final : public ast::Sink {
 public:
  PythonSink() = default;
  PythonSink(const PythonSink&) = delete;
  PythonSink& operator=(const PythonSink&) = delete;
  ~PythonSink() override;

  // Called for every value: defined here, and the most frequent forced inline, so that a writer
  // instantiated for this class makes them without calls.
  [[gnu::always_inline]] void begin_object() override {
    if (failed_) return;
    PyObject* dict = PyDict_New();
    if (!dict) return fail();
    put(dict);  // the parent (or result_) owns it from here
    if (!failed_) open_.push({dict});
  }
  [[gnu::always_inline]] void key(ast::Key key) override {
    if (failed_) return;
    pending_key_ = key.slot() != ast::Key::kNoSlot ? slot_key(key) : shared_key(key);
    if (!pending_key_) fail();
  }
  [[gnu::always_inline]] void end_object() override {
    if (failed_) return;
    last_ = open_.back().container;
    open_.pop();
  }
  void begin_array(std::size_t size) override {
    if (failed_) return;
    PyObject* list = PyList_New(static_cast<Py_ssize_t>(size));
    if (!list) return fail();
    put(list);
    if (!failed_) open_.push({list, static_cast<Py_ssize_t>(size)});
  }
  void end_array() override;
  void null() override {
    if (!failed_) put(Py_NewRef(Py_None));
  }
  void boolean(bool value) override {
    if (!failed_) put(PyBool_FromLong(value));
  }
  [[gnu::always_inline]] void unsigned_integer(std::uint64_t value) override {
    if (!failed_) put(shared_int(value));
  }
  void signed_integer(std::int64_t value) override;
  void floating(double value) override;
  void string(std::string_view value) override {
    if (!failed_) put(new_str(value));
  }
  void name(std::string_view value) override {
    if (!failed_) put(shared_name(value));
  }
  // A node's position: the dict of its two points, built whole rather than key by key.
  void position(const ast::Position& position) {
    if (!failed_) put(new_position(position));
  }
  // A node of the shape {"position", "type", "value"}, built whole likewise.
  void leaf_node(std::string_view type, std::string_view value, const ast::Position& position);
  void mark(const void* identity) override;
  bool repeat(const void* identity) override;

  // The finished object (a new reference), or nullptr with an exception set.
  // A failed conversion is reported as ValueError with its text, except
  // exhausted memory, which stays MemoryError.
  PyObject* take();

 private:
  struct Open {
    PyObject* container;    // a dict or a list, owned through the chain of parents
    Py_ssize_t size = -1;   // the size a list was made with; -1 for a dict
    Py_ssize_t filled = 0;  // items set so far (lists)
  };
  // The open containers, innermost last: pushed and popped inline, grown out of line.
  class OpenStack {
   public:
    bool empty() const { return size_ == 0; }
    Open& back() { return items_[size_ - 1]; }
    void pop() { --size_; }
    [[gnu::always_inline]] void push(Open open) {
      if (size_ == items_.size()) [[unlikely]]
        grow();
      items_[size_++] = open;
    }

   private:
    void grow();
    std::vector<Open> items_;
    std::size_t size_ = 0;
  };
  struct NameSlot {  // left uninitialized: `names_filled_` tells which hold a name
    const char* text;
    std::size_t size;
    PyObject* object;
  };
  // A point's fields: an ast::Point has initializers, which the table's slots must not have.
  struct PointKey {
    std::uint64_t line;
    std::uint64_t column;
    std::uint64_t offset;
    bool operator==(const PointKey&) const = default;
  };
  static constexpr unsigned kNameBits = 5;  // at most 6: one word of bits tells the filled slots

  // Places a new reference where the writer is; steals it.
  [[gnu::always_inline]] void put(PyObject* value) {
    if (!value) return fail();
    last_ = value;
    if (open_.empty()) return set_result(value);
    Open& top = open_.back();
    if (top.size < 0) {
      int status = PyDict_SetItem(top.container, pending_key_, value);
      Py_DECREF(value);
      if (status < 0) fail();
    } else if (top.filled < top.size) {
      PyList_SET_ITEM(top.container, top.filled++, value);  // steals
    } else {
      append(top, value);
    }
  }
  // At the end of a list filled beyond the size it was announced with.
  void append(Open& top, PyObject* value);
  void set_result(PyObject* value);
  void fail();
  static bool filled(std::span<const std::uint64_t> bits, std::size_t k) { return (bits[k / 64] >> (k % 64) & 1) != 0; }
  // A key's str, owned by the sink; nothing with an exception set.
  PyObject* shared_key(ast::Key key);
  [[gnu::always_inline]] PyObject* slot_key(ast::Key key) {
    return filled(keys_filled_, key.slot()) ? keys_[key.slot()] : shared_key(key);
  }
  // Sets `dict[key]` to `value`, a new reference it steals (nothing: a failure already set).
  bool set_item(PyObject* dict, ast::Key key, PyObject* value);
  // New dicts of a position and of a point, or nothing with an exception set.
  PyObject* new_position(const ast::Position& position);
  PyObject* new_point(const ast::Point& point);
  // A new str of UTF-8 text, or nothing with an exception set.
  static PyObject* new_str(std::string_view text);
  // New references to the objects shared within this conversion.
  PyObject* shared_name(std::string_view value);
  PyObject* shared_int(std::uint64_t value);

  CollectorPause pause_;  // declared first: resumes after everything below is released
  OpenStack open_;
  PyObject* pending_key_ = nullptr;   // borrowed from keys_ or document_key_
  PyObject* document_key_ = nullptr;  // the last key read from the document
  PyObject* result_ = nullptr;
  bool failed_ = false;
  // Objects made at their first use in this conversion and shared after that. The tables are not
  // cleared when the sink is made: bits tell which entries hold an object, so that a short
  // conversion sets up and releases only what it used.
  std::array<PyObject*, ast::kKeys.size()> keys_;  // by slot
  std::array<std::uint64_t, (ast::kKeys.size() + 63) / 64> keys_filled_{};
  std::array<NameSlot, std::size_t{1} << kNameBits> names_;
  std::uint64_t names_filled_ = 0;
  KeptObjects<std::uint64_t, 10> ints_;                // by value, the ones the interpreter does not keep
  KeptObjects<PointKey, 8> points_;                    // by offset
  PyObject* last_ = nullptr;                           // the value completed last, borrowed
  std::unordered_map<const void*, PyObject*> marked_;  // values the writer may repeat, owned
};

}  // namespace vyn::module
