#include "parser/json_text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

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

// Shortest round-trip digits laid out as plain decimals while the exponent is
// small, else as "d.ddde<exp>".
std::string format_float(double value) {
  if (value == 0) return std::signbit(value) ? "-0.0" : "0.0";
  char buffer[64];
  auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
  std::string_view text(buffer, static_cast<std::size_t>(written - buffer));  // "-d.ddde+xx"
  std::string out;
  if (text.front() == '-') {
    out += '-';
    text.remove_prefix(1);
  }
  std::size_t e = text.find('e');
  std::string digits;
  for (char c : text.substr(0, e)) {
    if (c != '.') digits += c;
  }
  int exponent = 0;
  std::string_view exponent_text = text.substr(e + 1);
  if (exponent_text.front() == '+') exponent_text.remove_prefix(1);
  std::from_chars(exponent_text.data(), exponent_text.data() + exponent_text.size(), exponent);

  int length = static_cast<int>(digits.size());
  int point = exponent + 1;  // digits × 10^(point - length)
  if (point >= length && point <= 16) {
    out += digits;
    out.append(static_cast<std::size_t>(point - length), '0');
    out += ".0";
  } else if (point > 0 && point <= 16) {
    out += digits.substr(0, static_cast<std::size_t>(point));
    out += '.';
    out += digits.substr(static_cast<std::size_t>(point));
  } else if (point > -5 && point <= 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-point), '0');
    out += digits;
  } else {
    out += digits.front();
    if (length > 1) {
      out += '.';
      out += digits.substr(1);
    }
    out += 'e';
    out += std::to_string(point - 1);
  }
  return out;
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
    case ast::Json::value_t::number_float: return format_float(value.get<double>());
    case ast::Json::value_t::string: {
      std::string out;
      append_escaped(out, value.get_ref<const std::string&>());
      return out;
    }
    default: return "null";
  }
}

}  // namespace vyn::parser
