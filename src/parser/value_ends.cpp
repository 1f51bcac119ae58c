#include "parser/value_ends.hpp"

#include <initializer_list>

#include "ast/unicode.hpp"

namespace vyn::parser {

namespace {

constexpr std::size_t npos = std::string_view::npos;

std::size_t find_brace(std::string_view text, std::size_t from) { return text.find('}', from); }

std::size_t exact_json_value_end(std::string_view text, std::size_t from) {
  return json_value_end(text, from, TagReading::Exact);
}

}  // namespace

std::size_t json_value_end(std::string_view text, std::size_t from, TagReading reading) {
  bool exact = reading == TagReading::Exact;
  bool in_string = false;
  std::size_t depth = 0;
  for (std::size_t i = from; i < text.size(); ++i) {
    char c = text[i];
    if (in_string) {
      if (c == '\\')
        ++i;
      else if (c == '"')
        in_string = false;
      else if (c == '\n' && !exact)
        break;
    } else if (c == '<' && !exact) {
      break;
    } else if (c == '"') {
      in_string = true;
    } else if (c == '{') {
      ++depth;
    } else if (c == '}') {
      if (depth > 0)
        --depth;
      else if (i + 1 < text.size() && text[i + 1] == '}')
        return i;
    }
  }
  return npos;
}

std::size_t ValueEnds::closing_brace(std::size_t from) { return answer(from, next_brace_, find_brace); }

std::size_t ValueEnds::json_value_end(std::size_t from) { return answer(from, json_end_, exact_json_value_end); }

std::string_view ValueEnds::trimmed(std::size_t from, std::size_t to) {
  std::string_view value = ast::trim_start(text_.substr(from, to - from));
  std::size_t start = to - value.size();
  // Trimming the end reads back from `to` and looks at most three bytes
  // further back for the start of a character, never before the value's
  // start. An end found four bytes or more past `start` was therefore read
  // the same for any value that starts no later than four bytes before it.
  constexpr std::size_t kReachBack = 4;
  auto known = trimmed_ends_.find(to);
  if (known != trimmed_ends_.end() && start + kReachBack <= known->second) {
    return text_.substr(start, known->second - start);
  }
  std::size_t end = start + ast::trim_end(value).size();
  if (to - end >= kRememberedRun && start + kReachBack <= end) trimmed_ends_.emplace(to, end);
  return text_.substr(start, end - start);
}

std::size_t ValueEnds::answer(std::size_t from, const std::vector<std::size_t>& table, Search search) {
  if (from >= text_.size()) return npos;
  if (direct_reads_ < kDirectReadsPerByte * text_.size()) {
    std::size_t found = search(text_, from);
    direct_reads_ += (found == npos ? text_.size() : found + 1) - from;
    return found;
  }
  fill_down_to(from);
  return table[from];
}

void ValueEnds::fill_down_to(std::size_t from) {
  if (next_brace_.empty()) {
    for (auto* table : {&next_brace_, &string_end_, &brace_end_, &json_end_}) table->resize(text_.size());
  }
  for (; filled_from_ > from; --filled_from_) {
    std::size_t p = filled_from_ - 1;
    char c = text_[p];
    next_brace_[p] = c == '}' ? p : later(next_brace_, p + 1);
    string_end_[p] = c == '"' ? p : later(string_end_, p + (c == '\\' ? 2 : 1));
    // A string or a braced group is stepped over whole: from its end on, the
    // depth is back where it was.
    std::size_t brace = npos;
    if (c == '}') {
      brace = p;
    } else if (c == '"' || c == '{') {
      std::size_t closed = c == '"' ? later(string_end_, p + 1) : later(brace_end_, p + 1);
      if (closed != npos) brace = later(brace_end_, closed + 1);
    } else {
      brace = later(brace_end_, p + 1);
    }
    brace_end_[p] = brace;
    if (brace == npos)
      json_end_[p] = npos;
    else
      json_end_[p] = brace + 1 < text_.size() && text_[brace + 1] == '}' ? brace : later(json_end_, brace + 1);
  }
}

}  // namespace vyn::parser
