// Where the dictionary form of a tree is written to. The writer emits every
// object's keys in byte-wise order, so a sink that keeps insertion order (a
// Python dict) gets the same order as one that sorts (a JSON value).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vyn::ast {

class Sink {
 public:
  virtual ~Sink() = default;
  virtual void begin_object() = 0;
  // Keys given by the writer are string literals (static storage); keys of
  // frontmatter and attribute objects are not.
  virtual void key(std::string_view key) = 0;
  virtual void end_object() = 0;
  virtual void begin_array(std::size_t size) = 0;
  virtual void end_array() = 0;
  virtual void null() = 0;
  virtual void boolean(bool value) = 0;
  virtual void unsigned_integer(std::uint64_t value) = 0;
  virtual void signed_integer(std::int64_t value) = 0;
  virtual void floating(double value) = 0;
  virtual void string(std::string_view value) = 0;
};

}  // namespace vyn::ast
