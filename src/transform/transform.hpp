// The interface every tree transform implements: a named rewrite of a parsed
// tree, applied in place.
#pragma once

#include <string_view>

#include "ast/node.hpp"

namespace vyn::transform {

class Transform {
 public:
  virtual ~Transform() = default;

  // The transform's fixed name; it identifies the transform and nothing looks it up.
  virtual std::string_view name() const = 0;

  // Rewrites `root` in place; `source` is the text it was parsed from. Never
  // fails. Const because all working state lives in one call, so a transform
  // can be applied any number of times.
  virtual void transform(ast::Root& root, std::string_view source) const = 0;
};

}  // namespace vyn::transform
