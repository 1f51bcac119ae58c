// Writes the tree of each document given as a JSON file in the output folder,
// named after the document's file, with the example schema beside it: seeds
// for fuzz-tree.
//   fuzz-seed-trees OUT_DIR FILE...
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "ast/write.hpp"
#include "checks.hpp"
#include "parser/parser.hpp"

int main(int argc, char** argv) {
  using namespace vyn;
  if (argc < 2) {
    std::cerr << "usage: fuzz-seed-trees OUT_DIR FILE...\n";
    return 2;
  }
  for (int i = 2; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    ast::Json tree = ast::serialize(parser::parse(text.str()));
    tree["schema"] = fuzz::example_schema_json();
    const std::filesystem::path name = std::filesystem::path(argv[i]).filename();
    std::ofstream(std::filesystem::path(argv[1]) / (name.string() + ".json")) << tree.dump();
  }
  return 0;
}
