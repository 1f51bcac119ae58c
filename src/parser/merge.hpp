// The two passes over a Markdown run's finished nodes: runs of adjacent text
// nodes re-read from the source, and a language written in braces after inline code.
#pragma once

#include <string_view>

#include "ast/node.hpp"
#include "parser/parse_context.hpp"
#include "parser/source_map.hpp"

namespace vyn::parser {

// Replaces each run of adjacent text nodes that may hold citation or
// cross-reference syntax by the inline syntax read from its whole source
// stretch (the library can split such a construct over several text events),
// then gives a code span directly followed by text "{word}..." the language
// "word"; at every level of the containers both enter, children first. The
// texts read again get their values from `context`.
void merge_and_hint(ast::NodeList& nodes, const SourceMap& source_map, std::string_view input, ParseContext& context);

// Whether the nodes of a run of this source text may change in merge_and_hint: text is read
// again only where a reference may be, which holds an "@", and inline code takes a hint only
// from a "{" right after its closing backtick.
bool may_merge_or_hint(std::string_view run);

}  // namespace vyn::parser
