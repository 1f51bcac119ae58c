#include "parser/region.hpp"

#include <map>
#include <utility>

#include "ast/unicode.hpp"
#include "markdown/parser.hpp"
#include "parser/html_components.hpp"
#include "parser/merge.hpp"
#include "parser/region_state.hpp"
#include "parser/text.hpp"

namespace vyn::parser {

namespace {

using markdown::Event;
using markdown::EventKind;
using markdown::TagKind;

FrameKind frame_kind(const Event& event) {
  using ast::NodeKind;
  switch (event.tag) {
    case TagKind::Paragraph: return frame::Block{NodeKind::Paragraph};
    case TagKind::Heading: return frame::Heading{event.heading_level};
    case TagKind::BlockQuote: return frame::Block{NodeKind::Blockquote};
    case TagKind::CodeBlock:
      if (event.code_block_kind == markdown::CodeBlockKind::Indented) return frame::CodeBlock{};
      return frame::CodeBlock{split_code_info(event.text)};
    case TagKind::HtmlBlock: return frame::Block{NodeKind::Html};
    case TagKind::List: return frame::List{event.list_start.has_value()};
    case TagKind::Item: return frame::ListItem{};
    case TagKind::FootnoteDefinition: return frame::FootnoteDefinition{std::string(event.text)};
    case TagKind::Table: return frame::Block{NodeKind::Table};
    case TagKind::TableHead:
    case TagKind::TableRow: return frame::Block{NodeKind::TableRow};
    case TagKind::TableCell: return frame::Block{NodeKind::TableCell};
    case TagKind::Emphasis: return frame::Block{NodeKind::Emphasis};
    case TagKind::Strong: return frame::Block{NodeKind::Strong};
    case TagKind::Strikethrough: return frame::Block{NodeKind::Strikethrough};
    case TagKind::Link:
    case TagKind::Image: break;  // RegionPass::link_frame
    case TagKind::DefinitionList: return frame::Block{NodeKind::DefinitionList};
    case TagKind::DefinitionListTitle: return frame::Block{NodeKind::DefinitionTerm};
    case TagKind::DefinitionListDefinition: return frame::Block{NodeKind::DefinitionDescription};
  }
  return frame::Block{NodeKind::Paragraph};
}

// Appends the node a closed frame stands for to `out`, built in place.
struct FrameNodeBuilder {
  ast::NodeList& out;
  ast::NodeList children;
  std::string text;
  ast::Position position;
  HighlightBudget& highlights;

  template <class Record, class... Fields>
  void add(ast::NodeKind kind, Fields&&... fields) {
    out.emplace_back(kind, std::in_place_type<ast::StoredRecord<Record>>, std::forward<Fields>(fields)...);
  }
  ast::StandardBlockNode& block(ast::NodeKind kind) {
    add<ast::StandardBlockNode>(kind);
    auto& node = out.back().as<ast::StandardBlockNode>();
    node.children = std::move(children);
    node.position = position;
    return node;
  }

  void operator()(frame::Block& f) { block(f.kind); }
  void operator()(frame::Heading& f) { block(ast::NodeKind::Heading).depth = f.level; }
  void operator()(frame::List& f) { block(ast::NodeKind::List).ordered = f.ordered; }
  void operator()(frame::ListItem& f) { block(ast::NodeKind::ListItem).checked = f.checked; }
  void operator()(frame::Link& f) {
    if (f.kind == ast::NodeKind::Image) {
      add<ast::ImageNode>(
          f.kind, ast::ImageNode{std::move(f.url), std::move(f.title), std::nullopt, std::move(children), position});
      return;
    }
    add<ast::LinkNode>(f.kind, ast::LinkNode{std::move(f.url), std::move(f.title), std::move(children), position});
  }
  void operator()(frame::CodeBlock& f) {
    CodeMeta meta = parse_code_meta(std::move(f.info.meta), highlights);
    add<ast::CodeBlockNode>(ast::NodeKind::CodeBlock,
                            ast::CodeBlockNode{std::move(text), std::move(f.info.lang), std::move(meta.meta),
                                               std::move(meta.title), std::move(meta.highlight), meta.show_line_numbers,
                                               meta.diff, std::move(meta.caption), position});
  }
  void operator()(frame::FootnoteDefinition& f) {
    add<ast::FootnoteNode>(ast::NodeKind::FootnoteDefinition,
                           ast::FootnoteNode{std::move(f.label), std::move(children), position});
  }
};

// Drives the Markdown library over one run and maps its events onto frames.
class RegionPass {
 public:
  RegionPass(std::uint64_t base, const SourceMap& source_map, std::string_view input, std::size_t depth,
             ParseContext& context)
      : base_(base), state_(source_map, input, depth, context) {}

  ast::NodeList run(std::string_view region) {
    markdown::Parser parser(region, markdown::Options::all);
    state_.reserve_for(region.size());
    for (const Event& event : parser) handle(event);
    close_unclosed_components(state_);
    ast::NodeList nodes = state_.take_top_level();
    if (may_merge_or_hint(region)) merge_and_hint(nodes, state_.source_map(), state_.input(), state_.context());
    return nodes;
  }

 private:
  ast::Position span(std::uint64_t s, std::uint64_t e) const { return state_.source_map().position(s, e); }

