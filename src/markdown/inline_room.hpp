// The working lists of the inline pass and of emphasis pairing. The Document keeps them from
// block to block, so that their room is made once per parse rather than once per block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace markdown {

// A run of emphasis delimiters in one sibling sequence.
struct DelimiterRun {
  char ch;
  bool opens;
  bool closes;
  std::size_t first;  // list position of its first remaining delimiter
  std::size_t len;    // remaining delimiters
  std::size_t orig;   // length as scanned
  std::size_t prev;   // previous live run (the delimiter stack)
};

// A `[` or `![` not yet closed.
struct LinkOpener {
  std::size_t out_pos;
  bool image;
};

// A backtick run: its length and its position in the block's sequence of items.
struct BacktickRun {
  std::uint32_t count;
  std::uint32_t pos;
};

struct InlineRoom {
  std::vector<std::uint32_t> seq;  // the block's items as the block pass left them
  std::vector<std::uint32_t> out;  // the items resolved so far
  std::vector<std::uint32_t> link_children;
  std::vector<LinkOpener> openers;
  std::vector<BacktickRun> backticks;      // by length, then position
  std::vector<std::size_t> backtick_next;  // per run: the first run of its length not yet passed
  // Emphasis pairing: the sequence as a linked list, and its delimiter runs.
  std::vector<std::uint32_t> nodes;
  std::vector<std::size_t> prev;
  std::vector<std::size_t> next;
  std::vector<DelimiterRun> runs;
};

}  // namespace markdown
