#include "parser/scanner.hpp"

#include <algorithm>
#include <utility>

#include "parser/ascii.hpp"
#include "parser/value_ends.hpp"

namespace vyn::parser {

namespace {

constexpr std::size_t kNone = std::string_view::npos;
using Closing = ClosingLines::Closing;

bool is_label_start(char c) { return is_ascii_letter(c) || c == '_'; }
bool is_label_char(char c) { return is_word_char(c) || c == '.' || c == ':' || c == '-'; }

// One pass over the lines of one body. Offsets are relative to the body until
// a segment is emitted.
class Scanner {
 public:
  Scanner(std::string_view body, std::uint64_t base, const SourceMap& source_map, ClosingLines& closing_lines)
      : body_(body), base_(base), source_map_(source_map), closing_lines_(closing_lines), value_ends_(body) {}

  std::vector<Segment> scan() && {
    while (!stopped_ && line_ < body_.size()) {
      std::size_t i = first_mark(line_);
      if (fence_line(i) || fence_) {
        next_line();
      } else if (at(i) == '$' && at(i + 1) == '$') {
        if (!math_block(i)) next_line();
      } else if (at(i) == '<' && is_ascii_upper(at(i + 1))) {
        open_tag(i);
      } else if (at(i) == '<' && at(i + 1) == '/' && is_ascii_upper(at(i + 2))) {
        if (!stray_closing_tag(i)) next_line();
      } else {
        next_line();
      }
    }
    if (!stopped_) flush_markdown(body_.size());
    return std::move(segments_);
  }

 private:
  struct Fence {
    char marker;
    std::size_t length;
  };

  // The byte at `i`, or NUL past the end: no construct starts with NUL.
  char at(std::size_t i) const { return i < body_.size() ? body_[i] : '\0'; }

  // The start of the line after the one that holds `i`, or the end of the body. The lines come
  // from the input's line table rather than from a search per line: most lines are short.
  std::size_t line_after(std::size_t i) {
    std::size_t line = source_map_.line_index(base_ + i, table_line_);
    std::uint64_t after = source_map_.line_start(line + 1);
    // Lines are mostly read one after another: the next lookup is likely on the line after.
    table_line_ = after == SourceMap::kNoLine ? line : line + 1;
    return std::min(after - base_, body_.size());
  }

  // The "\n" ending the line that holds `i`, or the end of the body.
  std::size_t line_end(std::size_t i) {
    std::size_t after = line_after(i);
    return after > i && body_[after - 1] == '\n' ? after - 1 : body_.size();
  }

  std::size_t skip_blanks(std::size_t i) const {
    while (at(i) == ' ' || at(i) == '\t') ++i;
    return i;
  }
  std::size_t first_mark(std::size_t line) const { return skip_blanks(line); }

  // Only spaces, tabs and carriage returns from `i` to the end of its line.
  bool blank_rest(std::size_t i) const {
    for (; i < body_.size() && body_[i] != '\n'; ++i) {
      if (body_[i] != ' ' && body_[i] != '\t' && body_[i] != '\r') return false;
    }
    return true;
  }

  void next_line() { line_ = line_after(line_); }

  // Moves both the run start and the line start past the line holding `i`.
  void resume_after(std::size_t i) { run_start_ = line_ = line_after(i); }

  // Ends the pending Markdown run at the current line, then adds `kind`.
  template <class Kind>
  void emit(Kind kind) {
    flush_markdown(line_);
    segments_.push_back(Segment{std::move(kind)});
  }

  void flush_markdown(std::size_t line_start) {
    if (run_start_ < line_start)
      segments_.push_back(Segment{Segment::Markdown{base_ + run_start_, base_ + line_start}});
  }

