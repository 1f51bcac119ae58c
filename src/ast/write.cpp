#include "ast/write.hpp"

#include "ast/json_sink.hpp"
#include "ast/writer.hpp"

namespace vyn::ast {

void write_root(const Root& root, Sink& sink) { Writer<Sink>(sink).record(root); }
void write_node(const Node& node, Sink& sink) { Writer<Sink>(sink).node(node); }
void write_math(const MathExpr& expr, Sink& sink) { Writer<Sink>(sink).math(expr); }

void write_node_list(std::span<const Node* const> nodes, Sink& sink) { Writer<Sink>(sink).node_list(nodes); }

Json serialize(const Root& root) {
  JsonSink sink;
  write_root(root, sink);
  return sink.take();
}

Json serialize(const Node& node) {
  JsonSink sink;
  write_node(node, sink);
  return sink.take();
}

Json serialize(const MathExpr& expr) {
  JsonSink sink;
  write_math(expr, sink);
  return sink.take();
}

}  // namespace vyn::ast
