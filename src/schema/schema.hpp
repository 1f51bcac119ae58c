// The component schema: which components exist, the props each takes and of
// which type, and which components may appear as direct children.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ast/json.hpp"

namespace vyn::schema {

enum class PropType : std::uint8_t { String, Number, Boolean, Enum, Object, Array, Variable, Any };

// The names of the prop types in a schema dictionary, in type order.
inline constexpr std::array<std::string_view, 8> kPropTypeNames = {"string", "number", "boolean",  "enum",
                                                                   "object", "array",  "variable", "any"};

struct PropSchema {
  PropType type = PropType::Any;
  bool required = false;
  std::optional<ast::Json> default_value;          // kept as read; never filled in
  std::optional<std::vector<std::string>> values;  // the strings an enum accepts; absent accepts any
  std::optional<std::string> description;
  bool operator==(const PropSchema&) const = default;
};

struct ComponentSchema {
  std::unordered_map<std::string, PropSchema> props;
  bool self_closing = false;
  // Names allowed for direct component children; absent allows any.
  std::optional<std::vector<std::string>> allowed_children;
  std::optional<std::string> description;
  bool operator==(const ComponentSchema&) const = default;
};

struct Schema {
  std::unordered_map<std::string, ComponentSchema> components;
  bool strict = false;  // report components the schema does not know
  // Props every known component accepts after its own; the first pair with
  // a name wins, later ones with the same name are never consulted.
  std::vector<std::pair<std::string, PropSchema>> global_props;
  bool operator==(const Schema&) const = default;
};

}  // namespace vyn::schema
