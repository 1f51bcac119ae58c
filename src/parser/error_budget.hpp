// How much error text the malformed tags of one parse may copy. Several tag
// errors take the text from their tag to the end of the body or line, and a
// body can hold a broken tag on every line; past the budget each error is cut
// short, so that the error text of a parse stays linear in the input.
#pragma once

#include <cstddef>
#include <string_view>

#include "ast/node.hpp"
#include "parser/source_map.hpp"
#include "parser/tags.hpp"
#include "parser/text_origin.hpp"

namespace vyn::parser {

// Lives for one parse and is handed down to everything that turns tag errors
// into nodes.
//
// The worst case: each tag error needs a "<" and an uppercase letter of its
// own, so an input of n bytes makes at most n / 2 of them. A cut error holds at
// most kCutBytes of raw content and kCutBytes of inserted value besides its
// fixed words (48 bytes at most), 176 bytes in all. So the error text of one
// parse stays below kFixedBytes + kBytesPerInputByte * n + 88 * n bytes, that
// is 16 MiB + 96 n.
class ErrorBudget {
 public:
  // Error text copied whole: enough for any document that is not made to
  // repeat a broken tag thousands of times.
  static constexpr std::size_t kFixedBytes = std::size_t{16} << 20;
  static constexpr std::size_t kBytesPerInputByte = 8;
  // A cut error keeps its raw content and its inserted value up to their first
  // line feed, and at most this many bytes of each.
  static constexpr std::size_t kCutBytes = 64;

  explicit ErrorBudget(std::size_t input_size) : left_(kFixedBytes + kBytesPerInputByte * input_size) {}

  // The error node for `error`: exactly as the error says while its message
  // and raw content fit in what is left; once they don't, the budget is spent,
  // and this and every later error is cut, its position ending where its
  // shortened raw content ends. `raw_origin` says where the error's raw text
  // sits in the input; by default it is the input's slice at the error's start.
  ast::Node error_node(const TagError& error, TextOrigin raw_origin, const SourceMap& source_map);
  ast::Node error_node(const TagError& error, const SourceMap& source_map) {
    return error_node(error, error.start, source_map);
  }

 private:
  std::size_t left_;
};

// `text` up to its first line feed and at most ErrorBudget::kCutBytes, never
// inside a UTF-8 character.
std::string_view cut_short(std::string_view text);

}  // namespace vyn::parser
