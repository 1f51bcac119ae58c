#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "checks.hpp"

namespace vyn::fuzz {

namespace {

class PositionCheck {
 public:
  explicit PositionCheck(std::string_view text) : size_(text.size()) {
    for (std::size_t i = 0; i < text.size(); ++i)
      if (text[i] == '\n') line_starts_.push_back(i + 1);
  }

  void nodes(const ast::NodeList& list) const {
    for (const ast::Node& node : list) {
      span(node.position(), ast::kind_name(node.kind));
      if (node.kind == ast::NodeKind::Component) attributes(node.as<ast::ComponentNode>());
      if (const ast::NodeList* children = node.children()) nodes(*children);
    }
  }

  void span(const ast::Position& position, std::string_view what) const {
    point(position.start, what);
    point(position.end, what);
    if (position.start.offset > position.end.offset) fail(std::string(what) + " ends before it starts");
  }

 private:
  void point(const ast::Point& point, std::string_view what) const {
    if (point.offset > size_)
      fail(std::string(what) + " at offset " + std::to_string(point.offset) + " past the end of the input");
    const auto after = std::upper_bound(line_starts_.begin(), line_starts_.end(), point.offset);
    const std::uint64_t line = static_cast<std::uint64_t>(after - line_starts_.begin());
    const std::uint64_t column = point.offset - *(after - 1) + 1;
    if (point.line != line || point.column != column)
      fail(std::string(what) + " at offset " + std::to_string(point.offset) + " gives " + std::to_string(point.line) +
           ":" + std::to_string(point.column) + ", not " + std::to_string(line) + ":" + std::to_string(column));
  }

  void attributes(const ast::ComponentNode& component) const {
    for (const ast::AttributeNode& attribute : component.attributes) {
      span(attribute.position, "attribute");
      if (const auto* variable = std::get_if<ast::VariableNode>(&attribute.value)) span(variable->position, "variable");
    }
  }

  std::size_t size_;
  std::vector<std::uint64_t> line_starts_{0};
};

}  // namespace

void check_positions(const ast::Root& root, std::string_view text) {
  PositionCheck check(text);
  check.span(root.position, "root");
  check.nodes(root.children);
}

}  // namespace vyn::fuzz
