// Prints the markdown library's events for a document read on stdin, one JSON line
// `[event text, start, end]` per event, all five extensions on.
// With --batch, stdin holds a JSON list of documents and each output line is the JSON list of one
// document's triples (so tests can run thousands of documents through one process).
// --options N picks another extension set (pulldown-cmark's bit values).
#include <iostream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "markdown/event_text.hpp"
#include "markdown/parser.hpp"

namespace {

nlohmann::json events_of(std::string_view text, markdown::Options options) {
  nlohmann::json events = nlohmann::json::array();
  markdown::Parser parser(text, options);
  for (const markdown::Event& event : parser) {
    events.push_back(nlohmann::json::array({markdown::event_text(event), event.start, event.end}));
  }
  return events;
}

}  // namespace

int main(int argc, char** argv) {
  bool batch = false;
  markdown::Options options = markdown::Options::all;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--batch") {
      batch = true;
    } else if (arg == "--options" && i + 1 < argc) {
      options = static_cast<markdown::Options>(std::stoul(argv[++i], nullptr, 0));
    } else {
      std::cerr << "usage: markdown-events [--batch] [--options N] < input\n";
      return 2;
    }
  }
  std::string input((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  const auto dump = [](const nlohmann::json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  };
  if (batch) {
    for (const auto& doc : nlohmann::json::parse(input)) {
      std::cout << dump(events_of(doc.get<std::string>(), options)) << '\n';
    }
    return 0;
  }
  for (const auto& event : events_of(input, options)) std::cout << dump(event) << '\n';
  return 0;
}
