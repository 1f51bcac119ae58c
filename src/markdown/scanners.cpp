#include "markdown/scanners.hpp"

#include <array>

#include "markdown/chars.hpp"
#include "markdown/html_scanners.hpp"

namespace markdown {

namespace {

constexpr std::array<std::string_view, 62> block_tag_names = {
    "address",  "article",    "aside",  "base",    "basefont", "blockquote", "body",     "caption",  "center",
    "col",      "colgroup",   "dd",     "details", "dialog",   "dir",        "div",      "dl",       "dt",
    "fieldset", "figcaption", "figure", "footer",  "form",     "frame",      "frameset", "h1",       "h2",
    "h3",       "h4",         "h5",     "h6",      "head",     "header",     "hr",       "html",     "iframe",
    "legend",   "li",         "link",   "main",    "menu",     "menuitem",   "nav",      "noframes", "ol",
    "optgroup", "option",     "p",      "param",   "search",   "section",    "summary",  "table",    "tbody",
    "td",       "tfoot",      "th",     "thead",   "title",    "tr",         "track",    "ul",
};

constexpr std::array<std::string_view, 4> raw_tag_names = {"pre", "script", "style", "textarea"};
constexpr std::array<std::string_view, 4> raw_end_markers = {"</pre>", "</script>", "</style>", "</textarea>"};

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool starts_with_ci(std::string_view text, std::size_t ix, std::string_view word) {
  if (text.size() - ix < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (lower(text[ix + i]) != word[i]) return false;
  }
  return true;
}

std::size_t skip_blanks(std::string_view text, std::size_t ix) {
  while (ix < text.size() && is_blank_char(static_cast<unsigned char>(text[ix]))) ++ix;
  return ix;
}

bool at_line_end(std::string_view text, std::size_t ix) {
  return ix >= text.size() || is_eol_char(static_cast<unsigned char>(text[ix]));
}

}  // namespace

std::size_t next_line_start(std::string_view text, std::size_t ix) {
  std::size_t eol = find_eol(text, ix);
  return eol + scan_eol(text, eol);
}

namespace detail {

std::optional<std::size_t> blank_line_after_space(std::string_view text, std::size_t ix) {
  std::size_t i = skip_blanks(text, ix);
  if (!at_line_end(text, i)) return std::nullopt;
  return i + scan_eol(text, i) - ix;
}

std::optional<std::size_t> empty_line_after_space(std::string_view text, std::size_t ix) {
  std::size_t i = skip_line_space(text, ix, text.size());
  if (!at_line_end(text, i)) return std::nullopt;
  return i + scan_eol(text, i) - ix;
}

std::optional<std::size_t> hrule_from_marker(std::string_view text, std::size_t ix) {
  char c = text[ix];
  std::size_t count = 0;
  std::size_t i = ix;
  while (i < text.size() && !is_eol_char(static_cast<unsigned char>(text[i]))) {
    if (text[i] == c) {
      ++count;
    } else if (!is_blank_char(static_cast<unsigned char>(text[i]))) {
      return std::nullopt;
    }
    ++i;
  }
  if (count < 3) return std::nullopt;
  return i + scan_eol(text, i) - ix;
}

std::optional<unsigned> atx_heading_from_marker(std::string_view text, std::size_t ix) {
  std::size_t i = ix;
  while (i < text.size() && text[i] == '#' && i - ix < 7) ++i;
  std::size_t level = i - ix;
  if (level > 6) return std::nullopt;
  if (!at_line_end(text, i) && !is_line_space(static_cast<unsigned char>(text[i]))) return std::nullopt;
  return static_cast<unsigned>(level);
}

std::optional<Fence> code_fence_from_marker(std::string_view text, std::size_t ix) {
  char c = text[ix];
  std::size_t i = ix;
  while (i < text.size() && text[i] == c) ++i;
  if (i - ix < 3) return std::nullopt;
  if (c == '`') {
    // The info string of a backtick fence runs to the line feed and holds no backtick.
    std::size_t lf = text.find('\n', i);
    if (text.substr(i, lf == std::string_view::npos ? lf : lf - i).find('`') != std::string_view::npos) {
      return std::nullopt;
    }
  }
  return Fence{i - ix, c};
}

}  // namespace detail

std::optional<std::size_t> scan_closing_fence(std::string_view text, std::size_t ix, Fence fence) {
  std::size_t i = ix;
  while (i < text.size() && text[i] == fence.ch) ++i;
  if (i - ix < fence.count) return std::nullopt;
  // Only spaces may follow: after a tab the line is content.
  while (i < text.size() && text[i] == ' ') ++i;
  if (!at_line_end(text, i)) return std::nullopt;
  return i - ix;
}

std::optional<SetextUnderline> scan_setext_underline(std::string_view text, std::size_t ix) {
  if (ix >= text.size() || (text[ix] != '=' && text[ix] != '-')) return std::nullopt;
  char c = text[ix];
  std::size_t i = ix;
  while (i < text.size() && text[i] == c) ++i;
  i = skip_line_space(text, i, text.size());
  if (!at_line_end(text, i)) return std::nullopt;
  return SetextUnderline{c == '=' ? 1u : 2u, i + scan_eol(text, i) - ix};
}

std::optional<HtmlBlockStart> scan_html_block_start(std::string_view text, std::size_t ix, bool allow_kind_7) {
  std::size_t i = ix + 1;
  for (std::size_t k = 0; k < raw_tag_names.size(); ++k) {
    if (starts_with_ci(text, i, raw_tag_names[k])) {
      std::size_t after = i + raw_tag_names[k].size();
      // Any ASCII white space may end the name here, a vertical tab or form feed too (unlike after
      // the other block tags' names).
      if (after >= text.size() || is_ascii_whitespace(static_cast<unsigned char>(text[after])) || text[after] == '>') {
        return HtmlBlockStart{1, raw_end_markers[k]};
      }
    }
  }
  if (text.substr(i, 3) == "!--") return HtmlBlockStart{2, "-->"};
  if (text.substr(i, 1) == "?") return HtmlBlockStart{3, "?>"};
  if (text.substr(i, 8) == "![CDATA[") return HtmlBlockStart{5, "]]>"};
  if (i + 1 < text.size() && text[i] == '!' && ((text[i + 1] | 0x20) >= 'a' && (text[i + 1] | 0x20) <= 'z')) {
    return HtmlBlockStart{4, ">"};
  }
  std::size_t name_start = i + (i < text.size() && text[i] == '/' ? 1 : 0);
  std::size_t name_end = name_start;
  while (name_end < text.size() && (((text[name_end] | 0x20) >= 'a' && (text[name_end] | 0x20) <= 'z') ||
                                    (text[name_end] >= '0' && text[name_end] <= '9'))) {
    ++name_end;
  }
  if (name_end > name_start && name_end - name_start <= 10) {
    std::string name;
    for (std::size_t k = name_start; k < name_end; ++k) name.push_back(lower(text[k]));
    for (auto tag : block_tag_names) {
      if (tag != name) continue;
      if (at_line_end(text, name_end) || is_blank_char(static_cast<unsigned char>(text[name_end])) ||
          text[name_end] == '>' || text.substr(name_end, 2) == "/>") {
        return HtmlBlockStart{6, {}};
      }
    }
  }
  if (allow_kind_7) {
    std::size_t eol = find_eol(text, ix);
    InlineSource line{.text = text, .limit = eol};
    std::optional<std::size_t> tag_end = scan_open_tag(line, ix);
    if (!tag_end) tag_end = scan_closing_tag(line, ix);
    if (tag_end && skip_line_space(text, *tag_end, eol) == eol) return HtmlBlockStart{7, {}};
  }
  return std::nullopt;
}

bool line_contains_html_end(std::string_view text, std::size_t ix, std::size_t eol, std::string_view marker) {
  if (marker.size() > eol - ix) return false;
  for (std::size_t i = ix; i + marker.size() <= eol; ++i) {
    if (starts_with_ci(text, i, marker)) return true;
  }
  return false;
}

std::optional<std::vector<Alignment>> scan_table_delimiter_row(std::string_view text, std::size_t ix) {
  std::size_t eol = find_eol(text, ix);
  std::size_t i = ix;
  std::size_t indent = 0;
  for (; i < eol && is_blank_char(static_cast<unsigned char>(text[i])); ++i) {
    indent += text[i] == '\t' ? 4 - indent % 4 : 1;
  }
  if (indent > 3 || i == eol) return std::nullopt;
  std::vector<Alignment> columns;
  bool saw_pipe = text[i] == '|';
  if (saw_pipe) ++i;
  // Spaces may sit anywhere, even inside a column's dashes; a colon before any dash aligns the
  // column left, one after a dash right (both: centre). A column closed by a pipe needs a
  // dash; the last one may be a lone colon.
  bool column_start = true;
  bool any_dash = false;
  bool dash_in_column = false;
  Alignment align = Alignment::None;
  for (; i < eol; ++i) {
    switch (text[i]) {
      case ' ': break;
      case ':':
        if (column_start && align == Alignment::None) {
          align = Alignment::Left;
        } else if (!column_start && align == Alignment::Left) {
          align = Alignment::Center;
        } else if (!column_start && align == Alignment::None) {
          align = Alignment::Right;
        }
        column_start = false;
        break;
      case '-':
        column_start = false;
        any_dash = dash_in_column = true;
        break;
      case '|':
        if (!dash_in_column) return std::nullopt;
        columns.push_back(align);
        align = Alignment::None;
        column_start = true;
        dash_in_column = false;
        saw_pipe = true;
        break;
      default: return std::nullopt;
    }
  }
  if (!column_start) columns.push_back(align);
  if (!saw_pipe || !any_dash) return std::nullopt;
  return columns;
}

std::size_t count_table_cells(std::string_view text, std::size_t ix) {
  std::size_t eol = find_eol(text, ix);
  // White space around the row does not count, vertical tabs and form feeds included (though
  // a row's first cell takes them in).
  std::size_t i = skip_line_space(text, ix, eol);
  std::size_t last = eol;
  while (last > i && is_line_space(static_cast<unsigned char>(text[last - 1]))) --last;
  if (i < last && text[i] == '|') {
    // A lone pipe has no cell at all.
    if (++i == last) return 0;
  }
  std::size_t cells = 1;
  for (std::size_t k = i; k < last; ++k) {
    // A pipe right after a backslash never separates cells.
    if (text[k] == '|' && (k == 0 || text[k - 1] != '\\')) {
      if (k + 1 != last) ++cells;
    }
  }
  return cells;
}

}  // namespace markdown
