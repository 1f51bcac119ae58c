// How a record of a dictionary form is described once, for its reader and its
// writer: its fields in declaration order, each with its key and the rule for
// its absence, and the names of an enumeration's values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <tuple>
#include <type_traits>

namespace vyn::ast {

enum class FieldRule : std::uint8_t {
  // Required; a std::optional member is absent when its key is missing or
  // null, and is left out when written absent.
  Plain,
  // Takes its value-initialised default when missing, also at the end of an
  // array; left out when written holding it.
  Defaulted,
  // A std::optional member read as a plain one, but written as null when absent.
  Nullable,
};

template <class Record, class Member>
struct Field {
  std::string_view name;
  Member Record::*member;
  FieldRule rule;
};

template <class Record, class Member>
constexpr Field<Record, Member> field(std::string_view name, Member Record::*member) {
  return {name, member, FieldRule::Plain};
}
template <class Record, class Member>
constexpr Field<Record, Member> defaulted(std::string_view name, Member Record::*member) {
  return {name, member, FieldRule::Defaulted};
}
template <class Record, class Member>
constexpr Field<Record, std::optional<Member>> nullable(std::string_view name, std::optional<Member> Record::*member) {
  return {name, member, FieldRule::Nullable};
}

// A record's fields in declaration order; `prefix` + `name` is its
// expected-text ("struct " "Position").
template <class... Fields>
struct Shape {
  std::string_view prefix;
  std::string_view name;
  std::tuple<Fields...> fields;
};

template <class... Fields>
constexpr Shape<Fields...> shape(std::string_view name, Fields... fields) {
  return {"struct ", name, std::tuple<Fields...>(fields...)};
}

struct NoShape {};
// Specialise with `shape(...)` to describe a record.
template <class T>
inline constexpr auto kShape = NoShape{};
// Specialise with the value names in value order to name an enumeration's values.
template <class T>
inline constexpr std::span<const std::string_view> kEnumNames{};

template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};

template <class T>
concept ShapedRecord = !std::is_same_v<std::remove_cvref_t<decltype(kShape<T>)>, NoShape>;

template <class T>
concept NamedEnum = std::is_enum_v<T> && !kEnumNames<T>.empty();

}  // namespace vyn::ast
