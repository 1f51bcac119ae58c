// The auto-slug transform: every heading without an id gets one made from
// its text, numbered when the same slug comes again.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "ast/node.hpp"
#include "transform/transform.hpp"

namespace vyn::transform {

// How often each base slug has been given out in one document.
using SlugCounters = std::unordered_map<std::string, std::size_t>;

class AutoSlug final : public Transform {
 public:
  std::string_view name() const override { return "auto-slug"; }
  void transform(ast::Root& root, std::string_view source) const override;
};

// Lower-case ASCII letters and digits kept, every other run of characters
// one "-", none at either end: "Hello, World!" gives "hello-world".
std::string slugify(std::string_view text);

// Gives ids to the headings of `nodes` and below, in document order.
void slugify_headings(ast::NodeList& nodes, SlugCounters& counters);

}  // namespace vyn::transform
