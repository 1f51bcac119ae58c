#include "parser/region.hpp"

namespace vyn::parser {

ast::NodeList parse_markdown_region(std::string_view, std::uint64_t, const SourceMap&, std::string_view, std::size_t) {
  return {};
}

}  // namespace vyn::parser
