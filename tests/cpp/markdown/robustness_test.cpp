// Whatever the input, parsing ends, every Start has its End with the same range, and every range
// lies inside the text: random documents over the bytes that matter to the syntax, invalid UTF-8
// and NUL included.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "markdown/parser.hpp"

namespace {

const std::vector<std::string> pieces = {
    "*",
    "_",
    "~",
    "`",
    "[",
    "]",
    "(",
    ")",
    "!",
    "<",
    ">",
    "&",
    "#",
    "\\",
    "|",
    ":",
    "-",
    "+",
    "1.",
    "2)",
    " ",
    "  ",
    "\t",
    "\n",
    "\r\n",
    "\r",
    "a",
    "b c",
    "\xc3\xa9",
    "\xff",
    std::string(1, '\0'),
    "&amp;",
    "&#0;",
    "<div>",
    "</div>",
    "<!--",
    "-->",
    "```",
    "~~~",
    "    ",
    "[^1]",
    "[^1]: ",
    "[x]: /u",
    "http://x",
    "@",
};

TEST(Robustness, RandomDocumentsStayBalancedAndInBounds) {
  std::mt19937 rng(12345);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<int> length(0, 60);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (int n = length(rng); n > 0; --n) text += pieces[pick(rng)];
    markdown::Parser parser(text, markdown::Options::all);
    std::vector<markdown::Event> open;
    for (const auto& event : parser) {
      ASSERT_LE(event.start, event.end) << text;
      ASSERT_LE(event.end, text.size()) << text;
      if (event.kind == markdown::EventKind::Start) open.push_back(event);
      if (event.kind == markdown::EventKind::End) {
        ASSERT_FALSE(open.empty()) << text;
        EXPECT_EQ(open.back().tag, event.tag) << text;
        EXPECT_EQ(open.back().start, event.start) << text;
        EXPECT_EQ(open.back().end, event.end) << text;
        open.pop_back();
      }
    }
    EXPECT_TRUE(open.empty()) << text;
  }
}

TEST(Robustness, DeepNestingOfEveryContainerKind) {
  const std::size_t depth = 100000;
  auto repeat = [&](const std::string& unit, const std::string& tail) {
    std::string s;
    s.reserve(unit.size() * depth + tail.size());
    for (std::size_t i = 0; i < depth; ++i) s += unit;
    return s + tail;
  };
  const std::vector<std::string> inputs = {
      repeat(">", " a\n"),                   // block quotes
      repeat("- ", "a\n"),                   // list items
      repeat("1. ", "a\n"),                  // ordered items
      repeat("*", "a"),                      // emphasis openers
      repeat("[", "a"),                      // link brackets
      repeat("![", "a"),                     // image brackets
      repeat("*a **a ", "b"),                // alternating emphasis
      repeat("[a](", "b"),                   // unclosed destinations
      repeat("> - ", "a\n\n"),               // quotes and items interleaved
      repeat("- ", "x") + repeat("\n", ""),  // blank lines under deep lists
  };
  for (const auto& input : inputs) {
    markdown::Parser parser(input, markdown::Options::all);
    long open = 0;
    std::size_t events = 0;
    for (const auto& event : parser) {
      if (event.kind == markdown::EventKind::Start) ++open;
      if (event.kind == markdown::EventKind::End) --open;
      ++events;
    }
    EXPECT_EQ(open, 0);
    EXPECT_GT(events, 0u);
  }
}

// Documents past a megabyte take the arena's own mapping, and the densest outgrow the room
// made for them at the start: each block repeated must give the events of one, shifted.
TEST(Robustness, LargeDocumentsGiveTheEventsOfTheirBlocks) {
  const std::vector<std::string> blocks = {
      "a\nb\nc\nd\n\n",                              // more nodes than bytes / 4: the arena regrows
      "# h *e* `c`\n\n> q [l](/u \"t\") ~~s~~\n\n",  // containers, payloads
      "| a | b |\n|---|---|\n| 1 |\n\n",             // a filled-up row
  };
  struct Seen {
    markdown::EventKind kind;
    markdown::TagKind tag;
    std::string text;
    std::size_t start, end;
    bool operator==(const Seen&) const = default;
  };
  auto events = [](const std::string& text) {
    std::vector<Seen> out;
    markdown::Parser parser(text, markdown::Options::all);
    for (const auto& e : parser) out.push_back({e.kind, e.tag, std::string(e.text), e.start, e.end});
    return out;
  };
  for (const auto& block : blocks) {
    const std::size_t copies = (5u << 18) / block.size();
    std::string text;
    for (std::size_t i = 0; i < copies; ++i) text += block;
    const std::vector<Seen> one = events(block);
    const std::vector<Seen> all = events(text);
    ASSERT_EQ(all.size(), one.size() * copies) << block;
    for (std::size_t i = 0; i < all.size(); ++i) {
      Seen expected = one[i % one.size()];
      expected.start += block.size() * (i / one.size());
      expected.end += block.size() * (i / one.size());
      ASSERT_EQ(all[i], expected) << block << " event " << i;
    }
  }
}

}  // namespace
