// Checks a record's dictionary form against a JSON literal: keys, values,
// number types and the order in which the writer emits the keys.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "ast/write.hpp"

namespace vyn::ast::testing {

using OrderedJson = nlohmann::ordered_json;

// Keeps keys in the order written, as a Python dict does.
class OrderedSink final : public Sink {
 public:
  void begin_object() override { open_.push_back(&put(OrderedJson::object())); }
  void key(Key key) override { key_.assign(key.text()); }
  void end_object() override { open_.pop_back(); }
  void begin_array(std::size_t) override { open_.push_back(&put(OrderedJson::array())); }
  void end_array() override { open_.pop_back(); }
  void null() override { put(nullptr); }
  void boolean(bool value) override { put(value); }
  void unsigned_integer(std::uint64_t value) override { put(value); }
  void signed_integer(std::int64_t value) override { put(value); }
  void floating(double value) override { put(value); }
  void string(std::string_view value) override { put(std::string(value)); }

  OrderedJson result;

 private:
  OrderedJson& put(OrderedJson value) {
    if (open_.empty()) return result = std::move(value);
    OrderedJson& container = *open_.back();
    if (container.is_array()) return container.emplace_back(std::move(value));
    container.push_back({key_, std::move(value)});
    return container.back();
  }

  std::vector<OrderedJson*> open_;
  std::string key_;
};

// Equal values with equal number types (nlohmann's == calls 3u and 3 equal).
template <class Value>
bool same_types(const Value& a, const Value& b) {
  if (a.type() != b.type() || a.size() != b.size()) return false;
  if (a.is_array())
    for (std::size_t i = 0; i < a.size(); ++i)
      if (!same_types(a[i], b[i])) return false;
  if (a.is_object())
    for (auto it = a.begin(); it != a.end(); ++it)
      if (!b.contains(it.key()) || !same_types(it.value(), b.at(it.key()))) return false;
  return true;
}

// Literals may say @P for the position {1:2@3 .. 4:5@6} and @X for the
// identifier x.
inline constexpr Position kP{{1, 2, 3}, {4, 5, 6}};
inline const MathExpr kX = MathExpr::Ident{"x"};

inline std::string expand(std::string_view literal) {
  static constexpr std::string_view kPosition =
      R"({"end":{"column":5,"line":4,"offset":6},"start":{"column":2,"line":1,"offset":3}})";
  static constexpr std::string_view kIdent = R"({"type":"ident","value":"x"})";
  std::string text;
  for (std::size_t i = 0; i < literal.size(); ++i) {
    if (literal[i] == '@' && i + 1 < literal.size() && (literal[i + 1] == 'P' || literal[i + 1] == 'X')) {
      text += literal[i + 1] == 'P' ? kPosition : kIdent;
      ++i;
    } else {
      text += literal[i];
    }
  }
  return text;
}

// The literal must list keys in byte-wise order; the writer must emit them so.
template <class Record>
void expect_written(const Record& record, std::string_view literal) {
  std::string text = expand(literal);
  OrderedSink ordered;
  if constexpr (std::is_same_v<Record, Root>)
    write_root(record, ordered);
  else if constexpr (std::is_same_v<Record, Node>)
    write_node(record, ordered);
  else
    write_math(record, ordered);
  OrderedJson expected = OrderedJson::parse(text);
  EXPECT_EQ(ordered.result, expected) << text;
  EXPECT_TRUE(same_types(ordered.result, expected)) << text;
  Json json = serialize(record);
  EXPECT_EQ(json, Json::parse(text)) << text;
  EXPECT_TRUE(same_types(json, Json::parse(text))) << text;
}

}  // namespace vyn::ast::testing
