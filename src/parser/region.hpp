// The Markdown pass over one run of a body: the CommonMark event stream into
// nodes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ast/node.hpp"
#include "parser/parse_context.hpp"
#include "parser/source_map.hpp"

namespace vyn::parser {

// `region` is a view into `input` starting at absolute offset `base`; `depth`
// is the number of ancestors the returned nodes will have, below
// ast::kMaxNodeDepth. `context` serves the whole parse.
ast::NodeList parse_markdown_region(std::string_view region, std::uint64_t base, const SourceMap& source_map,
                                    std::string_view input, std::size_t depth, ParseContext& context);

}  // namespace vyn::parser
