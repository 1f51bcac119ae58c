// The inline pass: turns the raw inline items of one block into code spans, inline HTML,
// autolinks, links, images, footnote references and emphasis; whatever stays unmatched is text.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "markdown/document.hpp"
#include "markdown/inline_room.hpp"

namespace markdown {

// What the search for code spans carries from one paragraph of a tight list item to the item's
// later paragraphs, which are read as one text with it. A backtick run that finds no closer notes
// the runs after it in its paragraph (all but the first, the first time: a run's very next run
// can't close anything), and from then on a run looks for its closer among the noted runs only:
// in the later paragraphs, none finds one. A run that finds its closer clears both.
struct CodeSpanCarry {
  bool first_passed = false;  // the run after a failed search's opener went unnoted
  bool noted = false;         // runs are noted: the later paragraphs' runs are text
};

// Resolves the inline items under `block` (a paragraph, heading, table cell or term) in place.
// A paragraph shown without its tags in a tight list item passes its containers, outermost
// first: HTML and link destinations and titles may then run on into the item's later blocks,
// which they take in. It passes `carry` too, shared by the item's paragraphs.
void resolve_inlines(Document& doc, std::uint32_t block, std::span<const std::uint32_t> containers = {},
                     CodeSpanCarry* carry = nullptr);

// The last paragraph of a tight item whose earlier paragraphs had items to resolve: the item's
// content reads as one, so a backslash break that ends it is a literal backslash.
void end_with_literal_backslash(Document& doc, std::uint32_t block);

// Whether a sibling sequence holds a run that may open or close emphasis or strikethrough.
bool has_delimiter(const Tree& tree, const std::vector<std::uint32_t>& sequence);

// Pairs the emphasis delimiters of one sibling sequence and returns the head of the rebuilt chain;
// works in `room`'s lists of emphasis pairing.
std::uint32_t resolve_emphasis(Tree& tree, const std::vector<std::uint32_t>& sequence, InlineRoom& room);

}  // namespace markdown
