// What every run and component of one parse shares: the budgets that keep what hostile input
// makes linear in its size, and the texts that the uses of a link reference definition and the
// text nodes view.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ast/shared_text.hpp"
#include "markdown/chars.hpp"
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
  explicit ParseContext(std::string_view input)
      : errors(input.size()), highlights(input.size()), filler_cells(input.size()), input_(input) {}

  // The value of a text node whose bytes are `text`. Most texts are slices of the input: those view
  // one copy of the input that the root keeps, made at the first of them, so that a text node
  // costs no allocation and no copy of its own. The copy is the size of the input, no more than
  // the texts' own copies would take together in most documents.
  ast::SharedText text_value(std::string_view text) {
    if (!markdown::is_slice_of(text, input_)) return ast::SharedText(text);
    if (!input_copy_) input_copy_ = &shared_texts.emplace_back(input_);
    return ast::SharedText::view_of(*input_copy_,
                                    std::string_view(*input_copy_).substr(text.data() - input_.data(), text.size()));
  }

  // `text` and, when it is a slice of the input, the rest of the input after it: a byte search may
  // compare sixteen bytes at once past the text's end, so that a short text takes one step rather
  // than a step per byte.
  std::string_view readable(std::string_view text) const {
    if (!markdown::is_slice_of(text, input_)) return text;
    return std::string_view(text.data(), static_cast<std::size_t>(input_.data() + input_.size() - text.data()));
  }

  ErrorBudget errors;
  HighlightBudget highlights;
  FillerCellBudget filler_cells;
  // Handed to the tree's root when the parse is done (ast::Root::shared_texts).
  ast::KeptTexts shared_texts;

 private:
  std::string_view input_;
  const std::string* input_copy_ = nullptr;  // in shared_texts
};

}  // namespace vyn::parser
