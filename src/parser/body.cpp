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

// Turns the segments of a body into its nodes, recursing into components;
// the bodies of one input share what their scans learn about closing lines.
// Only `parse` and the component case recurse: every other segment, and the
// building of each node, is handled by helpers that are never inlined into
// them, so that a level of nesting costs the stack little.
class Assembler {
 public:
  Assembler(const SourceMap& source_map, std::string_view input, ParseContext& context)
      : source_map_(source_map), input_(input), context_(context) {}

  ast::NodeList parse(std::string_view body, std::uint64_t base, std::size_t depth) {
    ast::NodeList nodes;
    for (Segment& segment : scan(body, base)) {
      std::visit([&](auto& kind) { add(kind, depth, nodes); }, segment.value);
    }
    return nodes;
  }

 private:
  [[gnu::noinline]] std::vector<Segment> scan(std::string_view body, std::uint64_t base) {
    return scan_segments(body, base, source_map_, closing_lines_);
  }

  // A component whose children would reach the depth bound becomes an error
  // over its whole text, and its body is not read. The node takes its place
  // before its body is parsed into it.
  void add(Segment::Component& component, std::size_t depth, ast::NodeList& nodes) {
    if (depth + 1 >= ast::kMaxNodeDepth) return add_too_deep(component, nodes);
    ast::Node& node = add_empty_component(component, nodes);
    node.as<ast::ComponentNode>().children =
        parse(slice(component.body_start, component.body_end), component.body_start, depth + 1);
  }

  [[gnu::noinline]] void add_too_deep(const Segment::Component& component, ast::NodeList& nodes) const {
    const ParsedTag& tag = component.tag;
    nodes.push_back(ast::make_error(too_deep_message(), std::string(slice(tag.start, component.end)),
                                    source_map_.position(tag.start, component.end)));
  }

  [[gnu::noinline]] ast::Node& add_empty_component(Segment::Component& component, ast::NodeList& nodes) const {
    std::string body(slice(component.body_start, component.body_end));
    return nodes.emplace_back(make_component(std::move(component.tag), {}, std::move(body), component.end));
  }

  [[gnu::noinline]] void add(Segment::Markdown& run, std::size_t depth, ast::NodeList& nodes) {
    ast::NodeList region =
        parse_markdown_region(slice(run.start, run.end), run.start, source_map_, input_, depth, context_);
    // Most bodies are one run: its list becomes theirs, without a move per node.
    if (nodes.empty()) {
      nodes = std::move(region);
    } else {
      nodes.insert(nodes.end(), std::make_move_iterator(region.begin()), std::make_move_iterator(region.end()));
    }
  }

  [[gnu::noinline]] void add(Segment::SelfClosing& self_closing, std::size_t, ast::NodeList& nodes) {
    std::uint64_t end = self_closing.tag.end;
    nodes.push_back(make_component(std::move(self_closing.tag), {}, {}, end));
  }

  [[gnu::noinline]] void add(Segment::MathBlock& block, std::size_t, ast::NodeList& nodes) {
    std::string raw(slice(block.content_start, block.content_end));
    ast::MathExpr tree = math::parse(raw);
    std::uint64_t start = block.content_start >= 3 ? block.content_start - 3 : 0;
    nodes.push_back(ast::make_node(ast::NodeKind::MathDisplay,
                                   ast::MathDisplayNode{std::move(raw), std::move(tree), std::move(block.label),
                                                        source_map_.position(start, block.end)}));
  }

  [[gnu::noinline]] void add(ErrorSegment& error, std::size_t, ast::NodeList& nodes) {
    nodes.push_back(ast::make_error(std::move(error.message), std::string(error.raw),
                                    source_map_.position(error.start, error.end)));
  }

  [[gnu::noinline]] void add(const TagError& error, std::size_t, ast::NodeList& nodes) {
    nodes.push_back(context_.errors.error_node(error, source_map_));
  }

  static std::string too_deep_message() {
    return "Component nesting deeper than " + std::to_string(ast::kMaxNodeDepth - 1) + " levels";
  }

  std::string_view slice(std::uint64_t start, std::uint64_t end) const { return input_.substr(start, end - start); }

  ast::Node make_component(ParsedTag tag, ast::NodeList children, std::string raw_content, std::uint64_t end) const {
    return ast::make_node(ast::NodeKind::Component,
                          ast::ComponentNode{std::move(tag.name), false, std::move(tag.attributes), std::move(children),
                                             std::move(raw_content), source_map_.position(tag.start, end)});
  }

  const SourceMap& source_map_;
  std::string_view input_;
  ParseContext& context_;
  ClosingLines closing_lines_;
};

}  // namespace

ast::NodeList parse_body(std::string_view body, std::uint64_t base, const SourceMap& source_map, std::string_view input,
                         std::size_t depth, ParseContext& context) {
  return Assembler(source_map, input, context).parse(body, base, depth);
}

}  // namespace vyn::parser
