#include "parser/html_components.hpp"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "ast/unicode.hpp"
#include "parser/ascii.hpp"
#include "parser/forward_find.hpp"
#include "parser/text.hpp"
#include "parser/value_ends.hpp"

namespace vyn::parser {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Where each "</name>" of a text stands, so that a line holding many open tags
// doesn't search the rest of the line once per tag.
class ClosingTags {
 public:
  explicit ClosingTags(std::string_view text) {
    ForwardFind gt(text, ">");
    for (std::size_t at = text.find("</"); at != npos; at = text.find("</", at + 2)) {
      std::size_t close = gt(at + 2);
      if (close == npos) break;
      positions_[text.substr(at + 2, close - at - 2)].push_back(at);
    }
  }

  // The index of the first "</name>" at or after `from`, or npos.
  std::size_t find(std::string_view name, std::size_t from) const {
    auto it = positions_.find(name);
    if (it == positions_.end()) return npos;
    auto hit = std::lower_bound(it->second.begin(), it->second.end(), from);
    return hit == it->second.end() ? npos : *hit;
  }

 private:
  std::unordered_map<std::string_view, std::vector<std::size_t>> positions_;
};

struct Found {
  ast::Node node;
  Height height;
};

// Scans one HTML text for component tags. Components complete within the text
// are collected; open tags whose closing tag isn't in the text go on the
// component stack at once.
class HtmlScan {
 public:
  HtmlScan(RegionState& state, std::string_view t, bool is_inline, TextOrigin origin)
      : state_(state), t_(t), is_inline_(is_inline), origin_(origin), value_ends_(t) {}

  // Whether any component tag (or tag error) was found.
  bool run() {
    std::size_t p = 0;
    for (;;) {
      while (p < t_.size() && is_tag_space(t_[p])) ++p;
      if (p == t_.size()) break;
      if (t_[p] == '<' && p + 1 < t_.size()) {
        if (is_ascii_upper(t_[p + 1])) {
          if (std::optional<std::size_t> next = open_tag(p)) {
            p = *next;
            continue;
          }
        } else if (t_[p + 1] == '/' && p + 2 < t_.size() && is_ascii_upper(t_[p + 2])) {
          break;
        }
      }
      p = t_.find('<', p + 1);
      if (p == npos) break;
    }
    return found_any_;
  }

  std::vector<Found>& found() { return found_; }

 private:
  ast::Position span(std::uint64_t from, std::uint64_t to) const { return state_.source_map().position(from, to); }

  ast::Node component(ParsedTag tag, ast::NodeList children, std::string raw_content, std::uint64_t end) const {
    ast::Position position = span(tag.start, end);
    return ast::make_node(ast::NodeKind::Component,
                          ast::ComponentNode{std::move(tag.name), is_inline_, std::move(tag.attributes),
                                             std::move(children), std::move(raw_content), position});
  }

  // The tag at p: where the scan goes on, or nothing to move to the next "<".
  std::optional<std::size_t> open_tag(std::size_t p) {
    OpenTagResult result = try_parse_open_tag(value_ends_, p, origin_, state_.source_map());
    if (auto* error = std::get_if<TagError>(&result)) {
      found_any_ = true;
      TextOrigin raw_origin = origin_.from(static_cast<std::size_t>(error->raw.data() - t_.data()));
      found_.push_back({state_.error_budget().error_node(*error, raw_origin, state_.source_map()), 1});
      return std::nullopt;
    }
    auto* open = std::get_if<OpenTag>(&result);
    if (!open) return std::nullopt;
    found_any_ = true;
    std::size_t k = open->next;
    if (open->tag.self_closing) {
      // The rest of the line goes with the tag, further tags included.
      std::size_t n = std::min(t_.find('\n', k), t_.size());
      found_.push_back({component(std::move(open->tag), {}, "", origin_(n)), 1});
      return n;
    }
    if (!closing_tags_) closing_tags_.emplace(t_);
    std::size_t c = closing_tags_->find(open->tag.name, k);
    if (c == npos) {
      state_.component_stack.push_back({std::move(open->tag), {}});
      return k;
    }
    std::size_t after = c + open->tag.name.size() + 3;  // past "</name>"
    std::string_view inner = t_.substr(k, c - k);
    ast::NodeList children;
    if (!ast::trim(inner).empty())
      children = process_text(inner, origin_.from(k), state_.source_map(), state_.context(), false);
    Height height = children.empty() ? 1 : 2;
    found_.push_back(
        {component(std::move(open->tag), std::move(children), std::string(inner), origin_(after)), height});
    return after;
  }

