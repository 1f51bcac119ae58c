#include "ast/read.hpp"

#include <array>

#include "ast/node_shapes.hpp"
#include "ast/read_math.hpp"

namespace vyn::ast {

// Every JSON value is one of the first six alternatives, so an object with
// "path" and "position" stays an object; only a byte array matches none.
template <>
struct ValueReader<AttributeValue> {
  static AttributeValue read(const Json& value, Reader& reader) {
    return read_json(value, reader, "data did not match any variant of untagged enum AttributeValue");
  }
};

template <>
struct ValueReader<Node> {
  static void fill(const Json& value, Reader& reader, Node& out);
};

namespace {

using PayloadReader = void (*)(const Json& tagged, Reader& reader, NodePayload& out);

template <class Payload>
void read_payload(const Json& tagged, Reader& reader, NodePayload& out) {
  ValueReader<Payload>::fill_fields(tagged, 1, reader, unbox(out.emplace<StoredRecord<Payload>>()));
}

// The reader of each kind's payload record, in kind order.
constexpr auto kPayloadReaders = []<std::size_t... K>(std::index_sequence<K...>) {
  return std::array<PayloadReader, sizeof...(K)>{read_payload<PayloadOf<static_cast<NodeKind>(K)>>...};
}
(std::make_index_sequence<kNodeKinds.size()>());

}  // namespace

// The tag is read where the node stands; the payload is always read inside a node.
void ValueReader<Node>::fill(const Json& value, Reader& reader, Node& out) {
  if (!value.is_object() && !value.is_array()) fail_type(value, "internally tagged enum Node");
  Reader::Nest nest(reader);
  const std::size_t kind = read_tag(read_tag_value(value), reader, kNodeKindNames);
  Reader::Within inside(reader, Context::InsideNode);
  out.kind = static_cast<NodeKind>(kind);
  kPayloadReaders[kind](value, reader, out.payload);
}

ReadResult<Root> read_root(const Json& value) { return read_as<Root>(value, Context::RootLevel); }

ReadResult<Node> read_node(const Json& value) { return read_as<Node>(value, Context::RootLevel); }

}  // namespace vyn::ast
