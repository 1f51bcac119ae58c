// Times reading trees back from their dictionary form, beside writing the
// same trees, for trees of growing size and for shapes that stress one rule
// (many unknown keys, long arrays, nesting near the bound). Reading should
// grow linearly: the time per node stays flat as the trees grow.
// Run: cmake -S . -B build -DVYN_BENCH=ON && cmake --build build --target bench-read && build/bench/bench-read
#include <cstdio>
#include <string>

#include "ast/read.hpp"
#include "ast/write.hpp"
#include "timing.hpp"

namespace {

using vyn::ast::Json;
using vyn::bench::best_seconds;

vyn::ast::Position at(std::uint64_t offset) { return {{1, offset + 1, offset}, {1, offset + 2, offset + 1}}; }

// Paragraphs of text, emphasis, inline math and a component with attributes.
vyn::ast::Root document(std::size_t paragraphs) {
  using namespace vyn::ast;
  Root root;
  root.position = at(0);
  for (std::size_t i = 0; i < paragraphs; ++i) {
    NodeList inline_nodes;
    inline_nodes.push_back(make_text("Some words of text " + std::to_string(i), at(i)));
    inline_nodes.push_back(make_block(NodeKind::Emphasis, {make_text("stressed", at(i))}, at(i)));
    MathExpr frac = MathExpr::Frac{MathExpr(MathExpr::Ident{"a"}), MathExpr(MathExpr::Number{"2"}), FracStyle::Auto};
    inline_nodes.push_back(make_node(NodeKind::MathInline, MathNode{"\\frac{a}{2}", std::move(frac), at(i)}));
    ComponentNode card{"Card", true, {AttributeNode{"n", Json(i), at(i)}, AttributeNode{"t", Json("x"), at(i)}},
                       {},     "",   at(i)};
    inline_nodes.push_back(make_node(NodeKind::Component, std::move(card)));
    root.children.push_back(make_block(NodeKind::Paragraph, std::move(inline_nodes), at(i)));
  }
  return root;
}

void report(const char* name, std::size_t nodes, double read_s, double write_s) {
  std::printf("%-34s %9zu nodes  read %8.2f ms  %7.1f ns/node  read/write %.2f\n", name, nodes, read_s * 1e3,
              read_s * 1e9 / static_cast<double>(nodes), read_s / write_s);
}

Json root_with(Json child) {
  Json root = vyn::ast::serialize(vyn::ast::Root{vyn::ast::RootType::Root, std::nullopt, {}, at(0)});
  root["children"].push_back(std::move(child));
  return root;
}

}  // namespace

int main() {
  for (std::size_t paragraphs : {1000u, 4000u, 16000u, 64000u}) {
    const auto tree = document(paragraphs);
    const Json written = vyn::ast::serialize(tree);
    const double read_s = best_seconds([&] { (void)vyn::ast::read_root(written); });
    const double write_s = best_seconds([&] { (void)vyn::ast::serialize(tree); });
    report(("document, " + std::to_string(paragraphs) + " paragraphs").c_str(), paragraphs * 7, read_s, write_s);
  }

  // A node with a great many keys it does not know.
  Json wide = vyn::ast::serialize(vyn::ast::make_text("x", at(0)));
  for (int key = 0; key < 200000; ++key) wide["unknown" + std::to_string(key)] = key;
  const Json wide_root = root_with(wide);
  std::printf("%-34s %9d keys   read %8.2f ms\n", "text node with unknown keys", 200000,
              best_seconds([&] { (void)vyn::ast::read_root(wide_root); }) * 1e3);

  // A long run of siblings and a long attribute array.
  Json long_list = vyn::ast::serialize(vyn::ast::make_block(vyn::ast::NodeKind::Paragraph, {}, at(0)));
  for (int i = 0; i < 200000; ++i)
    long_list["children"].push_back(vyn::ast::serialize(vyn::ast::make_text("t", at(0))));
  const Json long_root = root_with(long_list);
  std::printf("%-34s %9d nodes  read %8.2f ms\n", "paragraph with many children", 200000,
              best_seconds([&] { (void)vyn::ast::read_root(long_root); }) * 1e3);

  // Emphasis inside emphasis, just under the nesting bound, and far past it.
  for (int depth : {1000, 100000}) {
    Json node = vyn::ast::serialize(vyn::ast::make_text("x", at(0)));
    for (int level = 0; level < depth; ++level) {
      Json parent = vyn::ast::serialize(vyn::ast::make_block(vyn::ast::NodeKind::Emphasis, {}, at(0)));
      parent["children"].push_back(std::move(node));
      node = std::move(parent);
    }
    const Json deep_root = root_with(std::move(node));
    std::printf("%-34s %9d levels read %8.2f ms (%s)\n", "nested emphasis", depth,
                best_seconds([&] { (void)vyn::ast::read_root(deep_root); }) * 1e3,
                vyn::ast::read_root(deep_root) ? "read" : "nesting error");
  }
  return 0;
}
