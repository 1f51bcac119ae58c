// Where the dictionary form of a tree is written to. The writer emits every
// object's keys in byte-wise order, so a sink that keeps insertion order (a
// Python dict) gets the same order as one that sorts (a JSON value).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace vyn::ast {

// Every key the writers spell out, in byte-wise order; a key's slot is its index.
inline constexpr std::array<std::string_view, 68> kKeys = {
    "alt",        "annotation",  "attributes",  "base",      "body",
    "caption",    "cells",       "checked",     "children",  "close",
    "color",      "column",      "columns",     "component", "condition",
    "delimiters", "denominator", "depth",       "diff",      "end",
    "expr",       "font",        "frontmatter", "highlight", "id",
    "index",      "isInline",    "keys",        "kind",      "label",
    "lang",       "limits",      "line",        "locator",   "lower",
    "message",    "meta",        "mode",        "name",      "numbered",
    "numerator",  "offset",      "op",          "open",      "ordered",
    "over",       "path",        "position",    "prefix",    "raw",
    "rawContent", "rows",        "script",      "severity",  "showLineNumbers",
    "start",      "style",       "sub",         "sup",       "symbol",
    "target",     "title",       "tree",        "type",      "under",
    "upper",      "url",         "value"};

// A dictionary key. A string literal names one of kKeys, whose slot is found
// when the program is compiled (a literal missing from the table does not
// compile); keys read from a document (frontmatter, attribute values) have
// none. Two words, so that it travels in registers.
class Key {
 public:
  static constexpr std::size_t kNoSlot = 0xff;
  static_assert(kKeys.size() < kNoSlot);

  template <std::size_t N>
  consteval Key(const char (&text)[N]) : Key(text, N - 1, slot_of(text)) {}  // NOLINT: implicit
  static Key of_text(std::string_view text) { return Key(text.data(), text.size(), kNoSlot); }
  // A key of kKeys held as a constant string_view (a field name of a record's shape). Used
  // only to initialise constants, so a name missing from kKeys still does not compile; not
  // consteval, which clang 14 rejects inside a template.
  static constexpr Key named(std::string_view text) { return Key(text.data(), text.size(), slot_of(text)); }

  std::string_view text() const { return {data_, static_cast<std::size_t>(size_and_slot_ >> 8)}; }
  std::size_t slot() const { return size_and_slot_ & 0xff; }

 private:
  constexpr Key(const char* data, std::size_t size, std::size_t slot) : data_(data), size_and_slot_(size << 8 | slot) {}
  static constexpr std::size_t slot_of(std::string_view text) {
    for (std::size_t k = 0; k < kKeys.size(); ++k)
      if (kKeys[k] == text) return k;
    throw std::logic_error("a key missing from kKeys");
  }

  const char* data_;
  // The size above the low 8 bits and the slot in them, packed by hand: clang 14 fails to
  // compile a consteval constructor of bit-fields.
  std::uint64_t size_and_slot_;
};

class Sink {
 public:
  virtual ~Sink() = default;
  virtual void begin_object() = 0;
  virtual void key(Key key) = 0;
  virtual void end_object() = 0;
  virtual void begin_array(std::size_t size) = 0;
  virtual void end_array() = 0;
  virtual void null() = 0;
  virtual void boolean(bool value) = 0;
  virtual void unsigned_integer(std::uint64_t value) = 0;
  virtual void signed_integer(std::int64_t value) = 0;
  virtual void floating(double value) = 0;
  virtual void string(std::string_view value) = 0;
  // A string of the tree's fixed vocabulary (kind and enumeration names):
  // static storage, so one address always holds the same text.
  virtual void name(std::string_view value) { string(value); }

  // Values that the writer meets more than once and that a sink may build once: a text that many
  // nodes view, a node listed both alone and inside its ancestors. `mark` names the value just
  // completed; `repeat` places the value so named again and says whether it could. A sink that
  // makes no use of this writes such values again each time.
  virtual void mark(const void* identity) { static_cast<void>(identity); }
  virtual bool repeat(const void* identity) {
    static_cast<void>(identity);
    return false;
  }
};

}  // namespace vyn::ast
