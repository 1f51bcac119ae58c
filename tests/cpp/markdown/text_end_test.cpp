// The parser reads nothing past the end of its text: a document given as the front of a larger
// buffer gives the same events as the same bytes on their own. Each input once read one byte
// beyond its end; the bytes after it in the buffer are ones that change the result when read.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "markdown/event_text.hpp"
#include "markdown/parser.hpp"

namespace {

using Stream = std::vector<std::tuple<std::string, std::size_t, std::size_t>>;

Stream stream(std::string_view input) {
  Stream out;
  markdown::Parser parser(input, markdown::Options::all);
  for (const auto& event : parser) out.emplace_back(markdown::event_text(event), event.start, event.end);
  return out;
}

TEST(TextEnd, NothingPastTheEndIsRead) {
  const std::vector<std::string> inputs = {
      "> <e>\n>",  // an HTML block whose container goes on for an empty last line
  };
  for (const std::string& input : inputs) {
    for (const char* tail : {" ", "\t", "\n", "a"}) {
      const std::string buffer = input + tail + tail;
      EXPECT_EQ(stream(std::string_view(buffer).substr(0, input.size())), stream(input))
          << "input \"" << input << "\" followed by \"" << tail << "\"";
    }
  }
}

}  // namespace
