// A body (the document after its frontmatter, or a block component's inside)
// into nodes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ast/node.hpp"
#include "parser/parse_context.hpp"
#include "parser/source_map.hpp"

namespace vyn::parser {

// `body` is a view into `input` starting at absolute offset `base`; `depth` is
// the number of ancestors the returned nodes will have (0 for the document
// body), below ast::kMaxNodeDepth. A block component whose children would
// reach that bound becomes an error node. `context` serves the whole parse.
ast::NodeList parse_body(std::string_view body, std::uint64_t base, const SourceMap& source_map, std::string_view input,
                         std::size_t depth, ParseContext& context);

}  // namespace vyn::parser
