// The working state of the Markdown pass over one run: the open containers
// (frames), the open inline components and the finished nodes, with the rule
// that routes each finished node to its parent. Shared by the event loop and
// the inline component step.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ast/node.hpp"
#include "parser/code_meta.hpp"
#include "parser/parse_context.hpp"
#include "parser/source_map.hpp"
#include "parser/tags.hpp"

namespace vyn::parser {

// Levels of nodes a subtree spans: 1 for a leaf.
using Height = std::uint16_t;

// Nodes lifted out of containers built at the depth bound: a chain of chunks
// in the run's store (RegionState), first to last. Chains join in constant
// time, so that levels past the bound don't move what the levels below them
// lifted.
struct Chain {
  std::size_t first;
  std::size_t last;
};

// A stretch of the input (absolute offsets).
struct SourceRange {
  std::uint64_t from;
  std::uint64_t to;
};

// A container built at the bound whose children wait in a chain: its parent
// takes them in its place, and only the top level may keep it and fill it in.
struct Waiting {
  std::size_t index;  // of the container among its siblings
  Chain children;
  std::optional<SourceRange> raw_content;  // a component's source text, taken only if kept
};

// Nodes collected for a container, each with its height, so that a container
// that would nest too deep can be flattened when it is built.
struct Children {
  ast::NodeList nodes;
  std::vector<Height> heights;
  std::vector<Waiting> waiting;  // in the order of their indexes

  void add(ast::Node&& node, Height height) {
    nodes.push_back(std::move(node));
    heights.push_back(height);
  }
  // Counts the nodes appended to `nodes` since it held `before` as leaves.
  void added_leaves(std::size_t before) { heights.resize(heights.size() + nodes.size() - before, 1); }
  void append(Children other);
};

// A container's children as its node will hold them and the container's
// height; for a container at the bound, a chain of lifted nodes instead,
// which its parent takes in its place.
struct Fitted {
  ast::NodeList nodes;
  Height height;
  std::optional<Chain> lifted;
};

// What a frame will build, with the payload read from its start tag.
namespace frame {
struct Block {  // the kinds that carry nothing but children
  ast::NodeKind kind;
};
struct Heading {
  std::uint8_t level;
};
struct List {
  bool ordered;
};
struct ListItem {
  std::optional<bool> checked;
};
struct Link {  // a link or an image
  ast::NodeKind kind;
  ast::SharedText url;
  std::optional<ast::SharedText> title;
};
struct CodeBlock {
  CodeInfo info;
};
struct FootnoteDefinition {
  std::string label;
};
}  // namespace frame

using FrameKind = std::variant<frame::Block, frame::Heading, frame::List, frame::ListItem, frame::Link,
                               frame::CodeBlock, frame::FootnoteDefinition>;

// One open container, from its start event to its end event.
struct Frame {
  Frame(std::size_t first, FrameKind&& kind, ast::Point start) : first(first), kind(std::move(kind)), start(start) {}

  std::size_t first;  // where its children begin among the nodes the run stacks up (RegionState)
  std::string text;   // the code of a code-block frame
  FrameKind kind;
  // Looked up as the frame opens, near the lookups before it: a container that spans many lines
  // would find its start far back from its end.
  ast::Point start;
};

// An inline component opened by an HTML event and not yet closed.
struct OpenComponent {
  ParsedTag tag;
  Children children;
};

class RegionState {
 public:
  // `depth`: the ancestors the run's top-level nodes will have, below ast::kMaxNodeDepth.
  RegionState(const SourceMap& source_map, std::string_view input, std::size_t depth, ParseContext& context);

  const SourceMap& source_map() const { return source_map_; }
  std::string_view input() const { return input_; }
  ParseContext& context() { return context_; }
  ErrorBudget& error_budget() { return context_.errors; }

  std::vector<Frame> frames;
  std::vector<OpenComponent> component_stack;

  // Room for the nodes of a region of `bytes` that wait on the stack at once (the top level's and
  // the open containers'): about one per 64 bytes in most documents, so that they are seldom
  // moved to grow it.
  void reserve_for(std::size_t bytes) {
    stacked_.nodes.reserve(bytes / 64 + 8);
    stacked_.heights.reserve(bytes / 64 + 8);
  }
  // Opens a frame: the nodes added to it from now on are its children.
  void open_frame(FrameKind&& kind, std::uint64_t start) {
    frames.emplace_back(stacked_.nodes.size(), std::move(kind), source_map_.point(start));
  }
  // Takes the innermost frame's children, as fit() gives them. The frame stays on the stack for its
  // node to be built from in place; pop it after.
  Fitted close_frame();

  // Where a finished node belongs: the innermost open component, else the
  // innermost frame, else the top level.
  Children& target() { return component_stack.empty() ? stacked_ : component_stack.back().children; }
  // Adds a finished node of the given height there.
  void push_node(ast::Node&& node, Height height) { target().add(std::move(node), height); }
  // Adds to the innermost frame (the top level when none is open), whatever components are open.
  void push_to_frame(ast::Node&& node, Height height) { stacked_.add(std::move(node), height); }
  void push_to_frame(Children children) { stacked_.append(std::move(children)); }

  // Adds a container built from `fitted`'s nodes, as push_node does. A
  // component's source text, from `raw_content`, is taken only if the component
  // is kept.
  void push_fitted(ast::Node node, const Fitted& fitted, std::optional<SourceRange> raw_content = std::nullopt);
  // The same for a container that `build(nodes)` appends to `nodes` in place, which moves no node.
  template <class Build>
  void emplace_fitted(const Fitted& fitted, Build&& build, std::optional<SourceRange> raw_content = std::nullopt) {
    Children& children = target();
    if (fitted.lifted) children.waiting.push_back({children.nodes.size(), *fitted.lifted, raw_content});
    build(children.nodes);
    children.heights.push_back(fitted.height);
  }

  // The children of a container node about to be built. A container that
  // would reach deeper than the run may go takes the place of its tallest
  // children by their own children (one error node, the first time in the run,
  // tells so): no text is lost, and nothing recurses deeper than
  // ast::kMaxNodeDepth later on.
  Fitted fit(Children children) { return fit(std::move(children.nodes), children.heights, children.waiting, budget_); }

  // The finished top level, once every frame is closed. A run at the deepest
  // level has room for leaves only: its containers, built with room for one
  // level more, are dissolved.
  ast::NodeList take_top_level();

 private:
  struct Chunk {
    ast::NodeList nodes;
    std::size_t next;
  };
  static constexpr std::size_t kNoChunk = static_cast<std::size_t>(-1);

  // `waiting` indexes `nodes`, in order.
  Fitted fit(ast::NodeList nodes, std::span<const Height> heights, std::span<Waiting> waiting, Height budget);
  // A chain of one empty chunk.
  Chain new_chain();
  // Joins `tail` to the end of `chain`, with a new empty chunk after it.
  void join(Chain& chain, Chain tail);
  // The nodes of `chain`, moved out of its chunks.
  ast::NodeList take(Chain chain);
  // Fills in a container kept after all.
  void keep(ast::Node& node, Waiting& waiting);

  const SourceMap& source_map_;
  std::string_view input_;
  ParseContext& context_;
  Height levels_;  // levels below the run's parent
  Height budget_;  // levels a container built in the run may span
  bool reported_too_deep_ = false;
  std::vector<Chunk> chunks_;
  // The top level's nodes, then the children of each open frame in turn, the
  // innermost frame's last: one list for the run, which each frame's node
  // takes its children from, so that no frame grows a list of its own.
  Children stacked_;
};

}  // namespace vyn::parser
