// Throughput of markdown::Parser beside md4c and cmark-gfm on the same corpora, and the scaling of
// each pathological pattern from 1x to 10x its size.
#include <cmark-gfm.h>
#include <md4c.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "markdown/parser.hpp"

namespace {

double seconds(const std::function<void()>& run, int repeats) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i) run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / repeats;
}

std::size_t ours(const std::string& text) {
  markdown::Parser parser(text, markdown::Options::all);
  std::size_t n = 0;
  for ([[maybe_unused]] const markdown::Event& event : parser) ++n;
  return n;
}

int md4c_block(MD_BLOCKTYPE, void*, void* count) { return ++*static_cast<std::size_t*>(count), 0; }
int md4c_span(MD_SPANTYPE, void*, void* count) { return ++*static_cast<std::size_t*>(count), 0; }
int md4c_text(MD_TEXTTYPE, const MD_CHAR*, MD_SIZE, void* count) { return ++*static_cast<std::size_t*>(count), 0; }

std::size_t md4c(const std::string& text) {
  std::size_t count = 0;
  MD_PARSER parser{};
  parser.flags = MD_FLAG_TABLES | MD_FLAG_STRIKETHROUGH | MD_FLAG_TASKLISTS;
  parser.enter_block = md4c_block;
  parser.leave_block = md4c_block;
  parser.enter_span = md4c_span;
  parser.leave_span = md4c_span;
  parser.text = md4c_text;
  md_parse(text.data(), static_cast<MD_SIZE>(text.size()), &parser, &count);
  return count;
}

std::size_t cmark(const std::string& text) {
  cmark_node* doc = cmark_parse_document(text.data(), text.size(), CMARK_OPT_DEFAULT);
  cmark_node_free(doc);
  return 1;
}

std::string generated(std::size_t target) {
  const char* pieces[] = {
      "# Heading with *emphasis* and `code`\n\n",
      "A paragraph with **strong**, [a link](https://example.com \"title\"), ~~gone~~ and &amp; text.\n"
      "It continues here with <span>inline html</span> and an autolink <https://x.y>.\n\n",
      "- item one\n- item two with [ref]\n  - nested [^1]\n- [ ] task\n\n",
      "> quoted *text*\n> more\n\n",
      "```rust\nfn main() {}\n```\n\n",
      "| a | b |\n|---|:-:|\n| 1 | 2 |\n| 3 | 4 |\n\n",
      "Term\n: definition text\n\n",
      "[ref]: /url\n[^1]: a note\n\n",
  };
  std::string out;
  for (std::size_t i = 0; out.size() < target; ++i) out += pieces[i % std::size(pieces)];
  return out;
}

void throughput(const char* name, const std::string& text) {
  int repeats = text.size() < 1000000 ? 50 : 5;
  double t_ours = seconds([&] { ours(text); }, repeats);
  double t_md4c = seconds([&] { md4c(text); }, repeats);
  double t_cmark = seconds([&] { cmark(text); }, repeats);
  double mb = static_cast<double>(text.size()) / 1e6;
  std::printf(
      "%-22s %8.2f MB  ours %7.1f MB/s  md4c %7.1f MB/s  cmark-gfm %7.1f MB/s  ours/md4c %.2f  ours/cmark-gfm %.2f\n",
      name, mb, mb / t_ours, mb / t_md4c, mb / t_cmark, t_md4c / t_ours, t_cmark / t_ours);
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir = argc > 1 ? argv[1] : "tests/testdata";
  std::ifstream examples_file(dir + "/commonmark-0.31.2.json");
  std::ifstream pathological_file(dir + "/pathological.json");
  if (!examples_file || !pathological_file) {
    std::fprintf(stderr, "test data not found in %s\n", dir.c_str());
    return 1;
  }
  std::string joined;
  for (const auto& example : nlohmann::json::parse(examples_file))
    joined += example["markdown"].get<std::string>() + "\n";
  throughput("commonmark examples", joined);
  throughput("generated document", generated(10 * 1000 * 1000));

  std::printf("\npathological patterns, time at 1x and 10x of a tenth of their size\n");
  for (const auto& cases = nlohmann::json::parse(pathological_file); const auto& c : cases) {
    if (!c.contains("parts") && !c.contains("repeat")) continue;  // built line by line
    auto build = [&](double scale) {
      std::string out;
      nlohmann::json parts = c.contains("parts")
                                 ? c["parts"]
                                 : nlohmann::json::array({{{"text", c.value("prefix", "")}, {"count", 1}},
                                                          {{"text", c["repeat"]}, {"count", c["count"]}},
                                                          {{"text", c.value("suffix", "")}, {"count", 1}}});
      for (const auto& part : parts) {
        auto count = part["count"].get<std::size_t>();
        std::size_t n = count == 1 ? 1 : static_cast<std::size_t>(static_cast<double>(count) * scale);
        for (std::size_t i = 0; i < n; ++i) out += part["text"].get<std::string>();
      }
      return out;
    };
    std::string small = build(0.1);
    std::string large = build(1.0);
    double t1 = seconds([&] { ours(small); }, 3);
    double t10 = seconds([&] { ours(large); }, 3);
    std::printf("%-45s %9zu B %8.4f s  %9zu B %8.4f s  ratio %.1f\n", c["name"].get<std::string>().c_str(),
                small.size(), t1, large.size(), t10, t10 / t1);
  }
  return 0;
}
