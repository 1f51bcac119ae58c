#include "parser/attributes.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>

#include "ast/decimal.hpp"
#include "parser/ascii.hpp"
#include "parser/json_text.hpp"

namespace vyn::parser {

namespace {

using ast::Json;

// The text being read, where it sits in the input, the tag's "<", and how
// closely errors are reported.
struct TagText {
  ValueEnds& ends;
  std::string_view text;
  TextOrigin origin;
  const SourceMap& source_map;
  std::size_t tag_start;
  TagReading reading;

  // An error over `from`..`to` whose message is `words`, `value`, `words_after`.
  TagError error(std::size_t from, std::size_t to, std::string_view words,
                 std::variant<std::string_view, std::string> value = {}, std::string_view words_after = {}) const {
    return TagError{words, std::move(value), words_after, text.substr(from, to - from), origin(from), origin(to)};
  }
  TagError error_to_end(std::size_t from, std::string_view words, std::string_view value = {},
                        std::string_view words_after = {}) const {
    return error(from, text.size(), words, value, words_after);
  }
  ast::Position position(std::size_t from, std::size_t to) const {
    return source_map.position(origin(from), origin(to));
  }

  // The first "}" from `from`. Read for success only, a "<" before it ends
  // the search: neither a variable path nor a primitive holds one.
  std::size_t closing_brace(std::size_t from) const {
    if (reading == TagReading::Exact) return ends.closing_brace(from);
    std::size_t stop = text.find_first_of("}<", from);
    return stop != std::string_view::npos && text[stop] == '}' ? stop : std::string_view::npos;
  }
  // The offset of the "}}" ending a "{{...}}" value whose inner text starts at `from`.
  std::size_t json_value_end(std::size_t from) const {
    if (reading == TagReading::Exact) return ends.json_value_end(from);
    return parser::json_value_end(text, from, reading);
  }
};

// An attribute value and the relative offset just after it.
struct ReadValue {
  ast::AttributeValue value;
  std::size_t next;
};
using ValueResult = std::variant<ReadValue, TagError>;

// The character whose code point is the byte's value, as UTF-8: the byte
// itself when it is ASCII.
std::variant<std::string_view, std::string> byte_as_character(std::string_view text, std::size_t at) {
  auto byte = static_cast<unsigned char>(text[at]);
  if (byte < 0x80) return text.substr(at, 1);
  return std::string{static_cast<char>(0xC0 | (byte >> 6)), static_cast<char>(0x80 | (byte & 0x3F))};
}

// Quoted string: the only escapes are backslash + the opening quote and two
// backslashes; any other backslash stays as written.
ValueResult read_string(const TagText& t, std::size_t name_start, std::size_t open) {
  std::string_view text = t.text;
  char quote = text[open];
  const char stops[] = {quote, '\\', '\0'};
  std::string value;
  std::size_t i = open + 1;
  while (true) {
    std::size_t stop = text.find_first_of(stops, i);
    if (stop == std::string_view::npos) return t.error_to_end(name_start, "Unclosed string attribute");
    value.append(text.substr(i, stop - i));
    if (text[stop] == quote) return ReadValue{Json(std::move(value)), stop + 1};
    bool escape = stop + 1 < text.size() && (text[stop + 1] == quote || text[stop + 1] == '\\');
    value += escape ? text[stop + 1] : '\\';
    i = stop + (escape ? 2 : 1);
  }
}

// "{$path}": the path runs to the first "}", untrimmed.
ValueResult read_variable(const TagText& t, std::size_t open) {
  std::size_t close = t.closing_brace(open + 2);
  if (close == std::string_view::npos) return t.error_to_end(open, "Unclosed variable attribute");
  std::string_view path = t.text.substr(open + 2, close - open - 2);
  if (!is_valid_variable_path(path)) return t.error(open, close + 1, "Invalid variable path: ", path);
  return ReadValue{ast::VariableNode{std::string(path), t.position(open, close + 1)}, close + 1};
}

// "{{json}}": an array or an object; members written without their outer
// braces read as an object on a second try.
ValueResult read_json(const TagText& t, std::size_t open) {
  std::size_t close = t.json_value_end(open + 2);
  if (close == std::string_view::npos) return t.error_to_end(open, "Unclosed JSON attribute '{{...}}'");
  std::size_t next = close + 2;
  std::string_view inner = t.ends.trimmed(open + 2, close);
  if (std::optional<Json> value = read_json_text(inner)) {
    if (value->is_array() || value->is_object()) return ReadValue{std::move(*value), next};
    return t.error(open, next, "JSON attribute must be an object or array, got: ", write_json_scalar(*value));
  }
  if (std::optional<Json> value = read_json_members(inner); value && value->is_object()) {
    return ReadValue{std::move(*value), next};
  }
  return t.error(open, next, "Malformed JSON in attribute: ", inner);
}

bool equals_ignoring_case(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lower[i]) return false;
  }
  return true;
}

