#include "parser/parser.hpp"

#include "frontmatter/frontmatter.hpp"
#include "parser/body.hpp"
#include "parser/source_map.hpp"

namespace vyn::parser {

ast::Root parse(std::string_view input) {
  SourceMap source_map(input);
  frontmatter::Frontmatter block = frontmatter::extract_frontmatter(input);
  ast::Root root;
  root.frontmatter = std::move(block.value);
  ParseContext context(input);
  root.children = parse_body(input.substr(block.body_start), block.body_start, source_map, input, 0, context);
  root.shared_texts = std::move(context.shared_texts);
  root.position = source_map.position(0, input.size());
  return root;
}

}  // namespace vyn::parser
