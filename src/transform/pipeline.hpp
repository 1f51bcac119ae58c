// A parse followed by an ordered list of transforms, and the default one.
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

  // Parses `input`, then applies every transform in insertion order, each
  // seeing the tree as the ones before it left it.
  ast::Root run(std::string_view input) const;

 private:
  std::vector<std::unique_ptr<Transform>> transforms_;
};

// Parses with the default transforms: heading slugs, then the table of
// contents, so that its links point at the slugs.
ast::Root parse_with_defaults(std::string_view input);

}  // namespace vyn::transform
