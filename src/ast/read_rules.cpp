#include "ast/read_rules.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "ast/limits.hpp"

namespace vyn::ast {

namespace {

// A non-negative integer, whichever way the Json holds it.
std::optional<std::uint64_t> unsigned_of(const Json& value) {
  if (value.type() == Json::value_t::number_unsigned) return value.get<std::uint64_t>();
  if (value.type() == Json::value_t::number_integer && value.get<std::int64_t>() >= 0) {
    return static_cast<std::uint64_t>(value.get<std::int64_t>());
  }
  return std::nullopt;
}

void append_code_point_escape(std::string& out, unsigned code_point) {
  char escape[16] = {'\\', 'u', '{'};
  auto end = std::to_chars(escape + 3, escape + sizeof escape - 1, code_point, 16).ptr;
  *end++ = '}';
  out.append(escape, end);
}

// The string between double quotes, with quotes, backslashes and control
// characters (C0, DEL and the two-byte C1 range) escaped.
std::string debug_quoted(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    switch (byte) {
      case '"': out += "\\\""; continue;
      case '\\': out += "\\\\"; continue;
      case '\0': out += "\\0"; continue;
      case '\t': out += "\\t"; continue;
      case '\r': out += "\\r"; continue;
      case '\n': out += "\\n"; continue;
      default: break;
    }
    if (byte < 0x20 || byte == 0x7f) {
      append_code_point_escape(out, byte);
    } else if (byte == 0xc2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xa0 &&
               static_cast<unsigned char>(text[i + 1]) >= 0x80) {
      append_code_point_escape(out, static_cast<unsigned char>(text[++i]));
    } else {
      out += static_cast<char>(byte);
    }
  }
  out += '"';
  return out;
}

// "`a`" for a single name, else "one of `a`, `b`, `c`".
std::string expected_one_of(std::span<const std::string_view> names) {
  std::string out = names.size() == 1 ? "" : "one of ";
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) out += ", ";
    out += '`';
    out += names[i];
    out += '`';
  }
  return out;
}

}  // namespace

Reader::Nest::Nest(Reader& reader) : reader_(reader) {
  if (reader.depth_ >= kMaxJsonDepth) {
    fail("recursion limit exceeded: more than " + std::to_string(kMaxJsonDepth) +
         " levels of nested arrays and objects");
  }
  ++reader.depth_;
}

std::string format_float(double value, FloatNotation notation) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  if (value == 0) return std::signbit(value) ? "-0.0" : "0.0";

  // The shortest round-trip digits, as d.ddde±x, laid out again below.
  char buffer[32];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
  std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  std::string out;
  if (text.front() == '-') {
    out += '-';
    text.remove_prefix(1);
  }
  const auto e = text.find('e');
  std::string digits;
  for (char c : text.substr(0, e)) {
    if (c != '.') digits += c;
  }
  int exponent = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);

  const int length = static_cast<int>(digits.size());
  const int point = exponent + 1;  // digits before the decimal point
  const bool plain = notation == FloatNotation::Plain || (point > -5 && point <= 16);
  if (plain && point >= length) {
    out += digits;
    out.append(static_cast<std::size_t>(point - length), '0');
    out += ".0";
  } else if (plain && point > 0) {
    out += digits.substr(0, static_cast<std::size_t>(point));
    out += '.';
    out += digits.substr(static_cast<std::size_t>(point));
  } else if (plain) {
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
    out += std::to_string(exponent);
  }
  return out;
}

std::string describe(const Json& value) {
  switch (value.type()) {
    case Json::value_t::null: return "null";
    case Json::value_t::boolean: return value.get<bool>() ? "boolean `true`" : "boolean `false`";
    case Json::value_t::number_unsigned: return "integer `" + std::to_string(value.get<std::uint64_t>()) + "`";
    case Json::value_t::number_integer: return "integer `" + std::to_string(value.get<std::int64_t>()) + "`";
    case Json::value_t::number_float:
      return "floating point `" + format_float(value.get<double>(), FloatNotation::Plain) + "`";
    case Json::value_t::string: return "string " + debug_quoted(value.get_ref<const std::string&>());
    case Json::value_t::array: return "sequence";
    case Json::value_t::object: return "map";
    case Json::value_t::binary: return "byte array";
    case Json::value_t::discarded: break;
  }
  return "discarded value";
}

void fail(std::string message) { throw ReadError{std::move(message)}; }

void fail_type_text(std::string_view found, std::string_view expected) {
  fail("invalid type: " + std::string(found) + ", expected " + std::string(expected));
}

void fail_type(const Json& found, std::string_view expected) { fail_type_text(describe(found), expected); }

void fail_value(std::string_view found, std::string_view expected) {
  fail("invalid value: " + std::string(found) + ", expected " + std::string(expected));
}

void fail_length(std::size_t count, std::string_view expected) {
  fail("invalid length " + std::to_string(count) + ", expected " + std::string(expected));
}

void fail_missing(std::string_view name) { fail("missing field `" + std::string(name) + "`"); }

