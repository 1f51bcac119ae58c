// The inline pass: turns the raw inline items of one block into code spans, inline HTML,
// autolinks, links, images, footnote references and emphasis; whatever stays unmatched is text.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "markdown/document.hpp"

namespace markdown {

// Resolves the inline items under `block` (a paragraph, heading, table cell or term) in place.
void resolve_inlines(Document& doc, std::uint32_t block);

// Pairs the emphasis delimiters of one sibling sequence and returns the head of the rebuilt chain.
std::uint32_t resolve_emphasis(Tree& tree, std::string_view text, const std::vector<std::uint32_t>& sequence);

}  // namespace markdown
