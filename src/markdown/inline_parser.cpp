#include "markdown/inline_parser.hpp"

#include <algorithm>
#include <string>

#include "markdown/chars.hpp"
#include "markdown/link_syntax.hpp"
#include "markdown/scanners.hpp"

namespace markdown {

namespace {

// A backslash break that ends a block's content is a literal backslash.
void literal_backslash(Document& doc, Node& last) {
  if (last.item == Item::HardBreak && doc.text[last.start] == '\\') {
    last.item = Item::Text;
    doc.set_text(last, doc.text.substr(last.start, 1));
  }
}

// Whether what follows a label's `^` names a footnote: it is more than white space.
bool names_footnote(std::string_view name) {
  return std::any_of(name.begin(), name.end(),
                     [](char c) { return !is_ascii_whitespace(static_cast<unsigned char>(c)); });
}

// The items the block pass leaves for this pass to resolve come first in Item.
constexpr bool is_unresolved(Item item) { return item <= Item::MaybeImage; }
static_assert(Item::MaybeImage < Item::Text && Item::MaybeEmphasis < Item::MaybeImage);

// Finds, for each backtick run, the next run of a given length after it. The runs are listed by
// length, then position; each length keeps a cursor that only moves forward, so the whole search
// is linear after the sort.
class CodeCloser {
 public:
  CodeCloser(const Tree& tree, const std::vector<std::uint32_t>& seq, InlineRoom& room)
      : runs_(room.backticks), cursors_(room.backtick_next) {
    runs_.clear();
    runs_.reserve(16);
    for (std::size_t k = 0; k < seq.size(); ++k) {
      if (tree[seq[k]].item == Item::MaybeCode) {
        runs_.push_back(BacktickRun{tree[seq[k]].count, static_cast<std::uint32_t>(k)});
      }
    }
    std::sort(runs_.begin(), runs_.end(),
              [](BacktickRun a, BacktickRun b) { return a.count != b.count ? a.count < b.count : a.pos < b.pos; });
    cursors_.resize(runs_.size());
    for (std::size_t r = 0; r < runs_.size(); ++r) cursors_[r] = r;
  }
  std::size_t find(std::uint32_t count, std::size_t after) {
    auto first = std::lower_bound(runs_.begin(), runs_.end(), count,
                                  [](BacktickRun run, std::uint32_t c) { return run.count < c; });
    if (first == runs_.end() || first->count != count) return npos;
    std::size_t& next = cursors_[static_cast<std::size_t>(first - runs_.begin())];
    while (next < runs_.size() && runs_[next].count == count && runs_[next].pos <= after) ++next;
    return next < runs_.size() && runs_[next].count == count ? runs_[next].pos : npos;
  }
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

 private:
  std::vector<BacktickRun>& runs_;
  std::vector<std::size_t>& cursors_;  // used at the first run of each length
};

struct LinkTarget {
  LinkType type;
  std::size_t end;       // end of the link's range
  std::size_t consumed;  // end of the bytes it uses (a collapsed `[]` lies beyond the range)
  std::string_view dest;
  std::string_view title;
  std::string_view id;
  bool footnote = false;
};

class InlinePass {
 public:
  InlinePass(Document& doc, std::uint32_t block, std::span<const std::uint32_t> containers, CodeSpanCarry* carry)
      : doc_(doc),
        tree_(doc.tree),
        src_(doc.source(doc.content_end(doc.tree[block]), doc.tree[block].item == Item::TableCell)),
        block_(block),
        room_(doc.inline_room),
        seq_(room_.seq),
        out_(room_.out),
        openers_(room_.openers),
        carry_(carry ? *carry : own_carry_),
        runs_are_text_(carry_.noted) {
    seq_.clear();
    out_.clear();
    openers_.clear();
    // Room for the items of a block of a few lines at once, made at the first block that needs the
    // pass, so that the lists do not grow step by step.
    seq_.reserve(64);
    out_.reserve(64);
    if (tree_[block].item == Item::Heading) src_.raw_limit = tree_[block].end;
    if (!containers.empty()) {
      src_.limit = std::max(src_.limit, tree_[containers.back()].end);
      src_.own_end = doc.content_end(tree_[block]);
      src_.tree = &tree_;
      src_.containers = containers;
    }
  }

