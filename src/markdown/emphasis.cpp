// Pairs emphasis, strong and strikethrough delimiters of one sibling sequence, after links have
// been resolved; unpaired delimiters become one-character texts.
#include <algorithm>
#include <array>

#include "markdown/inline_parser.hpp"

namespace markdown {

namespace {

using Run = DelimiterRun;

constexpr std::size_t none = static_cast<std::size_t>(-1);

class Emphasis {
 public:
  Emphasis(Tree& tree, const std::vector<std::uint32_t>& seq, InlineRoom& room)
      : tree_(tree), original_(seq.size()), nodes_(room.nodes), prev_(room.prev), next_(room.next), runs_(room.runs) {
    std::size_t n = seq.size();
    nodes_.assign(seq.begin(), seq.end());
    prev_.resize(n);
    next_.resize(n);
    runs_.clear();
    for (std::size_t i = 0; i < n; ++i) {
      prev_[i] = i == 0 ? none : i - 1;
      next_[i] = i + 1 == n ? none : i + 1;
    }
    head_ = n == 0 ? none : 0;
    for (std::size_t i = 0; i < n; ++i) {
      const Node& node = tree_[seq[i]];
      if (node.item != Item::MaybeEmphasis) continue;
      auto ch = static_cast<char>(node.data);
      bool continues_run = !runs_.empty() && runs_.back().first + runs_.back().len == i && runs_.back().ch == ch &&
                           tree_[seq[i - 1]].count == node.count + 1 && tree_[seq[i - 1]].end == node.start;
      if (continues_run) {
        ++runs_.back().len;
        ++runs_.back().orig;
      } else {
        runs_.push_back(Run{ch, (node.flags & can_open) != 0, (node.flags & can_close) != 0, i, 1, 1,
                            runs_.empty() ? none : runs_.size() - 1});
      }
    }
  }

  std::uint32_t run() {
    // For each delimiter kind, the run below which no opener is worth searching again.
    std::array<std::size_t, 13> bottom;
    bottom.fill(none);
    for (std::size_t r = 0; r < runs_.size(); ++r) {
      Run& closer = runs_[r];
      if (!closer.closes) continue;
      while (closer.len > 0) {
        std::size_t slot = bottom_slot(closer);
        std::size_t found = none;
        std::size_t* link = &closer.prev;
        while (*link != none && (bottom[slot] == none || *link > bottom[slot])) {
          Run& opener = runs_[*link];
          if (opener.len == 0) {
            *link = opener.prev;  // drop spent runs from the stack as we pass
            continue;
          }
          if (opener.opens && opener.ch == closer.ch && compatible(opener, closer)) {
            found = *link;
            break;
          }
          link = &opener.prev;
        }
        if (found == none) {
          bottom[slot] = closer.prev;
          if (!closer.opens) closer.len = 0;
          break;
        }
        pair(found, r);
      }
    }
    for (std::size_t i = 0; i < original_; ++i) {
      Node& node = tree_[nodes_[i]];
      if (node.item == Item::MaybeEmphasis) {
        node.item = Item::Text;
        node.data = nil;  // its own range
      }
    }
    std::uint32_t head = head_ == none ? nil : nodes_[head_];
    for (std::size_t i = head_; i != none; i = next_[i]) {
      tree_[nodes_[i]].next = next_[i] == none ? nil : nodes_[next_[i]];
    }
    return head;
  }

 private:
  static std::size_t bottom_slot(const Run& closer) {
    std::size_t kind = closer.ch == '*' ? 0 : closer.ch == '_' ? 1 : 2;
    // Tildes share one bound whatever their run length.
    if (kind == 2) return 12;
    return kind * 6 + (closer.opens ? 3 : 0) + closer.orig % 3;
  }

  static bool compatible(const Run& opener, const Run& closer) {
    if (closer.ch == '~') return opener.len == closer.len;
    if ((opener.closes || closer.opens) && (opener.orig + closer.orig) % 3 == 0) {
      return opener.orig % 3 == 0 && closer.orig % 3 == 0;
    }
    return true;
  }

  void pair(std::size_t o, std::size_t r) {
    Run& opener = runs_[o];
    Run& closer = runs_[r];
    std::size_t k = closer.ch == '~' ? closer.len : (opener.len >= 2 && closer.len >= 2 ? 2 : 1);
    std::size_t open_first = opener.first + opener.len - k;  // list positions are run-contiguous
    std::size_t open_last = opener.first + opener.len - 1;
    std::size_t close_first = closer.first;
    std::size_t close_last = closer.first + k - 1;
    Item item = closer.ch == '~' ? Item::Strikethrough : (k == 2 ? Item::Strong : Item::Emphasis);
    std::size_t inner_first = next_[open_last];
    std::size_t inner_last = prev_[close_first];
    std::uint32_t child = nil;
    if (inner_first != close_first) {
      child = nodes_[inner_first];
      for (std::size_t i = inner_first; i != inner_last; i = next_[i]) {
        tree_[nodes_[i]].next = nodes_[next_[i]];
      }
      tree_[nodes_[inner_last]].next = nil;
    }
    std::uint32_t node = tree_.add_detached(Node{
        .start = tree_[nodes_[open_first]].start, .end = tree_[nodes_[close_last]].end, .item = item, .child = child});
    // The new node takes the place of the delimiters it used and everything between them.
    std::size_t pos = nodes_.size();
    nodes_.push_back(node);
    prev_.push_back(prev_[open_first]);
    next_.push_back(next_[close_last]);
    if (prev_[open_first] == none) {
      head_ = pos;
    } else {
      next_[prev_[open_first]] = pos;
    }
    if (next_[close_last] != none) prev_[next_[close_last]] = pos;
    opener.len -= k;
    closer.first += k;
    closer.len -= k;
    // Runs between the pair can no longer match anything.
    closer.prev = o;
  }

  Tree& tree_;
  std::size_t original_;
  std::vector<std::uint32_t>& nodes_;
  std::vector<std::size_t>& prev_;
  std::vector<std::size_t>& next_;
  std::size_t head_ = none;
  std::vector<Run>& runs_;
};

}  // namespace

bool has_delimiter(const Tree& tree, const std::vector<std::uint32_t>& sequence) {
  return std::any_of(sequence.begin(), sequence.end(),
                     [&](std::uint32_t ix) { return tree[ix].item == Item::MaybeEmphasis; });
}

std::uint32_t resolve_emphasis(Tree& tree, const std::vector<std::uint32_t>& sequence, InlineRoom& room) {
  if (has_delimiter(tree, sequence)) return Emphasis(tree, sequence, room).run();
  // Nothing to pair: the sequence is the sibling list as it stands.
  for (std::size_t i = 0; i < sequence.size(); ++i)
    tree[sequence[i]].next = i + 1 < sequence.size() ? sequence[i + 1] : nil;
  return sequence.empty() ? nil : sequence.front();
}

}  // namespace markdown
