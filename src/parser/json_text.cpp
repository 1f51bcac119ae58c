#include "parser/json_text.hpp"

#include <algorithm>
#include <cstdint>

#include "ast/read_rules.hpp"

namespace vyn::parser {

namespace {

// How deep arrays and objects nest in a text, counted outside strings. For a
// well-formed text this is the depth of its value; it stops counting past
// `limit`, so a huge text costs no more than its bytes.
int nesting_depth(std::string_view text, int limit) {
  int depth = 0;
  int deepest = 0;
  bool in_string = false;
  for (std::size_t i = 0; i < text.size() && deepest <= limit; ++i) {
    char c = text[i];
    if (in_string) {
      if (c == '\\') ++i;
      else if (c == '"') in_string = false;
    } else if (c == '"') {
      in_string = true;
    } else if (c == '[' || c == '{') {
      deepest = std::max(deepest, ++depth);
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return deepest;
}

void append_escaped(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          out += "\\u00";
          out += kHex[(c >> 4) & 0xF];
          out += kHex[c & 0xF];
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

}  // namespace

std::optional<ast::Json> read_json_text(std::string_view text) {
  if (nesting_depth(text, kMaxJsonTextDepth) > kMaxJsonTextDepth) return std::nullopt;
  // Only "-0" gives a signed integer zero: non-negative integers read as unsigned.
  auto negative_zero_as_float = [](int, ast::Json::parse_event_t event, ast::Json& parsed) {
    if (event == ast::Json::parse_event_t::value && parsed.type() == ast::Json::value_t::number_integer &&
        parsed.get<std::int64_t>() == 0) {
      parsed = -0.0;
    }
    return true;
  };
  ast::Json value = ast::Json::parse(text, negative_zero_as_float, false);
  if (value.is_discarded()) return std::nullopt;
  return value;
}

std::string write_json_scalar(const ast::Json& value) {
  switch (value.type()) {
    case ast::Json::value_t::boolean: return value.get<bool>() ? "true" : "false";
    case ast::Json::value_t::number_unsigned: return std::to_string(value.get<std::uint64_t>());
    case ast::Json::value_t::number_integer: return std::to_string(value.get<std::int64_t>());
    case ast::Json::value_t::number_float: return ast::format_float(value.get<double>());
    case ast::Json::value_t::string: {
      std::string out;
      append_escaped(out, value.get_ref<const std::string&>());
      return out;
    }
    default: return "null";
  }
}

}  // namespace vyn::parser