  InlinePass(const InlinePass&) = delete;
  InlinePass& operator=(const InlinePass&) = delete;

  void run();

 private:
  void code_span(std::size_t& k);
  // The backtick run that closes the one at k, `count` long: the first later run of that length.
  std::size_t code_closer(std::size_t k, std::uint32_t count);
  // Notes the runs after k, which found no closer, in carry_.
  void note_runs_after(std::size_t k);
  void angle_bracket(std::size_t& k);
  void link_close(std::size_t& k);
  std::optional<LinkTarget> link_target(const Node& open, const Node& close);
  std::optional<LinkTarget> reference(std::string_view label_raw, LinkType type, std::size_t end, std::size_t consumed);
  // The label of a footnote reference between a and b (one line), as shown, if it is defined.
  std::optional<std::string_view> defined_footnote(std::size_t a, std::size_t b);
  // Skips input items that lie before `end`, trimming a text item that runs past it.
  void skip_to(std::size_t& k, std::size_t end);
  // Takes in the blocks after this one that a construct ending at `end` ran over.
  void cover_siblings(std::size_t end);
  std::optional<LinkTarget> reference_across_blocks(const ScannedLabel& label);
  void to_text(std::uint32_t ix) {
    Node& node = tree_[ix];
    node.item = Item::Text;
    node.data = nil;  // its own range
  }
  // Brackets left unmatched are literal text.
  void brackets_to_text(const std::vector<std::uint32_t>& items) {
    for (std::uint32_t ix : items) {
      Item item = tree_[ix].item;
      if (item == Item::MaybeLinkOpen || item == Item::MaybeImage || item == Item::MaybeLinkClose) to_text(ix);
    }
  }
  // Whether a line ends in [a, b), a stretch of the block's own content, whose every line ending
  // has its entry in `breaks`.
  bool line_break_within(std::size_t a, std::size_t b) {
    auto it = first_break_from(a);
    return it != doc_.breaks.end() && it->eol < b;
  }
  // The first line break at or after `a`. Blocks are read in order, so it is mostly at or a few
  // past where the last search ended; else it is searched for.
  std::vector<LineBreak>::const_iterator first_break_from(std::size_t a) {
    const std::vector<LineBreak>& breaks = doc_.breaks;
    std::size_t& k = doc_.break_cursor;
    constexpr std::size_t kSteps = 8;
    if (k > breaks.size() || (k > 0 && breaks[k - 1].eol >= a)) k = search_break(a);
    for (std::size_t step = 0; k < breaks.size() && breaks[k].eol < a; ++step, ++k) {
      if (step == kSteps) {
        k = search_break(a);
        break;
      }
    }
    return breaks.begin() + static_cast<std::ptrdiff_t>(k);
  }
  std::size_t search_break(std::size_t a) const {
    auto it = std::lower_bound(doc_.breaks.begin(), doc_.breaks.end(), a,
                               [](const LineBreak& br, std::size_t pos) { return br.eol < pos; });
    return static_cast<std::size_t>(it - doc_.breaks.begin());
  }
  // The bytes of [a, b) without container prefixes: a plain slice unless a prefix lies inside.
  std::string_view source_text(std::size_t a, std::size_t b) {
    if (b > src_.own_end) return doc_.own(collect_source(src_, a, b, false));
    for (auto it = first_break_from(a); it != doc_.breaks.end() && it->eol < b; ++it) {
      if (it->next != it->eol + scan_eol(doc_.text, it->eol)) return doc_.own(collect_source(src_, a, b, false));
    }
    return doc_.text.substr(a, b - a);
  }

