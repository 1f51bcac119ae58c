#include "parser/region_state.hpp"

#include <algorithm>

#include "ast/limits.hpp"
#include "parser/source_slice.hpp"

namespace vyn::parser {

RegionState::RegionState(const SourceMap& source_map, std::string_view input, std::size_t depth,
                         ErrorBudget& error_budget)
    : source_map_(source_map),
      input_(input),
      error_budget_(error_budget),
      levels_(static_cast<Height>(ast::kMaxNodeDepth - std::min(depth, ast::kMaxNodeDepth - 1))),
      budget_(std::max<Height>(levels_, 2)) {}

void RegionState::push_node(ast::Node node, Height height) {
  if (!component_stack.empty()) {
    component_stack.back().children.add(std::move(node), height);
  } else if (!frames.empty()) {
    frames.back().children.add(std::move(node), height);
  } else {
    top_level.add(std::move(node), height);
  }
}

std::pair<ast::NodeList, Height> RegionState::fit(Children children, Height budget) {
  Height tallest = 0;
  for (Height h : children.heights) tallest = std::max(tallest, h);
  if (tallest < budget) return {std::move(children.nodes), static_cast<Height>(tallest + 1)};
  // No child is taller than budget, so lifting the grandchildren of the
  // tallest ones is enough.
  ast::NodeList nodes;
  for (std::size_t k = 0; k < children.nodes.size(); ++k) {
    ast::Node& child = children.nodes[k];
    if (children.heights[k] < budget) {
      nodes.push_back(std::move(child));
      continue;
    }
    if (!reported_too_deep_) {
      reported_too_deep_ = true;
      const ast::Position& at = child.position();
      nodes.push_back(ast::make_error("Nesting too deep: more than " + std::to_string(ast::kMaxNodeDepth) + " levels",
                                      std::string(source_slice(input_, at.start.offset, at.end.offset)), at));
    }
    for (ast::Node& grandchild : *child.children()) nodes.push_back(std::move(grandchild));
  }
  return {std::move(nodes), budget};
}

}  // namespace vyn::parser
