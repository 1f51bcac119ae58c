// Reading a component schema from its dictionary form, by the same rules as
// a tree and with the same error texts.
#pragma once

#include "ast/json.hpp"
#include "ast/read_rules.hpp"
#include "schema/schema.hpp"

namespace vyn::schema {

// Every field but `components`, `props` and `type` may be left out, also at
// the end of a record's array form.
ast::ReadResult<Schema> read_schema(const ast::Json& value);

}  // namespace vyn::schema
