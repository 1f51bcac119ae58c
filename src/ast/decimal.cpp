#include "ast/decimal.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

namespace vyn::ast {

namespace {

std::size_t skip_digits(std::string_view text, std::size_t i) {
  while (i < text.size() && is_ascii_digit(text[i])) ++i;
  return i;
}

// Whether a decimal out of a double's range is too large rather than too
// small: the power of ten of its first significant digit, plus its exponent.
// The two sides lie hundreds of powers apart, so the count may be rough.
bool is_huge(std::string_view text) {
  std::size_t e = text.find_first_of("eE");
  std::string_view mantissa = text.substr(0, e);
  std::int64_t exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view digits = text.substr(e + 1);
    bool negative = digits.front() == '-';
    if (digits.front() == '+' || negative) digits.remove_prefix(1);
    for (char c : digits) exponent = std::min<std::int64_t>(exponent * 10 + (c - '0'), 1'000'000'000);
    if (negative) exponent = -exponent;
  }
  std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  std::size_t first = mantissa.find_first_of("123456789");
  return static_cast<std::int64_t>(point) - static_cast<std::int64_t>(first) + exponent > 0;
}

}  // namespace

bool is_decimal_float(std::string_view text) {
  std::size_t i = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  std::size_t whole_end = skip_digits(text, i);
  bool digits = whole_end > i;
  i = whole_end;
  if (i < text.size() && text[i] == '.') {
    std::size_t fraction_end = skip_digits(text, i + 1);
    digits = digits || fraction_end > i + 1;
    i = fraction_end;
  }
  if (!digits) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponent_end = skip_digits(text, i);
    if (exponent_end == i) return false;
    i = exponent_end;
  }
  return i == text.size();
}

double decimal_value(std::string_view text) {
  if (text.front() == '+') text.remove_prefix(1);  // from_chars takes "-" but not "+"
  double value = 0;
  if (std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc::result_out_of_range) {
    bool negative = text.front() == '-';
    value = is_huge(text) ? std::numeric_limits<double>::infinity() : 0.0;
    if (negative) value = -value;
  }
  return value;
}

}  // namespace vyn::ast
