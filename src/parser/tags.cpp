#include "parser/tags.hpp"

#include "parser/ascii.hpp"
#include "parser/attributes.hpp"

namespace vyn::parser {

std::string TagError::message(std::string_view value) const {
  std::string text;
  text.reserve(words.size() + value.size() + words_after.size());
  text.append(words).append(value).append(words_after);
  return text;
}

std::string_view tag_name_at(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && is_word_char(text[end])) ++end;
  return text.substr(at, end - at);
}

namespace {

OpenTagResult read_open_tag(ValueEnds& ends, std::size_t at, TextOrigin origin, const SourceMap& source_map,
                            TagReading reading) {
  std::string_view text = ends.text();
  if (at + 1 >= text.size() || text[at] != '<' || !is_ascii_upper(text[at + 1])) return std::monostate{};
  std::string_view name = tag_name_at(text, at + 1);
  auto rest = parse_tag_rest(ends, at + 1 + name.size(), origin, source_map, at, reading);
  if (auto* error = std::get_if<TagError>(&rest)) return std::move(*error);
  auto& read = std::get<TagRest>(rest);
  return OpenTag{
      ParsedTag{std::string(name), std::move(read.attributes), origin(at), origin(read.next), read.self_closing},
      read.next};
}

}  // namespace

OpenTagResult try_parse_open_tag(std::string_view text, std::size_t at, TextOrigin origin, const SourceMap& source_map,
                                 TagReading reading) {
  ValueEnds ends(text);
  return read_open_tag(ends, at, origin, source_map, reading);
}

OpenTagResult try_parse_open_tag(ValueEnds& ends, std::size_t at, TextOrigin origin, const SourceMap& source_map) {
  return read_open_tag(ends, at, origin, source_map, TagReading::Exact);
}

std::optional<CloseTag> try_parse_close_tag(std::string_view text, std::size_t at) {
  if (at + 2 >= text.size() || text[at] != '<' || text[at + 1] != '/' || !is_ascii_upper(text[at + 2])) {
    return std::nullopt;
  }
  std::string_view name = tag_name_at(text, at + 2);
  std::size_t i = at + 2 + name.size();
  while (i < text.size() && is_tag_space(text[i])) ++i;
  if (i >= text.size() || text[i] != '>') return std::nullopt;
  return CloseTag{name, i + 1};
}

}  // namespace vyn::parser
