// The text form of an event, as the reference parser's debug output writes it, e.g.
// `Start(Link(Inline, "/u", "t", ""))`, `Text("foo")`, `End(List(true))`. Used by tools and tests.
#pragma once

#include <string>

#include "markdown/events.hpp"

namespace markdown {

std::string event_text(const Event& event);

}  // namespace markdown
