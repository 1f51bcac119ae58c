#include "parser/body.hpp"

#include <iterator>
#include <string>
#include <utility>

#include "ast/limits.hpp"
#include "math/math.hpp"
#include "parser/region.hpp"
#include "parser/scanner.hpp"

namespace vyn::parser {

namespace {


// Turns the segments of one body into its nodes, recursing into components.
class Assembler {
 public:
  Assembler(const SourceMap& source_map, std::string_view input, std::size_t depth)
      : source_map_(source_map), input_(input), depth_(depth) {}

  void add(Segment::Markdown run) {
    ast::NodeList region = parse_markdown_region(slice(run.start, run.end), run.start, source_map_, input_, depth_);
    nodes_.insert(nodes_.end(), std::make_move_iterator(region.begin()), std::make_move_iterator(region.end()));
  }

  void add(Segment::Component component) {
    ParsedTag& tag = component.tag;
    if (depth_ + 1 >= ast::kMaxNodeDepth) {
      nodes_.push_back(ast::make_error(too_deep_message(), std::string(slice(tag.start, component.end)),
                                       source_map_.position(tag.start, component.end)));
      return;
    }
    std::string_view body = slice(component.body_start, component.body_end);
    add_component(std::move(tag), parse_body(body, component.body_start, source_map_, input_, depth_ + 1),
                  std::string(body), component.end);
  }

  void add(Segment::SelfClosing self_closing) {
    std::uint64_t end = self_closing.tag.end;
    add_component(std::move(self_closing.tag), {}, {}, end);
  }

  void add(Segment::MathBlock block) {
    std::string raw(slice(block.content_start, block.content_end));
    ast::MathExpr tree = math::parse(raw);
    std::uint64_t start = block.content_start >= 3 ? block.content_start - 3 : 0;
    nodes_.push_back(ast::make_node(ast::NodeKind::MathDisplay,
                                    ast::MathDisplayNode{std::move(raw), std::move(tree), std::move(block.label),
                                                         source_map_.position(start, block.end)}));
  }

  void add(ErrorSegment error) {
    nodes_.push_back(
        ast::make_error(std::move(error.message), std::string(error.raw), source_map_.position(error.start, error.end)));
  }

  ast::NodeList take() && { return std::move(nodes_); }

 private:
  static std::string too_deep_message() {
    return "Component nesting deeper than " + std::to_string(ast::kMaxNodeDepth - 1) + " levels";
  }

  std::string_view slice(std::uint64_t start, std::uint64_t end) const { return input_.substr(start, end - start); }

  void add_component(ParsedTag tag, ast::NodeList children, std::string raw_content, std::uint64_t end) {
    nodes_.push_back(ast::make_node(
        ast::NodeKind::Component,
        ast::ComponentNode{std::move(tag.name), false, std::move(tag.attributes), std::move(children),
                           std::move(raw_content), source_map_.position(tag.start, end)}));
  }

  const SourceMap& source_map_;
  std::string_view input_;
  std::size_t depth_;
  ast::NodeList nodes_;
};

}  // namespace

ast::NodeList parse_body(std::string_view body, std::uint64_t base, const SourceMap& source_map,
                         std::string_view input, std::size_t depth) {
  Assembler assembler(source_map, input, depth);
  for (Segment& segment : scan_segments(body, base, source_map)) {
    std::visit([&](auto& kind) { assembler.add(std::move(kind)); }, segment.value);
  }
  return std::move(assembler).take();
}

}  // namespace vyn::parser
