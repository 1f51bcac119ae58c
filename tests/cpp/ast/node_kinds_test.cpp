// Every kind of the kind table through the dictionary form: written under its
// name with its own record, and read back by that name, and inside a node by
// its index.
#include "ast/node_kinds.hpp"

#include <gtest/gtest.h>

#include <utility>

#include "ast/read.hpp"
#include "ast/write.hpp"

namespace vyn::ast {
namespace {

constexpr Position kAt{{1, 2, 1}, {3, 4, 9}};

template <std::size_t K>
Node sample() {
  constexpr auto kind = static_cast<NodeKind>(K);
  PayloadOf<kind> payload{};
  payload.position = kAt;
  return make_node(kind, std::move(payload));
}

template <std::size_t K>
void expect_round_trip() {
  const Node node = sample<K>();
  const std::string_view name = kNodeKinds[K].name;
  const Json written = serialize(node);
  EXPECT_EQ(written.at("type"), name);

  auto by_name = read_node(written);
  ASSERT_TRUE(by_name) << name << ": " << by_name.error().message;
  EXPECT_EQ(by_name.value(), node) << name;

  Json indexed = written;
  indexed["type"] = K;
  const Json parent = {{"type", "paragraph"}, {"children", {indexed}}, {"position", written.at("position")}};
  auto by_index = read_node(parent);
  ASSERT_TRUE(by_index) << name << ": " << by_index.error().message;
  EXPECT_EQ(by_index.value().children()->at(0), node) << name;
}

TEST(NodeKinds, EveryKindRoundTripsThroughWriteAndReadByName) {
  []<std::size_t... K>(std::index_sequence<K...>) { (expect_round_trip<K>(), ...); }
  (std::make_index_sequence<kNodeKinds.size()>());
}

}  // namespace
}  // namespace vyn::ast
