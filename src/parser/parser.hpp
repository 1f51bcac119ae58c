// The document parser's entry: a VYN document's text into a tree.
#pragma once

#include <string_view>

#include "ast/node.hpp"

namespace vyn::parser {

// Never fails: problems in the document become error nodes.
ast::Root parse(std::string_view input);

}  // namespace vyn::parser
