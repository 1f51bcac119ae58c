#include "frontmatter/yaml_value.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "ast/decimal.hpp"

namespace vyn::frontmatter {

namespace {

using ast::Json;

bool is_digit(char c, unsigned base) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0') < base;
  return base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
}

unsigned digit_value(char c) {
  if (c <= '9') return static_cast<unsigned>(c - '0');
  return static_cast<unsigned>((c | 0x20) - 'a' + 10);
}

bool is_one_of(std::string_view text, std::initializer_list<std::string_view> words) {
  return std::find(words.begin(), words.end(), text) != words.end();
}

// A decimal as a double. Infinity has no JSON form: it becomes null, as do
// .inf and .nan.
Json decimal_json(std::string_view text) {
  double value = ast::decimal_value(text);
  if (std::isinf(value)) return nullptr;
  return value;
}

std::optional<Json> core_null(std::string_view text) {
  if (is_one_of(text, {"", "~", "null", "Null", "NULL"})) return Json(nullptr);
  return std::nullopt;
}

std::optional<Json> core_bool(std::string_view text) {
  if (is_one_of(text, {"true", "True", "TRUE"})) return Json(true);
  if (is_one_of(text, {"false", "False", "FALSE"})) return Json(false);
  return std::nullopt;
}

// 0o17 and 0xFF; past 64 bits the value goes on as a double.
std::optional<Json> based_integer(std::string_view digits, unsigned base) {
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [&](char c) { return is_digit(c, base); }))
    return std::nullopt;
  std::uint64_t value = 0;
  double wide = 0;
  bool overflow = false;
  for (char c : digits) {
    unsigned digit = digit_value(c);
    wide = wide * base + digit;
    overflow = overflow || value > (std::numeric_limits<std::uint64_t>::max() - digit) / base;
    value = value * base + digit;
  }
  return overflow ? Json(wide) : Json(value);
}

// Non-negative integers stay unsigned, negative ones signed; beyond 64 bits
// they become doubles, like numbers in JSON text.
std::optional<Json> core_int(std::string_view text) {
  if (text.starts_with("0o")) return based_integer(text.substr(2), 8);
  if (text.starts_with("0x")) return based_integer(text.substr(2), 16);
  std::string_view digits = text;
  bool negative = !digits.empty() && digits[0] == '-';
  if (!digits.empty() && (negative || digits[0] == '+')) digits.remove_prefix(1);
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), ast::is_ascii_digit)) return std::nullopt;
  std::uint64_t magnitude = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
  constexpr std::uint64_t kMostNegative = std::uint64_t{1} << 63;
  if (error != std::errc() || (negative && magnitude > kMostNegative)) return decimal_json(text);
  if (!negative) return Json(magnitude);
  return Json(static_cast<std::int64_t>(~magnitude + 1));
}

std::optional<Json> core_float(std::string_view text) {
  if (is_one_of(text,
                {".inf", ".Inf", ".INF", "+.inf", "+.Inf", "+.INF", "-.inf", "-.Inf", "-.INF", ".nan", ".NaN", ".NAN"}))
    return Json(nullptr);
  if (ast::is_decimal_float(text)) return decimal_json(text);
  return std::nullopt;
}

}  // namespace

std::optional<Json> resolve_scalar(std::string_view text, ScalarForm form) {
  switch (form.tag) {
    case ScalarTag::Str: return Json(std::string(text));
    case ScalarTag::Null: return core_null(text);
    case ScalarTag::Bool: return core_bool(text);
    case ScalarTag::Int: return core_int(text);
    case ScalarTag::Float: return core_float(text);
    case ScalarTag::None: break;
  }
  if (!form.plain) return Json(std::string(text));
  for (auto resolve : {core_null, core_bool, core_int, core_float})
    if (auto value = resolve(text)) return value;
  return Json(std::string(text));
}

bool ValueBuilder::start_collection(bool mapping) {
  if (stack_.size() == kMaxYamlDepth) return false;
  if (!stack_.empty() && stack_.back().value.is_object() && !stack_.back().key) return false;  // a complex key
  stack_.push_back(Frame{mapping ? Json::object() : Json::array(), std::nullopt, false, {}});
  return true;
}

// Keys written out win over merged ones, and earlier merged mappings over
// later ones; std::map::merge keeps the keys already present.
bool ValueBuilder::end_collection() {
  Frame frame = std::move(stack_.back());
  stack_.pop_back();
  for (Json& source : frame.merges) frame.value.get_ref<Json::object_t&>().merge(source.get_ref<Json::object_t&>());
  return place(std::move(frame.value));
}

bool ValueBuilder::scalar(std::string_view text, ScalarForm form) {
  if (!stack_.empty() && stack_.back().value.is_object() && !stack_.back().key) {
    Frame& frame = stack_.back();
    frame.merge = form.plain && form.tag == ScalarTag::None && text == "<<";
    if (frame.merge && ++merge_keys_ > kMaxMergeKeys) return false;
    frame.key.emplace(text);
    return true;
  }
  std::optional<Json> value = resolve_scalar(text, form);
  return value && place(std::move(*value));
}

bool ValueBuilder::place(Json value) {
  if (stack_.empty()) {
    result_ = std::move(value);
    return true;
  }
  Frame& top = stack_.back();
  if (top.value.is_array()) {
    top.value.push_back(std::move(value));
    return true;
  }
  std::string key = std::move(*top.key);
  top.key.reset();
  if (top.merge) return add_merge(top, std::move(value));
  return top.value.get_ref<Json::object_t&>().emplace(std::move(key), std::move(value)).second;
}

// `<<` takes a mapping or a sequence of mappings.
bool ValueBuilder::add_merge(Frame& frame, Json value) {
  if (value.is_object()) {
    frame.merges.push_back(std::move(value));
    return true;
  }
  if (!value.is_array()) return false;
  for (Json& source : value) {
    if (!source.is_object()) return false;
    frame.merges.push_back(std::move(source));
  }
  return true;
}

}  // namespace vyn::frontmatter
