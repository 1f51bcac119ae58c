#include "transform/pipeline.hpp"

#include "parser/parser.hpp"
#include "transform/slug.hpp"
#include "transform/toc.hpp"

namespace vyn::transform {

ast::Root Pipeline::run(std::string_view input) const {
  ast::Root root = parser::parse(input);
  for (const auto& transform : transforms_) transform->transform(root, input);
  return root;
}

ast::Root parse_with_defaults(std::string_view input) {
  return Pipeline().add(AutoSlug()).add(TableOfContents()).run(input);
}

}  // namespace vyn::transform
