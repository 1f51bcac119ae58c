// The event stream at the library's interface: every example recorded from pulldown-cmark 0.12.2,
// the offset facts, and the iterator contract.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "markdown/event_text.hpp"
#include "markdown/parser.hpp"

namespace {

std::filesystem::path testdata() {
  return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "testdata";
}

nlohmann::json load(const std::string& name) {
  std::ifstream in(testdata() / name);
  if (!in) return nullptr;
  return nlohmann::json::parse(in);
}

nlohmann::json events_of(const std::string& text) {
  nlohmann::json out = nlohmann::json::array();
  markdown::Parser parser(text, markdown::Options::all);
  for (const auto& event : parser) {
    out.push_back(nlohmann::json::array({markdown::event_text(event), event.start, event.end}));
  }
  return out;
}

TEST(Events, EveryRecordedExampleMatches) {
  auto examples = load("events-pulldown-cmark-0.12.2.json");
  if (examples.is_null()) GTEST_SKIP() << "test data not found";
  for (const auto& example : examples) {
    EXPECT_EQ(events_of(example["markdown"]), example["events"])
        << example["file"].get<std::string>() << " " << example["example"].get<int>();
  }
  EXPECT_EQ(examples.size(), 761u);
}

TEST(Events, OffsetFactsHold) {
  auto facts = load("offset-facts.json");
  if (facts.is_null()) GTEST_SKIP() << "test data not found";
  for (const auto& fact : facts) {
    // Only facts recorded under our option set apply.
    if (!fact.contains("full_events_0_12_2") || fact["options"].size() != 5) continue;
    std::string input = fact["markdown"];
    auto ours = events_of(input);
    nlohmann::json expected = fact["full_events_0_12_2"];
    EXPECT_EQ(ours, expected) << input;
  }
}

TEST(Events, PayloadsOutliveIteration) {
  markdown::Parser parser("a &amp; [l](/u \"t\") `c  d`\n", markdown::Options::all);
  std::vector<markdown::Event> events(parser.begin(), parser.end());
  std::string texts;
  for (const auto& event : events) texts += std::string(event.text) + std::string(event.dest_url) + "|";
  EXPECT_EQ(texts, "|a |&| |/u|l|/u| |c  d||");
  EXPECT_FALSE(parser.next().has_value());
}

}  // namespace
