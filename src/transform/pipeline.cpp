#include "transform/pipeline.hpp"

#include "transform/slug.hpp"
#include "transform/toc.hpp"

namespace vyn::transform {

void Pipeline::apply(ast::Root& root, std::string_view source) const {
  for (const auto& transform : transforms_) transform->transform(root, source);
}

Pipeline default_pipeline() { return Pipeline().add(AutoSlug()).add(TableOfContents()); }

}  // namespace vyn::transform