  Document& doc_;
  Tree& tree_;
  InlineSource src_;
  std::uint32_t block_;
  InlineRoom& room_;
  std::vector<std::uint32_t>& seq_;
  std::vector<std::uint32_t>& out_;
  std::vector<LinkOpener>& openers_;
  // Made at the first run whose closer is not the next run: most blocks hold none.
  std::optional<CodeCloser> closers_;
  CodeSpanCarry own_carry_;
  CodeSpanCarry& carry_;
  const bool runs_are_text_;  // an earlier paragraph of the item noted runs
  // Link (not image) openers below this stack height can no longer form a link, and no
  // opener below the second one can.
  std::size_t links_inactive_below_ = 0;
  std::size_t inactive_below_ = 0;
};

void InlinePass::skip_to(std::size_t& k, std::size_t end) {
  while (k < seq_.size() && tree_[seq_[k]].start < end) {
    Node& node = tree_[seq_[k]];
    // Other items that run past it are skipped whole (a heading's last bracket holds the
    // trailing white space, which goes with it).
    if (node.end > end && node.item == Item::Text) {
      node.start = end;
      node.data = nil;  // the rest of its range
      return;
    }
    ++k;
  }
}

// Blocks it covers go; one it ends inside starts where it ends (a paragraph, shown without its
// tags, loses the items before that instead). That block may begin before the end of this one's
// text: an item counts its indent's columns back from its marker, so with a tab its start can lie
// on the line above. Only a paragraph shown without its own tags has the later blocks of its item
// beside its items, within reach; the items of any other block end with it.
void InlinePass::cover_siblings(std::size_t end) {
  if (src_.containers.empty()) return;
  std::uint32_t next = tree_[block_].next;
  while (next != nil && tree_[next].end <= end) next = tree_[next].next;
  tree_[block_].next = next;
  if (next == nil || tree_[next].start >= end) return;
  Node& node = tree_[next];
  if (node.item != Item::Paragraph) {
    node.start = end;
    return;
  }
  std::uint32_t child = node.child;
  while (child != nil && tree_[child].end <= end) child = tree_[child].next;
  if (child != nil && tree_[child].start < end && tree_[child].item == Item::Text) {
    tree_[child].start = end;
    tree_[child].data = nil;  // the rest of its range
  }
  node.child = child;
}

// A reference label that closes in a block after this one: that block, unless it is a
// paragraph (whose bracket is an item of its own), stands for the label's closing bracket and
// reads as its source text, all of it without a link, what follows the label with one.
std::optional<LinkTarget> InlinePass::reference_across_blocks(const ScannedLabel& label) {
  std::uint32_t closing = tree_[block_].next;
  while (closing != nil && tree_[closing].end < label.end) closing = tree_[closing].next;
  auto target = reference(label.raw.view(), LinkType::Reference, label.end, label.end);
  if (closing == nil || tree_[closing].item == Item::Paragraph) return target;
  Node& node = tree_[closing];
  node.item = Item::Text;
  node.start = target ? label.end : node.start;
  node.data = nil;  // its own range
  node.child = nil;
  return target;
}

// Mostly the next run of any length closes a code span, found without sorting the block's runs.
// Each search for the next run starts at or after where the last one ended, so the searches read
// the block's items once in all.
std::size_t InlinePass::code_closer(std::size_t k, std::uint32_t count) {
  std::size_t next = k + 1;
  while (next < seq_.size() && tree_[seq_[next]].item != Item::MaybeCode) ++next;
  if (next == seq_.size()) return CodeCloser::npos;
  if (tree_[seq_[next]].count == count) return next;
  if (!closers_) closers_.emplace(tree_, seq_, room_);
  return closers_->find(count, k);
}

void InlinePass::note_runs_after(std::size_t k) {
  // Two runs settle it; a paragraph reads its items this far at most twice more, as no more than
  // one run is left after a search that found fewer.
  int runs = 0;
  for (std::size_t next = k + 1; next < seq_.size() && runs < 2; ++next) {
    if (tree_[seq_[next]].item == Item::MaybeCode) ++runs;
  }
  if (runs > 0 && !carry_.first_passed) {
    carry_.first_passed = true;
    --runs;
  }
  if (runs > 0) carry_.noted = true;
}

void InlinePass::code_span(std::size_t& k) {
  std::uint32_t ix = seq_[k];
  Node& node = tree_[ix];
  bool is_escaped = (node.flags & escaped) != 0;
  std::uint32_t count = node.count - (is_escaped ? 1 : 0);
  std::size_t close = count == 0 || runs_are_text_ ? CodeCloser::npos : code_closer(k, count);
  if (count != 0 && !carry_.noted) {
    if (close != CodeCloser::npos)
      carry_ = {};
    else
      note_runs_after(k);
  }
  if (close == CodeCloser::npos) {
    to_text(ix);
    out_.push_back(ix);
    ++k;
    return;
  }
  std::size_t open_start = node.start;
  if (is_escaped) {
    std::uint32_t tick = tree_.add_detached(Node{.start = open_start, .end = open_start + 1, .item = Item::Text});
    out_.push_back(tick);
    ++open_start;
  }
  const Node& closer = tree_[seq_[close]];
  const std::size_t content_start = tree_[ix].end;
  std::string_view code = doc_.text.substr(content_start, closer.start - content_start);
  // Code on one line outside a table cell is its own source; else line ends become spaces and
  // container prefixes and a cell's pipe escapes drop out.
  if (src_.table_cell || find_byte_of(doc_.text, content_start, closer.start, kLineEnd) != closer.start) {
    std::string content = collect_source(src_, content_start, closer.start, false);
    std::replace_if(
        content.begin(), content.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    code = doc_.own(content);
  }
  bool all_spaces = code.find_first_not_of(' ') == std::string_view::npos;
  if (!all_spaces && code.size() >= 2 && code.front() == ' ' && code.back() == ' ') {
    code = code.substr(1, code.size() - 2);
  }
  Node& open = tree_[ix];
  open.item = Item::Code;
  open.start = open_start;
  open.end = closer.end;
  doc_.set_text(open, code);
  out_.push_back(ix);
  k = close + 1;
}

void InlinePass::run() {
  for (std::uint32_t c = tree_[block_].child; c != nil; c = tree_[c].next) seq_.push_back(c);
  std::size_t k = 0;
  while (k < seq_.size()) {
    std::uint32_t ix = seq_[k];
    Node& node = tree_[ix];
    switch (node.item) {
      case Item::MaybeCode: code_span(k); break;
      case Item::MaybeHtml: angle_bracket(k); break;
      case Item::MaybeLinkOpen:
      case Item::MaybeImage:
        openers_.push_back(LinkOpener{out_.size(), node.item == Item::MaybeImage});
        out_.push_back(ix);
        ++k;
        break;
      case Item::MaybeLinkClose: link_close(k); break;
      default:
        out_.push_back(ix);
        ++k;
        break;
    }
  }
  brackets_to_text(out_);
  // A backslash break that ends the block (only white space followed it, on a line of
  // vertical tabs or form feeds) is a literal backslash, as at the end of any paragraph, when
  // the block has items to resolve (as it has when this pass runs). A paragraph shown without
  // its tags ends its item's content only as the item's last block.
  if (!out_.empty() && (src_.containers.empty() || tree_[block_].next == nil)) {
    literal_backslash(doc_, tree_[out_.back()]);
  }
  tree_[block_].child = resolve_emphasis(tree_, out_, room_);
}

void InlinePass::angle_bracket(std::size_t& k) {
  std::uint32_t ix = seq_[k];
  std::size_t start = tree_[ix].start;
  if (auto autolink = scan_autolink(doc_.text, start, src_.limit)) {
    std::string_view dest = doc_.text.substr(start + 1, autolink->end - start - 2);
    doc_.links.push_back(LinkInfo{autolink->email ? LinkType::Email : LinkType::Autolink, dest, {}, {}});
    std::uint32_t text = tree_.add_detached(Node{.start = start + 1, .end = autolink->end - 1, .item = Item::Text});
    Node& node = tree_[ix];
    node.item = Item::Link;
    node.end = autolink->end;
    node.data = static_cast<std::uint32_t>(doc_.links.size() - 1);
    node.child = text;
    out_.push_back(ix);
    ++k;
    skip_to(k, autolink->end);
    cover_siblings(autolink->end);
    return;
  }
  // A comment does not start inside one already read, even one read from the paragraph of a
  // tight list item into the block that holds this `<`.
  const bool comment = doc_.text.substr(start, 4) == "<!--";
  std::optional<std::size_t> end;
  if (!comment || start >= doc_.comments_end) end = scan_inline_html(src_, start, doc_.html_guards);
  if (end) {
    if (comment) doc_.comments_end = *end;
    Node& node = tree_[ix];
    node.item = Item::InlineHtml;
    node.end = *end;
    // A tag reads without the container prefixes inside it; comments and the like keep them.
    const bool tag = doc_.text[start + 1] != '!' && doc_.text[start + 1] != '?';
    doc_.set_text(node, tag ? source_text(start, *end) : doc_.text.substr(start, *end - start));
    out_.push_back(ix);
    ++k;
    skip_to(k, *end);
    cover_siblings(*end);
    return;
  }
  to_text(ix);
  out_.push_back(ix);
  ++k;
}

std::optional<std::string_view> InlinePass::defined_footnote(std::size_t a, std::size_t b) {
  // No defined label holds a bracket outside an escape; reading up to the first one keeps nested
  // brackets from being normalised whole at every level.
  const LabelBytes read = read_label(src_, a, b);
  if (read.end != b || read.too_long) return std::nullopt;
  std::string_view label = doc_.text.substr(a, b - a);
  std::string cell;
  if (src_.table_cell) {
    cell = label;
    drop_pipe_escapes(cell);
    label = cell;
  }
  if (!doc_.footnote_labels.count(normalize_label(label))) return std::nullopt;
  std::string room;
  return doc_.own(collapse_whitespace(label, room));
}

std::optional<LinkTarget> InlinePass::reference(std::string_view label_raw, LinkType type, std::size_t end,
                                                std::size_t consumed) {
  auto it = doc_.link_defs.find(normalize_label(label_raw));
  if (it == doc_.link_defs.end()) return std::nullopt;
  std::string room;
  return LinkTarget{
      type, end, consumed, it->second.dest, it->second.title, doc_.own(collapse_whitespace(label_raw, room))};
}

std::optional<LinkTarget> InlinePass::link_target(const Node& open, const Node& close) {
  std::size_t after = close.end;
  if (src_.at(after) == '(') {
    std::size_t i = skip_link_space(src_, after + 1, true);
    Payload dest;
    Payload title;
    bool ok = true;
    if (src_.at(i) != ')') {
      auto scanned = scan_link_destination(src_, i);
      // A destination may be empty where the white space before it holds a second line ending.
      const bool empty_ok = src_.at(i) == '\n' || src_.at(i) == '\r' || src_.at(i) == '<';
      if (!scanned || (scanned->end == i && !empty_ok)) {
        ok = false;
      } else {
        dest = std::move(scanned->value);
        std::size_t j = skip_link_space(src_, scanned->end, true);
        // A title must be set apart from a bare destination, not from one in angle brackets.
        if (j > scanned->end || src_.at(i) == '<') {
          if (auto t = scan_link_title(src_, j, false)) {
            title = std::move(t->value);
            j = skip_link_space(src_, t->end, true);
          }
        }
        i = j;
      }
    }
    if (ok && src_.at(i) == ')') {
      return LinkTarget{LinkType::Inline, i + 1, i + 1, doc_.own(dest.view()), doc_.own(title.view()), {}};
    }
  }
  std::size_t inner_start = open.end;
  std::size_t inner_end = close.start;
  const bool footnotes = has(doc_.options, Options::footnotes);
  // A label may follow an escaped bracket too: the escape's backslash is passed over.
  std::size_t label_at = src_.at(after) == '\\' && src_.at(after + 1) == '[' ? after + 1 : after;
  if (src_.at(label_at) == '[') {
    auto label = scan_link_label(src_, label_at);
    // Footnote syntax, `^` and a name on one line, is no label.
    const std::string_view raw = label ? label->raw.view() : std::string_view();
    const bool footnote = footnotes && !raw.empty() && raw[0] == '^' && names_footnote(raw.substr(1)) &&
                          raw.find_first_of("\r\n") == std::string_view::npos;
    if (label && !footnote) {
      if (label->end > doc_.content_end(tree_[block_])) return reference_across_blocks(*label);
      return reference(raw, LinkType::Reference, label->end, label->end);
    }
  }
  // The label runs to the byte before the bracket's end, which lies further on when a heading's
  // trailing white space was drawn into the bracket.
  std::size_t label_end = close.end - 1;
  if (footnotes && doc_.text[inner_start] == '^' &&
      names_footnote(doc_.text.substr(inner_start + 1, label_end - inner_start - 1))) {
    // Footnote syntax is on one line. There it is no shortcut or collapsed link, even to a link
    // defined by that label.
    if (!line_break_within(inner_start + 1, label_end)) {
      if (auto id = defined_footnote(inner_start + 1, label_end)) {
        return LinkTarget{LinkType::Inline, after, after, {}, {}, *id, true};
      }
      return std::nullopt;
    }
  }
  if (src_.at(label_at) == '[' && src_.at(label_at + 1) == ']') {
    // Only a label that ends at this bracket can be defined: one that ends at an earlier `]`
    // leaves that bracket unescaped in the text, which no definition's label holds.
    auto scanned = scan_link_label(src_, open.end - 1);
    if (!scanned || scanned->end != inner_end + 1) return std::nullopt;
    return reference(scanned->raw.view(), LinkType::Collapsed, after, label_at + 2);
  }
  if (auto scanned = scan_link_label(src_, open.end - 1)) {
    if (scanned->end == after) return reference(scanned->raw.view(), LinkType::Shortcut, after, after);
  }
  return std::nullopt;
}

void InlinePass::link_close(std::size_t& k) {
  std::uint32_t close_ix = seq_[k];
  if (openers_.empty()) {
    to_text(close_ix);
    out_.push_back(close_ix);
    ++k;
    return;
  }
  LinkOpener opener = openers_.back();
  openers_.pop_back();
  bool active = (opener.image || openers_.size() >= links_inactive_below_) && openers_.size() >= inactive_below_;
  links_inactive_below_ = std::min(links_inactive_below_, openers_.size());
  inactive_below_ = std::min(inactive_below_, openers_.size());
  std::uint32_t open_ix = out_[opener.out_pos];
  std::optional<LinkTarget> target;
  if (active) target = link_target(tree_[open_ix], tree_[close_ix]);
  if (!target) {
    to_text(close_ix);
    out_.push_back(close_ix);
    ++k;
    return;
  }
  ++k;
  skip_to(k, target->consumed);
  // An inline link's destination and title are read on through the text, as a tag is; a reference
  // ends on its bracket, and reaches into the blocks after it only when that lies past its own.
  const bool read_on = target->type == LinkType::Inline && !target->footnote;
  if (read_on || target->consumed > src_.own_end) cover_siblings(target->consumed);
  std::vector<std::uint32_t>& children = room_.link_children;
  children.assign(out_.begin() + static_cast<std::ptrdiff_t>(opener.out_pos) + 1, out_.end());
  out_.resize(opener.out_pos + 1);
  Node& node = tree_[open_ix];
  node.end = target->end;
  if (target->footnote) {
    // A footnote reference leaves the brackets around it text, an image's too.
    inactive_below_ = openers_.size();
    node.item = Item::FootnoteReference;
    node.data = doc_.keep_text(target->id);
    node.child = nil;
    if (opener.image) {
      // `![^1]` is a `!` and a footnote reference.
      std::size_t bang = node.start;
      node.start = bang + 1;
      out_.back() = tree_.add_detached(Node{.start = bang, .end = bang + 1, .item = Item::Text});
      out_.push_back(open_ix);
    }
    return;
  }
  node.item = opener.image ? Item::Image : Item::Link;
  doc_.links.push_back(LinkInfo{target->type, target->dest, target->title, target->id});
  node.data = static_cast<std::uint32_t>(doc_.links.size() - 1);
  brackets_to_text(children);
  // A link's text with delimiter runs in it is settled as a block of its own is: a backslash break
  // that ends it is a literal backslash.
  if (!children.empty() && has_delimiter(tree_, children)) literal_backslash(doc_, tree_[children.back()]);
  std::uint32_t first_child = children.empty() ? nil : resolve_emphasis(tree_, children, room_);
  tree_[open_ix].child = first_child;
  // Links do not nest: every `[` still open before this one stays text.
  if (!opener.image) links_inactive_below_ = openers_.size();
}

}  // namespace

void end_with_literal_backslash(Document& doc, std::uint32_t block) {
  std::uint32_t last = doc.tree[block].child;
  if (last == nil) return;
  while (doc.tree[last].next != nil) last = doc.tree[last].next;
  literal_backslash(doc, doc.tree[last]);
}

void resolve_inlines(Document& doc, std::uint32_t block, std::span<const std::uint32_t> containers,
                     CodeSpanCarry* carry) {
  // Most blocks hold plain text and breaks only, left as they are (a final backslash break
  // included).
  for (std::uint32_t c = doc.tree[block].child; c != nil; c = doc.tree[c].next) {
    if (is_unresolved(doc.tree[c].item)) return InlinePass(doc, block, containers, carry).run();
  }
}

}  // namespace markdown
