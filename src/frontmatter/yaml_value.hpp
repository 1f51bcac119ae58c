// Builds the JSON value of one YAML document from its node events: scalars by
// the YAML 1.2 core schema, mappings with merge keys, and the nesting bound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ast/json.hpp"

namespace vyn::frontmatter {

// Levels of collections inside one another in a frontmatter value, aliases
// expanded.
inline constexpr std::size_t kMaxYamlDepth = 2'000;
// `<<` keys in one frontmatter, aliases expanded.
inline constexpr std::size_t kMaxMergeKeys = 10'000;

// The tags that steer how a scalar resolves; every other tag is ignored.
enum class ScalarTag : std::uint8_t { None, Str, Null, Bool, Int, Float };

struct ScalarForm {
  bool plain = true;  // written without quotes or block style
  ScalarTag tag = ScalarTag::None;
};

// A scalar's value: untagged plain scalars by the core schema, other untagged
// ones as strings, tagged ones as their tag demands. Nothing when the text
// doesn't fit its tag (`!!int abc`).
std::optional<ast::Json> resolve_scalar(std::string_view text, ScalarForm form);

// Each step returns false when the events can't form a value (a collection
// as a key, a repeated key, a merge of something other than mappings, too
// deep); the builder is of no further use then.
class ValueBuilder {
 public:
  bool start_collection(bool mapping);
  bool end_collection();
  bool scalar(std::string_view text, ScalarForm form);

  // The finished value; null when the stream held no document.
  ast::Json take() { return std::move(result_); }

 private:
  struct Frame {
    ast::Json value;
    std::optional<std::string> key;  // mappings: the key awaiting its value
    bool merge = false;              // that key is `<<`
    std::vector<ast::Json> merges;   // mappings to merge in at the end, in precedence order
  };

  bool place(ast::Json value);
  bool add_merge(Frame& frame, ast::Json value);

  std::vector<Frame> stack_;
  ast::Json result_;
  std::size_t merge_keys_ = 0;
};

}  // namespace vyn::frontmatter
