// Throughput of the block scanner and body assembly on generated documents,
// each at two sizes: time per byte must stay flat as the size doubles.
//
//   cmake -S . -B build -DVYN_BENCH=ON && cmake --build build --target bench-scanner
//   build/bench/bench-scanner
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "parser/parser.hpp"

namespace {

std::string repeat(const std::string& piece, std::size_t count) {
  std::string out;
  out.reserve(piece.size() * count);
  for (std::size_t i = 0; i < count; ++i) out += piece;
  return out;
}

struct Document {
  const char* name;
  std::function<std::string(std::size_t)> make;  // from a size factor
};

const std::vector<Document> kDocuments = {
    {"sibling components", [](std::size_t n) { return repeat("<Note kind='info'>\n<Inner/>\n</Note>\n", n); }},
    {"nested same-name components", [](std::size_t n) { return repeat("<A>\n", n) + repeat("</A>\n", n); }},
    {"nested distinct components",
     [](std::size_t n) {
       std::string open, close;
       for (std::size_t i = 0; i < n; ++i) {
         open += "<C" + std::to_string(i) + ">\n";
         close = "</C" + std::to_string(i) + ">\n" + close;
       }
       return open + close;
     }},
    {"unclosed tags inside siblings", [](std::size_t n) { return repeat("<A>\n<B>\n<C x='1'>\n</A>\n", n); }},
    {"unclosed tag swallowing the rest", [](std::size_t n) { return "<Open>\n" + repeat("<A>\n<Open>\n", n); }},
    {"unclosed variables in an unclosed component", [](std::size_t n) { return "<A>\n" + repeat("<A x={$y\n", n); }},
    {"unclosed math openers", [](std::size_t n) { return repeat("$$ {#a}\nx\n", n); }},
    {"math blocks", [](std::size_t n) { return repeat("$$\nx^2\n$$\n", n); }},
    {"fenced code", [](std::size_t n) { return repeat("```\n<Note>\n$$\n```\n", n); }},
    // Tag errors whose text runs to the end of the body or line, or whose
    // message holds a value that runs to a far delimiter; about 1 MB at n.
    {"broken tag on every line", [](std::size_t n) { return repeat("<A-\n", 12 * n); }},
    {"broken tags along one HTML line", [](std::size_t n) { return "<div>" + repeat("<A-", 16 * n) + "\n"; }},
    {"primitive values to a far brace", [](std::size_t n) { return repeat("<A n={\n", 7 * n) + "}"; }},
    {"variable paths to a far brace", [](std::size_t n) { return repeat("<A v={$\n", 6 * n) + "}"; }},
    {"unclosed JSON values", [](std::size_t n) { return repeat("<A v={{\n", 6 * n) + "}}"; }},
    {"malformed JSON to far ends", [](std::size_t n) { return repeat("<A v={{\n", 6 * n) + repeat("}}", 6 * n); }},
    {"JSON groups to a far end", [](std::size_t n) { return repeat("<A v={{ } }\n", 4 * n) + "}}"; }},
    {"values ending after far white space",
     [](std::size_t n) { return repeat("<A n={\n", 4 * n) + std::string(24 * n, ' ') + "}"; }},
};

double seconds_to_parse(const std::string& text) {
  auto start = std::chrono::steady_clock::now();
  vyn::ast::Root root = vyn::parser::parse(text);
  auto stop = std::chrono::steady_clock::now();
  if (root.position.end.offset != text.size()) std::printf("unexpected root\n");
  return std::chrono::duration<double>(stop - start).count();
}

}  // namespace

int main() {
  constexpr std::size_t kFactor = 20000;
  std::printf("%-45s %12s %12s %8s\n", "document", "MB/s at n", "MB/s at 2n", "ratio");
  for (const auto& document : kDocuments) {
    std::string small = document.make(kFactor);
    std::string large = document.make(2 * kFactor);
    double small_rate = static_cast<double>(small.size()) / 1e6 / seconds_to_parse(small);
    double large_rate = static_cast<double>(large.size()) / 1e6 / seconds_to_parse(large);
    std::printf("%-45s %12.1f %12.1f %8.2f\n", document.name, small_rate, large_rate, large_rate / small_rate);
  }
}
