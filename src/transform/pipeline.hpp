// An ordered list of transforms applied to a parsed tree, and the default one.
#pragma once

#include <memory>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "ast/node.hpp"
#include "transform/transform.hpp"

namespace vyn::transform {

class Pipeline {
 public:
  // Appends a transform, applied after those added before it; calls chain:
  // `Pipeline().add(AutoSlug()).add(TableOfContents())`.
  template <class T>
  requires std::is_base_of_v<Transform, T> Pipeline add(T transform) && {
    transforms_.push_back(std::make_unique<T>(std::move(transform)));
    return std::move(*this);
  }

  // Applies every transform in insertion order, each seeing the tree as the
  // ones before it left it and the same `source`, the text it was parsed from.
  void apply(ast::Root& root, std::string_view source) const;

 private:
  std::vector<std::unique_ptr<Transform>> transforms_;
};

// The default transforms: heading slugs, then the table of contents, so that
// its links point at the slugs.
Pipeline default_pipeline();

}  // namespace vyn::transform
