#include "transform/pipeline.hpp"

#include <gtest/gtest.h>

#include "builders.hpp"
#include "transform/slug.hpp"
#include "transform/toc.hpp"

namespace vyn::transform {
namespace {

using namespace vyn::testing;

// Appends a text node naming itself, so the order of application shows.
class Stamp final : public Transform {
 public:
  explicit Stamp(std::string mark) : mark_(std::move(mark)) {}
  std::string_view name() const override { return "stamp"; }
  void transform(ast::Root& root, std::string_view source) const override {
    root.children.push_back(text(mark_ + ":" + std::string(source)));
  }

 private:
  std::string mark_;
};

TEST(Pipeline, EmptyPipelineLeavesTheTreeAsItIs) {
  const ast::Root tree = root_of({heading(2, {text("Intro")}), block(NodeKind::Paragraph, {text("x")})});
  ast::Root root = tree;
  Pipeline().apply(root, "## Intro\n\nx\n");
  EXPECT_EQ(root, tree);
}

TEST(Pipeline, AppliesEachAddedTransformInOrderWithTheSameSource) {
  auto pipeline = Pipeline().add(Stamp("a")).add(Stamp("b")).add(Stamp("a"));
  for (int run = 0; run < 2; ++run) {
    ast::Root root;
    pipeline.apply(root, "x");
    ASSERT_EQ(root.children.size(), 3u);
    EXPECT_EQ(root.children[0].as<ast::TextNode>().value, "a:x");
    EXPECT_EQ(root.children[1].as<ast::TextNode>().value, "b:x");
    EXPECT_EQ(root.children[2].as<ast::TextNode>().value, "a:x");
  }
}

TEST(Pipeline, DefaultsSlugHeadingsBeforeTheTableCollectsThem) {
  const ast::Root tree =
      root_of({component("TableOfContents"), heading(2, {text("Intro")}), heading(3, {text("Setup")})});
  ast::Root root = tree;
  default_pipeline().apply(root, "");
  ast::Root explicit_order = tree;
  Pipeline().add(AutoSlug()).add(TableOfContents()).apply(explicit_order, "");
  EXPECT_EQ(root, explicit_order);
  ASSERT_EQ(root.children.size(), 3u);
  const auto& list = root.children[0].as<ast::ComponentNode>().children.at(0);
  ASSERT_EQ(list.children()->size(), 2u);
  EXPECT_EQ(list.children()->at(1).children()->at(0).as<ast::LinkNode>().url, "#setup");
  ast::Root reversed = tree;
  Pipeline().add(TableOfContents()).add(AutoSlug()).apply(reversed, "");
  EXPECT_NE(reversed, root);
}

TEST(Pipeline, TransformsKeepTheirNames) {
  EXPECT_EQ(AutoSlug().name(), "auto-slug");
  EXPECT_EQ(TableOfContents().name(), "table-of-contents");
}

}  // namespace
}  // namespace vyn::transform