  // A run of three or more backticks or tildes opens a fence, or closes the
  // open one when it matches it and nothing but blanks follows.
  bool fence_line(std::size_t i) {
    char marker = at(i);
    if (marker != '`' && marker != '~') return false;
    std::size_t end = i;
    while (at(end) == marker) ++end;
    std::size_t length = end - i;
    if (length < 3) return false;
    if (!fence_) {
      fence_ = Fence{marker, length};
    } else if (marker == fence_->marker && length >= fence_->length && blank_rest(end)) {
      fence_.reset();
    }
    return true;
  }

  // "$$", an optional "{#label}", then blanks; the block needs a closing "$$"
  // line. Without one, the line is Markdown.
  bool math_block(std::size_t i) {
    std::size_t j = skip_blanks(i + 2);
    std::optional<std::string> label;
    if (at(j) == '{' && at(j + 1) == '#' && is_label_start(at(j + 2))) {
      std::size_t id_end = j + 3;
      while (is_label_char(at(id_end))) ++id_end;
      if (at(id_end) == '}') {
        label = std::string(body_.substr(j + 2, id_end - j - 2));
        j = id_end + 1;
      }
    }
    if (!blank_rest(j)) return false;
    std::size_t opening_end = line_end(j);
    if (opening_end == body_.size()) return false;
    std::size_t content_start = opening_end + 1;
    // Once a search has found no closing line, none that starts later can.
    if (content_start >= no_math_closer_from_) return false;
    for (std::size_t line = content_start; line < body_.size(); line = line_after(line)) {
      std::size_t m = first_mark(line);
      if (at(m) == '$' && at(m + 1) == '$' && blank_rest(m + 2)) {
        emit(Segment::MathBlock{std::move(label), base_ + content_start, base_ + line, base_ + m + 2});
        resume_after(m + 1);
        return true;
      }
    }
    no_math_closer_from_ = content_start;
    return false;
  }

  void open_tag(std::size_t i) {
    OpenTagResult result = try_parse_open_tag(value_ends_, i, base_, source_map_);
    if (auto* error = std::get_if<TagError>(&result)) {
      emit(std::move(*error));
      resume_after(line_);
      return;
    }
    auto* open = std::get_if<OpenTag>(&result);
    if (open && blank_rest(open->next)) {
      if (open->tag.self_closing) {
        std::size_t bracket = open->next - 1;
        emit(Segment::SelfClosing{std::move(open->tag)});
        resume_after(bracket);
      } else {
        block_component(std::move(*open));
      }
    } else if (!open || open->tag.self_closing || !single_line_component(*open)) {
      next_line();
    }
  }

  // The closing tag on the open tag's own line, with nothing but blanks after
  // it: the text between is the component's body.
  bool single_line_component(OpenTag& open) {
    std::string closing = "</" + open.tag.name + ">";
    std::size_t found = body_.substr(0, line_end(open.next)).find(closing, open.next);
    if (found == kNone || !blank_rest(found + closing.size())) return false;
    std::size_t end = found + closing.size();
    emit(Segment::Component{std::move(open.tag), base_ + open.next, base_ + found, base_ + end});
    resume_after(end - 1);
    return true;
  }

  void block_component(OpenTag open) {
    std::size_t body_start = line_after(open.next - 1);
    std::optional<Closing> known = closing_lines_.find(open.tag.start);
    Closing closing = known ? *known : search_closing_line(open.tag, body_start);
    std::uint64_t start = open.tag.start;
    if (closing.line < base_ + body_.size()) {
      emit(Segment::Component{std::move(open.tag), base_ + body_start, closing.line, closing.end});
      resume_after(closing.end - base_ - 1);
    } else {
      emit(ErrorSegment{"Unclosed tag <" + open.tag.name + ">", body_.substr(start - base_), start,
                        base_ + body_.size()});
      stopped_ = true;
    }
  }