  void handle(const Event& event) {
    const std::uint64_t s = base_ + event.start;
    const std::uint64_t e = base_ + event.end;
    switch (event.kind) {
      case EventKind::Start:
        if (event.filler && !state_.context().filler_cells.take()) {
          skipping_filler_ = true;
          break;
        }
        state_.open_frame(is_link(event) ? link_frame(event) : frame_kind(event), s);
        if (event.tag == TagKind::CodeBlock) {
          ++code_blocks_open_;
          // The code comes a line at a time: room for about the block's source at once.
          state_.frames.back().text.reserve(event.end - event.start);
        }
        break;
      case EventKind::End:
        // A filler cell holds nothing, so its end comes next.
        if (std::exchange(skipping_filler_, false)) break;
        end_frame(e);
        break;
      case EventKind::Text: text(event.text, s, e); break;
      case EventKind::Code:
        state_.push_node(ast::make_node(ast::NodeKind::CodeInline,
                                        ast::CodeInlineNode{std::string(event.text), std::nullopt, span(s, e)}),
                         1);
        break;
      case EventKind::Html:
      case EventKind::InlineHtml:
        handle_html_event(state_, event.text, event.kind == EventKind::InlineHtml, s, e);
        break;
      case EventKind::FootnoteReference:
        state_.push_node(ast::make_node(ast::NodeKind::FootnoteReference,
                                        ast::FootnoteNode{std::string(event.text), {}, span(s, e)}),
                         1);
        break;
      case EventKind::SoftBreak:
      case EventKind::HardBreak:
        state_.push_node(ast::Node(ast::NodeKind::Text, std::in_place_type<ast::TextNode>,
                                   ast::SharedText::literal("\n"), span(s, e)),
                         1);
        break;
      case EventKind::Rule: state_.push_node(ast::make_block(ast::NodeKind::ThematicBreak, {}, span(s, e)), 1); break;
      case EventKind::TaskListMarker:
        if (!state_.frames.empty()) {
          if (auto* item = std::get_if<frame::ListItem>(&state_.frames.back().kind)) item->checked = event.checked;
        }
        break;
    }
  }

  static bool is_link(const Event& event) { return event.tag == TagKind::Link || event.tag == TagKind::Image; }

  // An empty title counts as none. The destination and title of a reference are its definition's,
  // the same bytes for every use: the root keeps them once, and each use views them.
  FrameKind link_frame(const Event& event) {
    auto kind = event.tag == TagKind::Image ? ast::NodeKind::Image : ast::NodeKind::Link;
    bool reference = event.link_type == markdown::LinkType::Reference ||
                     event.link_type == markdown::LinkType::Collapsed ||
                     event.link_type == markdown::LinkType::Shortcut;
    auto text = [&](std::string_view t) { return reference ? kept(t) : ast::SharedText(t); };
    frame::Link link{kind, text(event.dest_url), std::nullopt};
    if (!event.title.empty()) link.title = text(event.title);
    return link;
  }

  // The library gives every use of a definition the same view of its text.
  ast::SharedText kept(std::string_view text) {
    if (text.empty()) return {};
    auto [at, added] = kept_.try_emplace({text.data(), text.size()}, nullptr);
    if (added) at->second = &state_.context().shared_texts.emplace_back(text);
    return ast::SharedText::view_of(*at->second);
  }

  void end_frame(std::uint64_t e) {
    if (state_.frames.empty()) return;
    Fitted fitted = state_.close_frame();
    Frame& frame = state_.frames.back();
    if (std::holds_alternative<frame::CodeBlock>(frame.kind)) --code_blocks_open_;
    const ast::Position position{frame.start, state_.source_map().point(e)};
    state_.emplace_fitted(fitted, [&](ast::NodeList& out) {
      std::visit(
          FrameNodeBuilder{out, std::move(fitted.nodes), std::move(frame.text), position, state_.context().highlights},
          frame.kind);
    });
    state_.frames.pop_back();
  }

  void text(std::string_view t, std::uint64_t s, std::uint64_t e) {
    if (code_blocks_open_ > 0) {
      state_.frames.back().text += t;
      return;
    }
    Children& target = state_.target();
    const std::size_t before = target.nodes.size();
    if (s >= e) {
      // Text that the library makes up with an empty range (the columns of a tab that a container's
      // prefix leaves inside an HTML block) sits at that point, not past it.
      if (t.empty()) return;
      target.nodes.emplace_back(ast::NodeKind::Text, std::in_place_type<ast::TextNode>, ast::SharedText(t), span(s, e));
      target.added_leaves(before);
      return;
    }
    // The library drops the backslash of an escape; widening by it lets the
    // inline syntax see escapes such as "\$".
    std::string_view input = state_.input();
    std::uint64_t a = s > 0 && s - 1 < input.size() && input[s - 1] == '\\' ? s - 1 : s;
    std::string_view source = e <= input.size() ? input.substr(a, e - a) : t;
    process_text(source, a, state_.source_map(), state_.context(), false, target.nodes);
    target.added_leaves(before);
  }

  std::uint64_t base_;
  RegionState state_;
  std::size_t code_blocks_open_ = 0;
  bool skipping_filler_ = false;  // a filler cell past the budget started
  // The definition texts this run's references have used, by where the library holds them.
  std::map<std::pair<const char*, std::size_t>, const std::string*> kept_;
};

}  // namespace

ast::NodeList parse_markdown_region(std::string_view region, std::uint64_t base, const SourceMap& source_map,
                                    std::string_view input, std::size_t depth, ParseContext& context) {
  if (ast::trim(region).empty()) return {};
  return RegionPass(base, source_map, input, depth, context).run(region);
}

}  // namespace vyn::parser
