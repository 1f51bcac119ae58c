// The working state of the Markdown pass over one run: the open containers
// (frames), the open inline components and the finished nodes, with the rule
// that routes each finished node to its parent. Shared by the event loop and
// the inline component step.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ast/node.hpp"
#include "parser/code_meta.hpp"
#include "parser/error_budget.hpp"
#include "parser/source_map.hpp"
#include "parser/tags.hpp"

namespace vyn::parser {

// Levels of nodes a subtree spans: 1 for a leaf.
using Height = std::uint16_t;

// Nodes collected for a container, each with its height, so that a container
// that would nest too deep can be flattened when it is built.
struct Children {
  ast::NodeList nodes;
  std::vector<Height> heights;

  void add(ast::Node node, Height height) {
    nodes.push_back(std::move(node));
    heights.push_back(height);
  }
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
  std::string url;
  std::optional<std::string> title;
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
  Children children;
  std::string text;  // the code of a code-block frame
  FrameKind kind;
  std::uint64_t start;  // absolute
};

// An inline component opened by an HTML event and not yet closed.
struct OpenComponent {
  ParsedTag tag;
  Children children;
};

class RegionState {
 public:
  // `depth`: the ancestors the run's top-level nodes will have, below ast::kMaxNodeDepth.
  RegionState(const SourceMap& source_map, std::string_view input, std::size_t depth, ErrorBudget& error_budget);

  const SourceMap& source_map() const { return source_map_; }
  std::string_view input() const { return input_; }
  ErrorBudget& error_budget() { return error_budget_; }

  std::vector<Frame> frames;
  std::vector<OpenComponent> component_stack;
  Children top_level;

  // Adds a finished node of the given height where it belongs: the innermost
  // open component, else the innermost frame, else the top level.
  void push_node(ast::Node node, Height height);

  // Children for a container node about to be built, and the container's
  // height. A container that would reach deeper than the run may go takes the
  // place of its tallest children by their own children (one error node, the
  // first time in the run, tells so): no text is lost, and nothing recurses
  // deeper than ast::kMaxNodeDepth later on.
  std::pair<ast::NodeList, Height> fit(Children children) { return fit(std::move(children), budget_); }

  // The finished top level. A run at the deepest level has room for leaves
  // only: its containers, built with room for one level more, are dissolved.
  ast::NodeList take_top_level() { return fit(std::move(top_level), static_cast<Height>(levels_ + 1)).first; }

 private:
  std::pair<ast::NodeList, Height> fit(Children children, Height budget);

  const SourceMap& source_map_;
  std::string_view input_;
  ErrorBudget& error_budget_;
  Height levels_;  // levels below the run's parent
  Height budget_;  // levels a container built in the run may span
  bool reported_too_deep_ = false;
};

}  // namespace vyn::parser
