#include "parser/region_state.hpp"

#include <algorithm>
#include <iterator>

#include "ast/limits.hpp"
#include "parser/source_slice.hpp"

namespace vyn::parser {

void Children::append(Children other) {
  std::size_t offset = nodes.size();
  for (std::size_t k = 0; k < other.nodes.size(); ++k) add(std::move(other.nodes[k]), other.heights[k]);
  for (Waiting& w : other.waiting) {
    w.index += offset;
    waiting.push_back(w);
  }
}

RegionState::RegionState(const SourceMap& source_map, std::string_view input, std::size_t depth, ParseContext& context)
    : source_map_(source_map),
      input_(input),
      context_(context),
      levels_(static_cast<Height>(ast::kMaxNodeDepth - std::min(depth, ast::kMaxNodeDepth - 1))),
      budget_(std::max<Height>(levels_, 2)) {
  frames.reserve(8);  // containers seldom nest deeper: no frame is moved to grow the stack
}

Fitted RegionState::close_frame() {
  const std::size_t first = frames.back().first;
  // The frame's own come last, their indexes in order: found from the end, so that a frame costs
  // its own children only.
  auto waiting = stacked_.waiting.end();
  while (waiting != stacked_.waiting.begin() && std::prev(waiting)->index >= first) --waiting;
  for (auto w = waiting; w != stacked_.waiting.end(); ++w) w->index -= first;
  auto from = stacked_.nodes.begin() + static_cast<std::ptrdiff_t>(first);
  Fitted fitted = fit(ast::NodeList(std::make_move_iterator(from), std::make_move_iterator(stacked_.nodes.end())),
                      std::span<const Height>(stacked_.heights).subspan(first),
                      std::span<Waiting>(waiting, stacked_.waiting.end()), budget_);
  stacked_.nodes.erase(from, stacked_.nodes.end());
  stacked_.heights.resize(first);
  stacked_.waiting.erase(waiting, stacked_.waiting.end());
  return fitted;
}

void RegionState::push_fitted(ast::Node node, const Fitted& fitted, std::optional<SourceRange> raw_content) {
  if (!fitted.lifted && raw_content) {
    node.as<ast::ComponentNode>().raw_content = source_slice(input_, raw_content->from, raw_content->to);
  }
  emplace_fitted(
      fitted, [&](ast::NodeList& nodes) { nodes.push_back(std::move(node)); }, raw_content);
}

ast::NodeList RegionState::take_top_level() {
  Fitted fitted = fit(std::move(stacked_.nodes), stacked_.heights, stacked_.waiting, static_cast<Height>(levels_ + 1));
  return fitted.lifted ? take(*fitted.lifted) : std::move(fitted.nodes);
}

Fitted RegionState::fit(ast::NodeList nodes, std::span<const Height> heights, std::span<Waiting> waiting_list,
                        Height budget) {
  Height tallest = 0;
  for (Height h : heights) tallest = std::max(tallest, h);
  if (tallest < budget) {
    for (Waiting& w : waiting_list) keep(nodes[w.index], w);
    return {std::move(nodes), static_cast<Height>(tallest + 1), std::nullopt};
  }
  // No child is taller than budget, so lifting the grandchildren of the
  // tallest ones is enough. Those built at the bound already hold theirs in a
  // chain, which joins this one whole.
  Chain chain = new_chain();
  auto waiting = waiting_list.begin();
  for (std::size_t k = 0; k < nodes.size(); ++k) {
    ast::Node& child = nodes[k];
    Waiting* wait = waiting != waiting_list.end() && waiting->index == k ? &*waiting++ : nullptr;
    if (heights[k] < budget) {
      if (wait) keep(child, *wait);
      chunks_[chain.last].nodes.push_back(std::move(child));
      continue;
    }
    if (!reported_too_deep_) {
      reported_too_deep_ = true;
      const ast::Position& at = child.position();
      chunks_[chain.last].nodes.push_back(
          ast::make_error("Nesting too deep: more than " + std::to_string(ast::kMaxNodeDepth) + " levels",
                          std::string(source_slice(input_, at.start.offset, at.end.offset)), at));
    }
    if (wait) {
      join(chain, wait->children);
    } else {
      ast::NodeList& lifted = chunks_[chain.last].nodes;
      for (ast::Node& grandchild : *child.children()) lifted.push_back(std::move(grandchild));
    }
  }
  return {{}, budget, chain};
}

Chain RegionState::new_chain() {
  chunks_.push_back({{}, kNoChunk});
  return {chunks_.size() - 1, chunks_.size() - 1};
}

void RegionState::join(Chain& chain, Chain tail) {
  Chain after = new_chain();
  chunks_[chain.last].next = tail.first;
  chunks_[tail.last].next = after.first;
  chain.last = after.last;
}

ast::NodeList RegionState::take(Chain chain) {
  std::size_t size = 0;
  for (std::size_t c = chain.first; c != kNoChunk; c = chunks_[c].next) size += chunks_[c].nodes.size();
  ast::NodeList nodes;
  nodes.reserve(size);
  for (std::size_t c = chain.first; c != kNoChunk; c = chunks_[c].next) {
    for (ast::Node& node : chunks_[c].nodes) nodes.push_back(std::move(node));
    chunks_[c].nodes = {};
  }
  return nodes;
}

void RegionState::keep(ast::Node& node, Waiting& waiting) {
  *node.children() = take(waiting.children);
  if (waiting.raw_content) {
    node.as<ast::ComponentNode>().raw_content =
        source_slice(input_, waiting.raw_content->from, waiting.raw_content->to);
  }
}

}  // namespace vyn::parser
