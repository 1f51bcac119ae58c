#include "parser/parser.hpp"

#include "parser/body.hpp"
#include "parser/frontmatter.hpp"
#include "parser/source_map.hpp"

namespace vyn::parser {

ast::Root parse(std::string_view input) {
  SourceMap source_map(input);
  Frontmatter frontmatter = extract_frontmatter(input);
  ast::Root root;
  root.frontmatter = std::move(frontmatter.value);
  ErrorBudget error_budget(input.size());
  root.children =
      parse_body(input.substr(frontmatter.body_start), frontmatter.body_start, source_map, input, 0, error_budget);
  root.position = source_map.position(0, input.size());
  return root;
}

}  // namespace vyn::parser
