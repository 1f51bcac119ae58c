// Character classes and decoding: references, label matching and the Unicode tables.
#include "markdown/chars.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

TEST(Chars, ReferencesDecodeOrAreRejected) {
  struct Case {
    std::string input;
    std::string value;  // empty: not a reference
  };
  const std::vector<Case> cases = {
      {"&amp;", "&"},
      {"&ngE;", "\xe2\x89\xa7\xcc\xb8"},  // a two-code-point expansion
      {"&#35;", "#"},
      {"&#X22;", "\""},
      {"&#0;", "\xef\xbf\xbd"},        // NUL becomes U+FFFD
      {"&#x110000;", "\xef\xbf\xbd"},  // past Unicode
      {"&#xD800;", "\xef\xbf\xbd"},    // a surrogate
      {"&#12345678;", ""},             // too many digits
      {"&amp", ""},                    // no semicolon
      {"&bogus;", ""},
      {"&#;", ""},
  };
  for (const auto& c : cases) {
    auto ref = markdown::scan_entity(c.input, 0);
    if (c.value.empty()) {
      EXPECT_FALSE(ref.has_value()) << c.input;
    } else {
      ASSERT_TRUE(ref.has_value()) << c.input;
      EXPECT_EQ(ref->value, c.value) << c.input;
      EXPECT_EQ(ref->length, c.input.size()) << c.input;
    }
  }
}

TEST(Chars, LabelsMatchByFullCaseFoldingAndCollapsedSpace) {
  EXPECT_EQ(markdown::normalize_label("  Foo \n\t Bar "), "foo bar");
  EXPECT_EQ(markdown::normalize_label("\xe1\xba\x9e"), "ss");                               // ẞ
  EXPECT_EQ(markdown::normalize_label("\xce\xa3"), markdown::normalize_label("\xcf\x82"));  // Σ, ς
  EXPECT_EQ(markdown::normalize_label("\xc2\xa0"
                                      "A\xe3\x80\x80 \v"),
            "\xc2\xa0"
            "a\xe3\x80\x80");  // U+00A0, U+3000 kept
}

// A label with nothing to collapse is returned as it is; any other is written into the room.
TEST(Chars, CollapsedLabelsKeepSingleInnerSpaces) {
  const std::vector<std::pair<std::string_view, std::string_view>> cases = {
      {" a\n  b ", "a b"}, {"a b", "a b"}, {"a  b", "a b"}, {"a\tb", "a b"},        {" a", "a"}, {"a ", "a"},
      {"a\r\nb", "a b"},   {"", ""},       {" \n ", ""},    {"\u00a0a", "\u00a0a"},  // no-break space: not collapsed
  };
  for (const auto& [label, expected] : cases) {
    std::string room = "stale";
    std::string_view collapsed = markdown::collapse_whitespace(label, room);
    EXPECT_EQ(collapsed, expected) << label;
    // Nothing to collapse: the very bytes of the label.
    if (label == expected) {
      EXPECT_EQ(collapsed.data(), label.data()) << label;
    }
  }
}

TEST(Chars, PunctuationFollowsUnicode15) {
  EXPECT_TRUE(markdown::is_punctuation(U'!'));
  EXPECT_TRUE(markdown::is_punctuation(U'\u00a7'));      // § (Po)
  EXPECT_TRUE(markdown::is_punctuation(U'\u20ac'));      // € (Sc)
  EXPECT_TRUE(markdown::is_punctuation(U'\U00011B00'));  // new in Unicode 15
  EXPECT_FALSE(markdown::is_punctuation(U'a'));
  EXPECT_FALSE(markdown::is_punctuation(U'\u00e9'));
  EXPECT_TRUE(markdown::is_unicode_whitespace(U'\u00a0'));
  EXPECT_FALSE(markdown::is_unicode_whitespace(U'\u200b'));
}

TEST(Chars, UnescapeResolvesEscapesAndReferencesOnly) {
  EXPECT_EQ(markdown::unescape("a\\*b\\q&lt;&nope;"), "a*b\\q<&nope;");
  std::string cell = "a\\|b\\\\|c";
  markdown::drop_pipe_escapes(cell);
  EXPECT_EQ(cell, "a|b\\|c");
}

}  // namespace
