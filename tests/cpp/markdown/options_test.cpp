// Each extension switch: on, its syntax is read; off, the same bytes are plain CommonMark.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "markdown/event_text.hpp"
#include "markdown/parser.hpp"

namespace {

std::vector<std::string> texts(const std::string& input, markdown::Options options) {
  std::vector<std::string> out;
  markdown::Parser parser(input, options);
  for (const auto& event : parser) out.push_back(markdown::event_text(event));
  return out;
}

bool contains(const std::vector<std::string>& events, const std::string& wanted) {
  for (const auto& e : events) {
    if (e.find(wanted) == 0) return true;
  }
  return false;
}

struct Switch {
  markdown::Options option;
  std::string input;
  std::string event_when_on;  // an event that only the extension produces
};

TEST(Options, EachSwitchTurnsItsSyntaxOnAndOff) {
  const std::vector<Switch> switches = {
      {markdown::Options::tables, "a | b\n--|--\nc | d\n", "Start(Table("},
      {markdown::Options::footnotes, "x[^1]\n\n[^1]: note\n", "FootnoteReference("},
      {markdown::Options::strikethrough, "~~gone~~\n", "Start(Strikethrough)"},
      {markdown::Options::tasklists, "- [x] done\n", "TaskListMarker(true)"},
      {markdown::Options::definition_list, "term\n: definition\n", "Start(DefinitionList)"},
  };
  for (const auto& s : switches) {
    EXPECT_TRUE(contains(texts(s.input, s.option), s.event_when_on)) << s.input;
    EXPECT_TRUE(contains(texts(s.input, markdown::Options::all), s.event_when_on)) << s.input;
    EXPECT_FALSE(contains(texts(s.input, markdown::Options::none), s.event_when_on)) << s.input;
  }
}

TEST(Options, BitValuesAreTheReferenceParsers) {
  EXPECT_EQ(static_cast<unsigned>(markdown::Options::all), 0x101eu);
  EXPECT_EQ(static_cast<unsigned>(markdown::Options::tables | markdown::Options::footnotes |
                                  markdown::Options::strikethrough | markdown::Options::tasklists |
                                  markdown::Options::definition_list),
            0x101eu);
}

}  // namespace