void fail_unknown_variant(std::string_view name, std::span<const std::string_view> names) {
  fail("unknown variant `" + std::string(name) + "`, expected " + expected_one_of(names));
}

void fail_too_long(std::size_t count, std::size_t fields, const Reader& reader) {
  if (reader.context() == Context::RootLevel) fail_length(count, "fewer elements in array");
  fail_length(count, fields == 1 ? "1 element in sequence" : std::to_string(fields) + " elements in sequence");
}

const std::string& read_string(const Json& value) {
  if (!value.is_string()) fail_type(value, "a string");
  return value.get_ref<const std::string&>();
}

bool read_bool(const Json& value) {
  if (!value.is_boolean()) fail_type(value, "a boolean");
  return value.get<bool>();
}

std::uint64_t read_unsigned(const Json& value, std::uint64_t max, std::string_view expected) {
  if (auto number = unsigned_of(value)) {
    if (*number > max) fail_value(describe(value), expected);
    return *number;
  }
  if (value.type() == Json::value_t::number_integer) fail_value(describe(value), expected);  // negative
  fail_type(value, expected);
}

std::size_t read_variant_name(std::string_view name, std::span<const std::string_view> names) {
  auto found = std::find(names.begin(), names.end(), name);
  if (found == names.end()) fail_unknown_variant(name, names);
  return static_cast<std::size_t>(found - names.begin());
}

const Json& read_tag_value(const Json& tagged) {
  if (tagged.is_object()) {
    auto tag = tagged.find("type");
    if (tag == tagged.end()) fail_missing("type");
    return *tag;
  }
  if (tagged.empty()) fail_missing("type");
  return tagged.front();
}

std::size_t read_tag(const Json& tag, const Reader& reader, std::span<const std::string_view> names) {
  if (tag.is_string()) return read_variant_name(tag.get_ref<const std::string&>(), names);
  if (reader.context() == Context::InsideNode) {
    if (auto index = unsigned_of(tag)) {
      if (*index < names.size()) return static_cast<std::size_t>(*index);
      fail_value(describe(tag), "variant index 0 <= i < " + std::to_string(names.size()));
    }
  }
  fail_type(tag, "variant identifier");
}

void read_unit(const Json& value, const Reader& reader) {
  if (value.is_null()) return;
  if (reader.context() == Context::InsideNode && value.is_object() && value.empty()) return;
  fail_type(value, "unit");
}

std::size_t read_enum(const Json& value, const Reader& reader, std::span<const std::string_view> names) {
  if (value.is_string()) return read_variant_name(value.get_ref<const std::string&>(), names);
  if (!value.is_object()) fail_type(value, "string or map");
  if (value.size() != 1) fail_value("map", "map with a single key");
  const auto& [name, payload] = *value.get_ref<const Json::object_t&>().begin();
  const std::size_t index = read_variant_name(name, names);
  read_unit(payload, reader);
  return index;
}

namespace {

// A value that holds no other, copied.
[[gnu::noinline]] void copy_leaf(const Json& value, std::string_view unrepresentable, Json& out) {
  switch (value.type()) {
    case Json::value_t::number_integer: {
      const auto number = value.get<std::int64_t>();
      if (number >= 0)
        out = static_cast<std::uint64_t>(number);
      else
        out = value;
      return;
    }
    case Json::value_t::binary:
    case Json::value_t::discarded: fail(std::string(unrepresentable));
    default: out = value;
  }
}

// Makes `out` an empty container of the type of `value`, and the slot of
// each of its elements.
[[gnu::noinline]] void make_like(const Json& value, Json& out) {
  out = value.is_array() ? Json::array() : Json::object();
  if (value.is_array()) out.get_ref<Json::array_t&>().reserve(value.size());
}
[[gnu::noinline]] Json& slot(Json& array) { return array.get_ref<Json::array_t&>().emplace_back(); }
[[gnu::noinline]] Json& slot(Json& object, const std::string& key) {
  auto& entries = object.get_ref<Json::object_t&>();
  return entries.emplace_hint(entries.end(), key, nullptr)->second;
}

// Copies into `out`, which is null; arrays and objects are filled in place,
// and everything else is done out of line, so that a level of a deep value
// costs the stack little.
void copy_json(const Json& value, Reader& reader, std::string_view unrepresentable, Json& out) {
  if (!value.is_array() && !value.is_object()) return copy_leaf(value, unrepresentable, out);
  Reader::Nest nest(reader);
  make_like(value, out);
  if (value.is_array()) {
    for (const auto& element : value.get_ref<const Json::array_t&>())
      copy_json(element, reader, unrepresentable, slot(out));
  } else {
    for (const auto& [key, element] : value.get_ref<const Json::object_t&>())
      copy_json(element, reader, unrepresentable, slot(out, key));
  }
}

}  // namespace

Json read_json(const Json& value, Reader& reader, std::string_view unrepresentable) {
  Json copy;
  copy_json(value, reader, unrepresentable, copy);
  return copy;
}

}  // namespace vyn::ast
