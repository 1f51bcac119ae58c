#include "transform/pipeline.hpp"

#include <gtest/gtest.h>

#include "builders.hpp"
#include "parser/parser.hpp"
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

TEST(Pipeline, EmptyPipelineOnlyParses) {
  for (std::string_view input : {"", "# Title\n\ntext\n", "---\na: 1\n---\nbody\n"})
    EXPECT_EQ(Pipeline().run(input), parser::parse(input));
}

TEST(Pipeline, AppliesEachAddedTransformInOrderWithTheSameSource) {
  auto pipeline = Pipeline().add(Stamp("a")).add(Stamp("b")).add(Stamp("a"));
  for (int run = 0; run < 2; ++run) {
    ast::Root root = pipeline.run("x");
    ASSERT_GE(root.children.size(), 3u);
    auto tail = root.children.end() - 3;
    EXPECT_EQ(tail[0].as<ast::TextNode>().value, "a:x");
    EXPECT_EQ(tail[1].as<ast::TextNode>().value, "b:x");
    EXPECT_EQ(tail[2].as<ast::TextNode>().value, "a:x");
  }
}

TEST(Pipeline, DefaultsSlugHeadingsBeforeTheTableCollectsThem) {
  constexpr std::string_view kInput = "<TableOfContents />\n\n## Intro\n\n### Setup\n";
  ast::Root root = parse_with_defaults(kInput);
  EXPECT_EQ(root, Pipeline().add(AutoSlug()).add(TableOfContents()).run(kInput));
  ASSERT_EQ(root.children.size(), 3u);
  const auto& list = root.children[0].as<ast::ComponentNode>().children.at(0);
  ASSERT_EQ(list.children()->size(), 2u);
  EXPECT_EQ(list.children()->at(1).children()->at(0).as<ast::LinkNode>().url, "#setup");
  EXPECT_NE(Pipeline().add(TableOfContents()).add(AutoSlug()).run(kInput), root);
}

TEST(Pipeline, TransformsKeepTheirNames) {
  EXPECT_EQ(AutoSlug().name(), "auto-slug");
  EXPECT_EQ(TableOfContents().name(), "table-of-contents");
}

}  // namespace
}  // namespace vyn::transform
