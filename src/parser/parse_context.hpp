// What every run and component of one parse shares: the budgets that keep what hostile input
// makes linear in its size, and the texts that the uses of a link reference definition view.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "parser/code_meta.hpp"
#include "parser/error_budget.hpp"

namespace vyn::parser {

struct ParseContext {
  explicit ParseContext(std::size_t input_size) : errors(input_size), highlights(input_size) {}

  ErrorBudget errors;
  HighlightBudget highlights;
  // Handed to the tree's root when the parse is done (ast::Root::shared_texts).
  std::deque<std::string> shared_texts;
};

}  // namespace vyn::parser
