// Searching a text for the next of some delimiter bytes from positions that
// only move forward, so that scanners that retry one character later stay linear.
#pragma once

#include <cstddef>
#include <string_view>

namespace vyn::parser {

// Remembers the last hit: asked again from a later position that lies before
// that hit, it answers without searching, so each byte is searched once while
// the positions asked for never decrease (an earlier position searches anew).
class ForwardFind {
 public:
  ForwardFind(std::string_view text, std::string_view bytes) : text_(text), bytes_(bytes) {}

  // The index of the first of `bytes` at or after `from`, or npos.
  std::size_t operator()(std::size_t from) {
    if (from < from_ || (found_ != std::string_view::npos && found_ < from)) {
      found_ = text_.find_first_of(bytes_, from);
    }
    from_ = from;
    return found_;
  }

 private:
  std::string_view text_;
  std::string_view bytes_;
  std::size_t from_ = std::string_view::npos;
  std::size_t found_ = std::string_view::npos;
};

}  // namespace vyn::parser
