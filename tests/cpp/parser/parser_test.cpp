// The root that parse builds around the body: its span and its frontmatter.
#include "parser/parser.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vyn::parser {
namespace {

using ast::Json;

TEST(Parse, RootSpansTheWholeInputAndHoldsTheFrontmatter) {
  struct Case {
    std::string input;
    ast::Position position;
  };
  const std::vector<Case> cases = {
      {"", {{1, 1, 0}, {1, 1, 0}}},
      {"a\n", {{1, 1, 0}, {2, 1, 2}}},
      {"---\ntitle: x\n---\nHello", {{1, 1, 0}, {4, 6, 22}}},
      {"\xc3\xa9x", {{1, 1, 0}, {1, 4, 3}}},
  };
  for (const auto& c : cases) {
    ast::Root root = parse(c.input);
    EXPECT_EQ(root.position, c.position) << c.input;
  }
  EXPECT_EQ(parse("---\ntitle: x\n---\nHello").frontmatter, (Json{{"title", "x"}}));
  EXPECT_EQ(parse("---\nkey: [unclosed\n---\nText").frontmatter, std::nullopt);
}

// The links and images of a paragraph's first level.
std::vector<const ast::Node*> links(const ast::Root& root) {
  std::vector<const ast::Node*> found;
  for (const ast::Node& node : *root.children.back().children()) {
    if (node.kind == ast::NodeKind::Link || node.kind == ast::NodeKind::Image) found.push_back(&node);
  }
  return found;
}

template <class Payload>
const Payload& payload_of(const ast::Node* node) {
  return node->as<Payload>();
}

TEST(Parse, TheUsesOfALinkDefinitionAndTheTextNodesViewTextsKeptOnceByTheRoot) {
  ast::Root original = parse("[a]: /far \"far title\"\n\n[a] [a][] ![a] [b](/far \"far title\")\n");
  // The definition's two texts, then the input, whose stretches the text nodes view.
  ASSERT_EQ(original.shared_texts.size(), 3u);
  auto check = [](const ast::Root& root) {
    const ast::SharedText& space = root.children.back().children()->at(1).as<ast::TextNode>().value;
    EXPECT_EQ(space.kept(), &root.shared_texts[2]);
    EXPECT_EQ(space, " ");
    auto found = links(root);
    ASSERT_EQ(found.size(), 4u);
    for (std::size_t k = 0; k < 3; ++k) {
      const ast::SharedText& url = found[k]->kind == ast::NodeKind::Image ? payload_of<ast::ImageNode>(found[k]).url
                                                                          : payload_of<ast::LinkNode>(found[k]).url;
      EXPECT_EQ(url.kept(), &root.shared_texts[0]) << k;
      EXPECT_EQ(url, "/far");
    }
    EXPECT_EQ(payload_of<ast::LinkNode>(found[0]).title->kept(), &root.shared_texts[1]);
    // An inline link holds its own texts, even the same bytes.
    const ast::LinkNode& inline_link = payload_of<ast::LinkNode>(found[3]);
    EXPECT_EQ(inline_link.url.kept(), nullptr);
    EXPECT_EQ(inline_link.url, "/far");
    EXPECT_EQ(*inline_link.title, "far title");
  };
  check(original);
  // A copy views its own texts, so it outlives the tree it was copied from.
  auto copy = std::make_unique<ast::Root>(original);
  ast::Root assigned;
  assigned = *copy;
  EXPECT_EQ(*copy, original);
  original = ast::Root();
  check(*copy);
  copy.reset();
  check(assigned);
}

}  // namespace
}  // namespace vyn::parser
