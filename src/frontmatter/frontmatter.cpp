#include "frontmatter/frontmatter.hpp"

#include "ast/unicode.hpp"
#include "frontmatter/yaml.hpp"

namespace vyn::frontmatter {

namespace {

// A closing line is "---" after optional white space, with nothing after it
// but carriage returns.
bool is_closing_line(std::string_view line) {
  while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return ast::trim_start(line) == "---";
}

}  // namespace

Frontmatter extract_frontmatter(std::string_view input) {
  std::size_t content_start;
  if (input.starts_with("---\n"))
    content_start = 4;
  else if (input.starts_with("---\r\n"))
    content_start = 5;
  else
    return {};
  if (content_start == input.size()) return {};

  for (std::size_t line_start = content_start; line_start < input.size();) {
    std::size_t newline = input.find('\n', line_start);
    std::size_t line_end = newline == std::string_view::npos ? input.size() : newline;
    if (is_closing_line(input.substr(line_start, line_end - line_start))) {
      std::uint64_t body_start = newline == std::string_view::npos ? input.size() : newline + 1;
      return {read_yaml(input.substr(content_start, line_start - content_start)), body_start};
    }
    if (newline == std::string_view::npos) break;
    line_start = newline + 1;
  }
  return {};
}

}  // namespace vyn::frontmatter
