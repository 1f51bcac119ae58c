#include "schema/read.hpp"

#include <string>
#include <unordered_map>
#include <utility>

namespace vyn::ast {

using schema::ComponentSchema;
using schema::PropSchema;
using schema::PropType;
using schema::Schema;

template <>
inline constexpr std::span<const std::string_view> kEnumNames<PropType> = schema::kPropTypeNames;

template <>
inline constexpr auto kShape<PropSchema> = shape("PropSchema", field("type", &PropSchema::type),
                                                 defaulted("required", &PropSchema::required),
                                                 defaulted("default", &PropSchema::default_value),
                                                 defaulted("values", &PropSchema::values),
                                                 defaulted("description", &PropSchema::description));

template <>
inline constexpr auto kShape<ComponentSchema> = shape("ComponentSchema", field("props", &ComponentSchema::props),
                                                      defaulted("self_closing", &ComponentSchema::self_closing),
                                                      defaulted("allowed_children", &ComponentSchema::allowed_children),
                                                      defaulted("description", &ComponentSchema::description));

template <>
inline constexpr auto kShape<Schema> = shape("Schema", field("components", &Schema::components),
                                             defaulted("strict", &Schema::strict),
                                             defaulted("global_props", &Schema::global_props));

// Components and props by name: a JSON object, read in key order.
template <class T>
struct ValueReader<std::unordered_map<std::string, T>> {
  static std::unordered_map<std::string, T> read(const Json& value, Reader& reader) {
    if (!value.is_object()) fail_type(value, "a map");
    Reader::Nest nest(reader);
    std::unordered_map<std::string, T> map;
    map.reserve(value.size());
    for (const auto& [key, element] : value.get_ref<const Json::object_t&>())
      map.emplace(key, read_value<T>(element, reader));
    return map;
  }
};

// A global prop: the pair [name, prop schema].
template <>
struct ValueReader<std::pair<std::string, PropSchema>> {
  static constexpr std::string_view kExpected = "a tuple of size 2";

  static std::pair<std::string, PropSchema> read(const Json& value, Reader& reader) {
    if (!value.is_array()) fail_type(value, kExpected);
    Reader::Nest nest(reader);
    const auto& elements = value.get_ref<const Json::array_t&>();
    if (elements.empty()) fail_length(0, kExpected);
    std::string name = read_value<std::string>(elements[0], reader);
    if (elements.size() == 1) fail_length(1, kExpected);
    PropSchema prop = read_value<PropSchema>(elements[1], reader);
    if (elements.size() > 2) fail_length(elements.size(), "fewer elements in array");
    return {std::move(name), std::move(prop)};
  }
};

}  // namespace vyn::ast

namespace vyn::schema {

ast::ReadResult<Schema> read_schema(const ast::Json& value) {
  return ast::read_as<Schema>(value, ast::Context::RootLevel);
}

}  // namespace vyn::schema
