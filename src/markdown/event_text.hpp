// The text form of an event, e.g. `Start(Link(Inline, "/u", "t", ""))`, `Text("foo")`,
// `End(List(true))`: the notation of the event streams recorded in tests/testdata, where
// pulldown-cmark's Debug output wrote them. Used by tools and tests.
#pragma once

#include <string>

#include "markdown/events.hpp"

namespace markdown {

std::string event_text(const Event& event);

}  // namespace markdown
