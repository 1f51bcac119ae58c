// Turns a formula's text into tokens in one pass; every byte ends up in some
// token and the list always ends with Eof.
#pragma once

#include <string_view>
#include <vector>

#include "math/token.hpp"

namespace vyn::math {

// The tokens' names are views into `formula`, which must outlive them.
std::vector<Token> tokenize(std::string_view formula);

}  // namespace vyn::math
