// What every run and component of one parse shares: the budgets that keep what hostile input
// makes linear in its size, and the texts that the uses of a link reference definition view.
#pragma once

#include <cstddef>

#include "ast/shared_text.hpp"
#include "parser/code_meta.hpp"
#include "parser/error_budget.hpp"

namespace vyn::parser {

// The empty cells that fill up short table rows in one parse: a table whose header has many
// columns gives every later row all of them, so a short input could hold rows x columns cells.
// Past the budget, rows keep only the cells they wrote.
class FillerCellBudget {
 public:
  static constexpr std::size_t kFixedCells = 10000;
  static constexpr std::size_t kInputBytesPerCell = 4;
  explicit FillerCellBudget(std::size_t input_size) : left_(kFixedCells + input_size / kInputBytesPerCell) {}

  // Whether one more cell may be filled in, which then spends it.
  bool take() {
    if (left_ == 0) return false;
    --left_;
    return true;
  }

 private:
  std::size_t left_;
};

struct ParseContext {
  explicit ParseContext(std::size_t input_size)
      : errors(input_size), highlights(input_size), filler_cells(input_size) {}

  ErrorBudget errors;
  HighlightBudget highlights;
  FillerCellBudget filler_cells;
  // Handed to the tree's root when the parse is done (ast::Root::shared_texts).
  ast::KeptTexts shared_texts;
};

}  // namespace vyn::parser
