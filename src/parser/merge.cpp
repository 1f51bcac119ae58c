#include "parser/merge.hpp"

#include "parser/forward_find.hpp"
#include "parser/source_slice.hpp"
#include "parser/text.hpp"

namespace vyn::parser {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// The kinds whose children both passes visit. Both recurse once per level of
// these, which the region pass keeps within ast::kMaxNodeDepth.
bool is_visited_container(ast::NodeKind kind) {
  using ast::NodeKind;
  switch (kind) {
    case NodeKind::Paragraph: case NodeKind::Heading: case NodeKind::List: case NodeKind::ListItem:
    case NodeKind::Blockquote: case NodeKind::Table: case NodeKind::TableRow: case NodeKind::TableCell:
    case NodeKind::Link: case NodeKind::Image: case NodeKind::Emphasis: case NodeKind::Strong:
    case NodeKind::Strikethrough:
      return true;
    default:
      return false;
  }
}

// A "[" with an "@" before the first "]" after it, where that "]" ends the
// slice or is not followed by "(". The searches remember their hits, so a
// slice full of "[" is still tested in one pass.
bool has_bracketed_at(std::string_view slice) {
  ForwardFind closing(slice, "]");
  ForwardFind at_sign(slice, "@");
  for (std::size_t open = slice.find('['); open != npos && open + 1 < slice.size(); open = slice.find('[', open + 1)) {
    std::size_t close = closing(open + 1);
    if (close == npos) return false;
    if (at_sign(open + 1) < close && (close + 1 == slice.size() || slice[close + 1] != '(')) return true;
  }
  return false;
}

bool may_hold_reference(std::string_view slice) {
  return slice.find("[@") != npos || slice.find("{@") != npos || has_bracketed_at(slice);
}

void end_text_run(ast::NodeList& run, ast::NodeList& out, const SourceMap& source_map, std::string_view input) {
  if (run.empty()) return;
  std::uint64_t a = run.front().position().start.offset;
  std::uint64_t b = run.back().position().end.offset;
  if (b > a && b <= input.size()) {
    std::uint64_t start = char_boundary(input, a);
    std::string_view slice = source_slice(input, start, b);
    if (may_hold_reference(slice)) {
      for (ast::Node& node : process_text(slice, start, source_map, false)) out.push_back(std::move(node));
      run.clear();
      return;
    }
  }
  for (ast::Node& node : run) out.push_back(std::move(node));
  run.clear();
}

bool is_hint_word(std::string_view word) {
  auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  if (word.empty() || !letter(word[0])) return false;
  for (char c : word.substr(1)) {
    if (!letter(c) && !(c >= '0' && c <= '9') && c != '_' && c != '-') return false;
  }
  return true;
}

// The word of a text value "{word}..." and the index of its "}".
std::optional<std::pair<std::string_view, std::size_t>> lang_hint(const ast::Node& node) {
  if (node.kind != ast::NodeKind::Text) return std::nullopt;
  std::string_view value = node.as<ast::TextNode>().value;
  if (!value.starts_with('{')) return std::nullopt;
  std::size_t close = value.find('}');
  if (close == npos || !is_hint_word(value.substr(1, close - 1))) return std::nullopt;
  return std::pair{value.substr(1, close - 1), close};
}

}  // namespace

ast::NodeList merge_and_process_text_nodes(ast::NodeList nodes, const SourceMap& source_map, std::string_view input) {
  ast::NodeList out;
  out.reserve(nodes.size());
  ast::NodeList run;
  for (ast::Node& node : nodes) {
    node = merge_text_recursive(std::move(node), source_map, input);
    if (node.kind == ast::NodeKind::Text) {
      run.push_back(std::move(node));
    } else {
      end_text_run(run, out, source_map, input);
      out.push_back(std::move(node));
    }
  }
  end_text_run(run, out, source_map, input);
  return out;
}

ast::Node merge_text_recursive(ast::Node node, const SourceMap& source_map, std::string_view input) {
  if (is_visited_container(node.kind)) {
    ast::NodeList* children = node.children();
    *children = merge_and_process_text_nodes(std::move(*children), source_map, input);
  }
  return node;
}

ast::NodeList apply_inline_code_lang_hints(ast::NodeList nodes) {
  ast::NodeList out;
  out.reserve(nodes.size());
  for (std::size_t k = 0; k < nodes.size(); ++k) {
    ast::Node& node = nodes[k];
    if (node.kind == ast::NodeKind::CodeInline && k + 1 < nodes.size()) {
      if (auto hint = lang_hint(nodes[k + 1])) {
        node.as<ast::CodeInlineNode>().lang = std::string(hint->first);
        out.push_back(std::move(node));
        auto& text = nodes[++k].as<ast::TextNode>();
        if (hint->second + 1 < text.value.size()) {
          out.push_back(ast::make_text(text.value.substr(hint->second + 1), text.position));
        }
        continue;
      }
    }
    if (is_visited_container(node.kind)) {
      ast::NodeList* children = node.children();
      *children = apply_inline_code_lang_hints(std::move(*children));
    }
    out.push_back(std::move(node));
  }
  return out;
}

}  // namespace vyn::parser
