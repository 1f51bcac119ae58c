// A text that owns its bytes or views bytes kept elsewhere: what a copy, a move and a narrowing
// leave behind, for each kind of holding.
#include "ast/shared_text.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace vyn::ast {
namespace {

TEST(SharedText, CopiesOwnTheirBytesAndViewsStayViews) {
  const std::string kept = "one two three";
  struct Case {
    const char* name;
    SharedText text;
    const std::string* kept;
  };
  Case cases[] = {
      {"owned", SharedText(std::string("one two three")), nullptr},
      {"kept", SharedText::view_of(kept), &kept},
      {"literal", SharedText::literal("one two three"), nullptr},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.text.remove_prefix(4);
    EXPECT_EQ(c.text, "two three");
    SharedText copy = c.text;
    c.text.remove_prefix(4);
    EXPECT_EQ(c.text, "three");
    EXPECT_EQ(copy, "two three");  // narrowing one leaves the other whole
    EXPECT_EQ(copy.kept(), c.kept);
    SharedText moved = std::move(copy);
    EXPECT_EQ(moved, "two three");
    EXPECT_TRUE(copy.empty());  // NOLINT(bugprone-use-after-move): a moved-from text is empty
  }
}

TEST(SharedText, ARebindViewsTheSamePartOfTheCopy) {
  const std::string kept = "one two three";
  const std::string other = kept;
  SharedText text = SharedText::view_of(kept, std::string_view(kept).substr(4, 3));
  text.rebind(&other);
  EXPECT_EQ(text.kept(), &other);
  EXPECT_EQ(text.view().data(), other.data() + 4);
  EXPECT_EQ(text, "two");
}

// Only a view of a whole kept text names it, so that a sink repeats a text only where it is the same.
TEST(SharedText, OnlyAWholeViewNamesItsKeptText) {
  const std::string kept = "abc";
  EXPECT_EQ(SharedText::view_of(kept).kept_whole(), &kept);
  EXPECT_EQ(SharedText::view_of(kept, std::string_view(kept).substr(0, 2)).kept_whole(), nullptr);
  EXPECT_EQ(SharedText("abc").kept_whole(), nullptr);
}

}  // namespace
}  // namespace vyn::ast