  // The first line from `from` whose closing tag brings the count of open
  // lines named like `tag` back to zero; fences, "$$" blocks and other names
  // do not count. On the way, every open line of any name is matched with its
  // own closing line the same way, and remembered for the bodies inside, as
  // long as no tag on the way spans lines: such a tag could read differently
  // in a shorter body.
  Closing search_closing_line(const ParsedTag& tag, std::size_t from) {
    std::unordered_map<std::string_view, std::vector<std::uint64_t>> open_lines;  // "<" offsets by name
    open_lines[tag.name].push_back(tag.start);
    std::vector<std::pair<std::uint64_t, Closing>> matched;
    bool reusable = true;
    for (std::size_t line = from; line < body_.size(); line = line_after(line)) {
      std::size_t m = first_mark(line);
      if (at(m) != '<') continue;
      if (at(m + 1) == '/') {
        std::optional<CloseTag> close = try_parse_close_tag(body_, m);
        if (!close || !blank_rest(close->next)) continue;
        auto waiting = open_lines.find(close->name);
        if (waiting == open_lines.end() || waiting->second.empty()) continue;
        reusable = reusable && !spans_lines(m, close->next);
        Closing closing{base_ + line, base_ + close->next};
        std::uint64_t opened = waiting->second.back();
        waiting->second.pop_back();
        if (opened == tag.start) {
          if (reusable) remember(matched, open_lines);
          return closing;
        }
        matched.emplace_back(opened, closing);
      } else if (is_ascii_upper(at(m + 1))) {
        OpenTagResult result = try_parse_open_tag(body_, m, base_, source_map_, TagReading::SuccessOnly);
        auto* nested = std::get_if<OpenTag>(&result);
        if (!nested || nested->tag.self_closing || !blank_rest(nested->next)) continue;
        reusable = reusable && !spans_lines(m, nested->next);
        open_lines[tag_name_at(body_, m + 1)].push_back(base_ + m);
      }
    }
    return Closing{};
  }

  // Open lines still waiting when the search ends have no closing line in any
  // body inside it.
  void remember(const std::vector<std::pair<std::uint64_t, Closing>>& matched,
                const std::unordered_map<std::string_view, std::vector<std::uint64_t>>& open_lines) {
    for (const auto& [opened, closing] : matched) closing_lines_.remember(opened, closing);
    for (const auto& [name, waiting] : open_lines) {
      for (std::uint64_t opened : waiting) closing_lines_.remember(opened, Closing{});
    }
  }

  bool spans_lines(std::size_t from, std::size_t to) { return line_end(from) < to; }

  // A closing tag alone on its line, with nothing open at this level.
  bool stray_closing_tag(std::size_t i) {
    std::optional<CloseTag> close = try_parse_close_tag(body_, i);
    if (!close || !blank_rest(close->next)) return false;
    std::string message = "Unexpected closing tag </" + std::string(close->name) + ">";
    emit(ErrorSegment{std::move(message), body_.substr(i, close->next - i), base_ + i, base_ + close->next});
    resume_after(close->next - 1);
    return true;
  }

  std::string_view body_;
  std::uint64_t base_;
  const SourceMap& source_map_;
  ClosingLines& closing_lines_;
  // Tags at the start of line after line may read their values to the same far end.
  ValueEnds value_ends_;
  // Where `line_after` starts its next search in the line table.
  std::size_t table_line_ = 0;
  std::vector<Segment> segments_;
  std::size_t run_start_ = 0;
  std::size_t line_ = 0;
  std::optional<Fence> fence_;
  std::size_t no_math_closer_from_ = kNone;
  bool stopped_ = false;
};

}  // namespace

std::optional<ClosingLines::Closing> ClosingLines::find(std::uint64_t open) const {
  auto found = closings_.find(open);
  if (found == closings_.end()) return std::nullopt;
  return found->second;
}

std::vector<Segment> scan_segments(std::string_view body, std::uint64_t base, const SourceMap& source_map,
                                   ClosingLines& closing_lines) {
  return Scanner(body, base, source_map, closing_lines).scan();
}

}  // namespace vyn::parser
