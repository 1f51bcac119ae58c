// The interchange value: nlohmann-json keeps object keys in a std::map (byte-wise
// sorted) and keeps unsigned, signed and floating-point numbers apart.
#pragma once

#include <nlohmann/json.hpp>

namespace vyn::ast {

using Json = nlohmann::json;

}  // namespace vyn::ast
