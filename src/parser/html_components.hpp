// Components written as tags inside a Markdown run, which reach the pass as
// raw HTML: built when complete within one HTML text, kept open across events
// otherwise, and reported when closed wrongly or never.
#pragma once

#include <cstdint>
#include <string_view>

#include "parser/region_state.hpp"

namespace vyn::parser {

// One Html (`is_inline` false) or InlineHtml event with the library's text
// `t` and the absolute range s..e.
void handle_html_event(RegionState& state, std::string_view t, bool is_inline, std::uint64_t s, std::uint64_t e);

// At the end of the run: every component still open becomes an "Unclosed tag"
// error on the top level, followed by what it collected.
void close_unclosed_components(RegionState& state);

}  // namespace vyn::parser