  RegionState& state_;
  std::string_view t_;
  bool is_inline_;
  TextOrigin origin_;
  // Tags read after a broken one may read their values to the same far end.
  ValueEnds value_ends_;
  bool found_any_ = false;
  std::vector<Found> found_;
  std::optional<ClosingTags> closing_tags_;
};

void close_component(RegionState& state, std::string_view name, std::string_view t, std::uint64_t s, std::uint64_t e) {
  const SourceMap& source_map = state.source_map();
  if (state.component_stack.empty()) {
    state.push_node(ast::make_error("Unexpected closing tag </" + std::string(name) + ">", std::string(t),
                                    source_map.position(s, e)),
                    1);
    return;
  }
  OpenComponent open = std::move(state.component_stack.back());
  state.component_stack.pop_back();
  if (open.tag.name != name) {
    state.push_node(
        ast::make_error("Misnested tags: expected </" + open.tag.name + ">, found </" + std::string(name) + ">",
                        std::string(t), source_map.position(s, e)),
        1);
    return;
  }
  Fitted fitted = state.fit(std::move(open.children));
  ast::Position position = source_map.position(open.tag.start, e);
  state.push_fitted(ast::make_node(ast::NodeKind::Component,
                                   ast::ComponentNode{std::move(open.tag.name), false, std::move(open.tag.attributes),
                                                      std::move(fitted.nodes), "", position}),
                    fitted, SourceRange{open.tag.end, s});
}

}  // namespace

void handle_html_event(RegionState& state, std::string_view t, bool is_inline, std::uint64_t s, std::uint64_t e) {
  // Lines of t after the first lack their container prefixes where t spans
  // lines inside a block quote, list item or footnote definition.
  std::string_view input = state.input();
  std::string_view source = s <= e && e <= input.size() ? input.substr(s, e - s) : t;
  std::optional<LineAlignment> lines;
  if (source != t) lines.emplace(t, source, s);
  HtmlScan scan(state, t, is_inline, lines ? TextOrigin(*lines) : TextOrigin(s));
  if (scan.run()) {
    for (Found& found : scan.found()) state.push_node(std::move(found.node), found.height);
    return;
  }
  std::string_view u = ast::trim(t);
  if (u.size() > 2 && u.starts_with("</") && is_ascii_upper(u[2])) {
    if (std::optional<CloseTag> close = try_parse_close_tag(u, 0)) {
      close_component(state, close->name, t, s, e);
      return;
    }
  }
  ast::Position position = state.source_map().position(s, e);
  ast::Node text = ast::make_text(std::string(t), position);
  if (!state.frames.empty()) {
    auto* block = std::get_if<frame::Block>(&state.frames.back().kind);
    if (block && block->kind == ast::NodeKind::Html) {
      state.push_to_frame(std::move(text), 1);
      return;
    }
  }
  ast::NodeList children;
  children.push_back(std::move(text));
  state.push_node(ast::make_block(ast::NodeKind::Html, std::move(children), position), 2);
}

void close_unclosed_components(RegionState& state) {
  while (!state.component_stack.empty()) {
    OpenComponent open = std::move(state.component_stack.back());
    state.component_stack.pop_back();
    const std::string& name = open.tag.name;
    state.push_to_frame(ast::make_error("Unclosed tag <" + name + ">", "<" + name + ">",
                                        state.source_map().position(open.tag.start, open.tag.start + name.size() + 2)),
                        1);
    state.push_to_frame(std::move(open.children));
  }
}

}  // namespace vyn::parser
