// Python objects (the trees and schemas passed to the module) to JSON values.
#pragma once

#include <Python.h>

#include <optional>

#include "ast/json.hpp"

namespace vyn::module {

// None, bool, int, float, str, sequences, sets and str-keyed mappings become
// the JSON value of the same shape; NaN and infinities become null. Returns
// nothing with ValueError set when the object has no JSON form, nests deeper
// than ast::kMaxJsonDepth or contains itself (MemoryError stays MemoryError).
std::optional<ast::Json> to_json(PyObject* object);

}  // namespace vyn::module
