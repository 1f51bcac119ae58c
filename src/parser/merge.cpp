#include "parser/merge.hpp"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>

#include "markdown/chars.hpp"
#include "parser/ascii.hpp"
#include "parser/forward_find.hpp"
#include "parser/source_slice.hpp"
#include "parser/text.hpp"

namespace vyn::parser {

namespace {

constexpr std::size_t npos = std::string_view::npos;

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
  // Every form holds an "@": most runs have none, and one search settles them.
  if (slice.find('@') == npos) return false;
  return slice.find("[@") != npos || slice.find("{@") != npos || has_bracketed_at(slice);
}

// The source stretch of the text nodes [begin, end) when it is to be re-read:
// from the first node's start to the last one's end, bytes between them included.
std::optional<std::string_view> re_read_slice(const ast::NodeList& nodes, std::size_t begin, std::size_t end,
                                              std::string_view input) {
  std::uint64_t a = nodes[begin].position().start.offset;
  std::uint64_t b = nodes[end - 1].position().end.offset;
  if (b <= a || b > input.size()) return std::nullopt;
  std::string_view slice = source_slice(input, a, b);
  if (!may_hold_reference(slice)) return std::nullopt;
  return slice;
}

bool is_hint_word(std::string_view word) {
  if (word.empty() || !is_ascii_letter(word[0])) return false;
  for (char c : word.substr(1)) {
    if (!is_word_char(c) && c != '-') return false;
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

namespace {

// The re-reading of one list whose children are done; kept out of the
// recursion's frames.
[[gnu::noinline]] ast::NodeList re_read_text_runs(ast::NodeList nodes, const SourceMap& source_map,
                                                  std::string_view input, ParseContext& context) {
  struct ReRead {
    std::size_t begin;
    std::size_t end;
    std::string_view slice;
  };
  std::vector<ReRead> re_reads;
  for (std::size_t k = 0; k < nodes.size();) {
    if (nodes[k].kind != ast::NodeKind::Text) {
      ++k;
      continue;
    }
    std::size_t end = k + 1;
    while (end < nodes.size() && nodes[end].kind == ast::NodeKind::Text) ++end;
    if (auto slice = re_read_slice(nodes, k, end, input)) re_reads.push_back({k, end, *slice});
    k = end;
  }
  // Most lists keep every node: only a list with a run to replace is rebuilt.
  if (re_reads.empty()) return nodes;
  ast::NodeList out;
  out.reserve(nodes.size());
  std::size_t next = 0;
  for (const ReRead& run : re_reads) {
    std::move(nodes.begin() + static_cast<std::ptrdiff_t>(next), nodes.begin() + static_cast<std::ptrdiff_t>(run.begin),
              std::back_inserter(out));
    std::uint64_t start = static_cast<std::uint64_t>(run.slice.data() - input.data());
    process_text(run.slice, start, source_map, context, false, out);
    next = run.end;
  }
  std::move(nodes.begin() + static_cast<std::ptrdiff_t>(next), nodes.end(), std::back_inserter(out));
  return out;
}

// The hints of one list whose children are done. A hint only ever shortens the
// list, so it is compacted in place.
[[gnu::noinline]] void hint_list(ast::NodeList& nodes) {
  std::size_t kept = 0;
  auto keep = [&](std::size_t k) {
    if (kept != k) nodes[kept] = std::move(nodes[k]);
    ++kept;
  };
  for (std::size_t k = 0; k < nodes.size(); ++k) {
    ast::Node& node = nodes[k];
    if (node.kind == ast::NodeKind::CodeInline && k + 1 < nodes.size()) {
      if (auto hint = lang_hint(nodes[k + 1])) {
        node.as<ast::CodeInlineNode>().lang = std::string(hint->first);
        keep(k);
        ast::SharedText& rest = nodes[++k].as<ast::TextNode>().value;
        rest.remove_prefix(hint->second + 1);  // the node keeps its position
        if (!rest.empty()) keep(k);
        continue;
      }
    }
    keep(k);
  }
  nodes.erase(nodes.begin() + static_cast<std::ptrdiff_t>(kept), nodes.end());
}

}  // namespace

bool may_merge_or_hint(std::string_view run) {
  // Sixteen bytes at a time: an "@" among them, or a "`" whose next byte is a "{" (the second load
  // is the first moved on by a byte). Backticks are common (code spans), so they are not searched
  // for one by one.
  using Bytes = unsigned char __attribute__((vector_size(16)));
  std::size_t i = 0;
  for (; i + sizeof(Bytes) < run.size(); i += sizeof(Bytes)) {
    Bytes here;
    Bytes next;
    std::memcpy(&here, run.data() + i, sizeof here);
    std::memcpy(&next, run.data() + i + 1, sizeof next);
    Bytes signs = reinterpret_cast<Bytes>(here == '@') |
                  (reinterpret_cast<Bytes>(here == '`') & reinterpret_cast<Bytes>(next == '{'));
    std::uint64_t halves[2];
    std::memcpy(halves, &signs, sizeof halves);
    if ((halves[0] | halves[1]) != 0) return true;
  }
  for (; i < run.size(); ++i) {
    if (run[i] == '@' || (run[i] == '`' && i + 1 < run.size() && run[i + 1] == '{')) return true;
  }
  return false;
}

// Each level is merged, then given its hints, once its children are done: a
// list's merge reads only its own text nodes and its hints only its own nodes
// as merged. A level of the recursion holds no node of its own; it recurses once
// per level of the containers it enters, which the region pass keeps within
// ast::kMaxNodeDepth.
void merge_and_hint(ast::NodeList& nodes, const SourceMap& source_map, std::string_view input, ParseContext& context) {
  for (ast::Node& node : nodes) {
    if (ast::kind_info(node.kind).enters.merge) merge_and_hint(*node.children(), source_map, input, context);
  }
  nodes = re_read_text_runs(std::move(nodes), source_map, input, context);
  hint_list(nodes);
}

}  // namespace vyn::parser