// "{...}" after trimming: true, false, null, a 64-bit integer, or a finite
// float. On failure, the words of the message, which ends with the text.
std::variant<Json, std::string_view> read_primitive_text(std::string_view text) {
  if (text == "true") return Json(true);
  if (text == "false") return Json(false);
  if (text == "null") return Json(nullptr);
  constexpr std::string_view invalid = "Invalid primitive value: ";
  constexpr std::string_view non_finite = "Non-finite float value: ";

  bool negative = !text.empty() && text.front() == '-';
  std::string_view unsigned_text = text;
  if (!text.empty() && (text.front() == '+' || negative)) unsigned_text.remove_prefix(1);
  std::string_view signed_text = negative ? text : unsigned_text;  // from_chars takes "-" but not "+"
  if (unsigned_text.empty()) return invalid;

  if (std::all_of(unsigned_text.begin(), unsigned_text.end(), is_ascii_digit)) {
    std::int64_t integer = 0;
    if (std::from_chars(signed_text.data(), signed_text.data() + signed_text.size(), integer).ec == std::errc()) {
      // A non-negative integer is stored unsigned, as JSON reading would.
      if (integer >= 0) return Json(static_cast<std::uint64_t>(integer));
      return Json(integer);
    }
  }

  for (std::string_view word : {"inf", "infinity", "nan"}) {
    if (equals_ignoring_case(unsigned_text, word)) return non_finite;
  }
  if (!ast::is_decimal_float(text)) return invalid;
  double value = ast::decimal_value(text);
  if (std::isinf(value)) return non_finite;
  return Json(value);
}

// "{...}": the text up to the first "}", trimmed.
ValueResult read_primitive(const TagText& t, std::size_t name_start, std::size_t open) {
  std::size_t close = t.closing_brace(open + 1);
  if (close == std::string_view::npos) return t.error_to_end(name_start, "Unclosed primitive attribute");
  std::string_view trimmed = t.ends.trimmed(open + 1, close);
  auto read = read_primitive_text(trimmed);
  if (auto* words = std::get_if<std::string_view>(&read)) return t.error_to_end(name_start, *words, trimmed);
  return ReadValue{std::move(std::get<Json>(read)), close + 1};
}

ValueResult read_value(const TagText& t, std::string_view name, std::size_t name_start, std::size_t at) {
  std::string_view text = t.text;
  if (at >= text.size()) return t.error_to_end(t.tag_start, "Unexpected end of input after '='");
  char c = text[at];
  if (c == '"' || c == '\'') return read_string(t, name_start, at);
  if (c == '{') {
    char after = at + 1 < text.size() ? text[at + 1] : '\0';
    if (after == '$') return read_variable(t, at);
    if (after == '{') return read_json(t, at);
    return read_primitive(t, name_start, at);
  }
  return t.error_to_end(name_start, "Invalid attribute value after '=' for '", name, "'");
}

bool is_attribute_name_char(char c) { return is_word_char(c) || c == '-'; }

}  // namespace

std::variant<TagRest, TagError> parse_tag_rest(ValueEnds& ends, std::size_t at, TextOrigin origin,
                                               const SourceMap& source_map, std::size_t tag_start, TagReading reading) {
  std::string_view text = ends.text();
  TagText t{ends, text, origin, source_map, tag_start, reading};
  TagRest rest;
  std::size_t i = at;
  while (i < text.size()) {
    char c = text[i];
    if (is_tag_space(c)) {
      ++i;
    } else if (c == '>') {
      rest.next = i + 1;
      return rest;
    } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '>') {
      rest.self_closing = true;
      rest.next = i + 2;
      return rest;
    } else if (is_ascii_letter(c) || c == '_') {
      std::size_t name_start = i;
      while (i < text.size() && is_attribute_name_char(text[i])) ++i;
      std::string_view name = text.substr(name_start, i - name_start);
      if (i < text.size() && text[i] == '=') {
        ValueResult value = read_value(t, name, name_start, i + 1);
        if (auto* error = std::get_if<TagError>(&value)) return std::move(*error);
        auto& read = std::get<ReadValue>(value);
        i = read.next;
        rest.attributes.push_back({std::string(name), std::move(read.value), t.position(name_start, i)});
      } else {
        rest.attributes.push_back({std::string(name), Json(true), t.position(name_start, i)});
      }
    } else {
      return t.error(tag_start, text.size(), "Invalid attribute name character '", byte_as_character(text, i), "'");
    }
  }
  return t.error_to_end(tag_start, "Unexpected end of input in tag");
}

bool is_valid_variable_path(std::string_view path) {
  if (path.empty()) return false;
  std::size_t i = 0;
  while (true) {
    if (i >= path.size() || !(is_ascii_letter(path[i]) || path[i] == '_')) return false;
    while (i < path.size() && is_word_char(path[i])) ++i;
    if (i == path.size()) return true;
    if (path[i] != '.') return false;
    ++i;
  }
}

}  // namespace vyn::parser
