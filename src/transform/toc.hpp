// The table-of-contents transform: a flat list of links to the headings in a
// range of depths, put in place of an empty "TableOfContents" component.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ast/node.hpp"
#include "transform/transform.hpp"

namespace vyn::transform {

// One heading listed in the table.
struct TocEntry {
  std::string text;
  std::optional<std::string> id;
  std::optional<std::string> number;  // set by numbering only
  std::uint8_t level = 0;
};

class TableOfContents final : public Transform {
 public:
  // With no placeholder, insert the table at the start instead of dropping it.
  bool auto_insert = false;
  // Prefix each entry with a dotted section number ("1.2").
  bool numbered = false;
  std::uint8_t min_depth = 2;
  std::uint8_t max_depth = 3;

  std::string_view name() const override { return "table-of-contents"; }
  void transform(ast::Root& root, std::string_view source) const override;

  // Appends an entry for `node` when it is a heading with a depth in range.
  void collect_headings(const ast::Node& node, std::vector<TocEntry>& entries) const;
};

}  // namespace vyn::transform
