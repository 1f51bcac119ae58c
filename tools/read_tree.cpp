// Reads tree dictionaries as JSON lines on stdin and answers each with one
// line: {"tree": <the tree read and written again>} or {"error": <message>}.
// The Python suites drive it to check reading against parsed documents.
#include <iostream>
#include <string>

#include "ast/read.hpp"
#include "ast/write.hpp"

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    const auto value = vyn::ast::Json::parse(line, nullptr, false);
    if (value.is_discarded()) {
      std::cerr << "read-tree: not a JSON line\n";
      return 2;
    }
    auto root = vyn::ast::read_root(value);
    vyn::ast::Json answer;
    if (root)
      answer["tree"] = vyn::ast::serialize(root.value());
    else
      answer["error"] = root.error().message;
    std::cout << answer.dump() << '\n' << std::flush;
  }
  return 0;
}
