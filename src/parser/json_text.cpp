#include "parser/json_text.hpp"

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "ast/read_rules.hpp"

namespace vyn::parser {

namespace {

// The bytes of "{" + members + "}" in turn, so that members written without
// their outer braces read as an object without being copied.
class BracedMembers {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = char;

  BracedMembers(std::string_view members, std::size_t at) : members_(members), at_(at) {}
  static BracedMembers begin(std::string_view members) { return {members, 0}; }
  static BracedMembers end(std::string_view members) { return {members, members.size() + 2}; }

  char operator*() const {
    if (at_ == 0) return '{';
    return at_ <= members_.size() ? members_[at_ - 1] : '}';
  }
  BracedMembers& operator++() {
    ++at_;
    return *this;
  }
  BracedMembers operator++(int) {
    BracedMembers before = *this;
    ++at_;
    return before;
  }
  bool operator==(const BracedMembers& other) const { return at_ == other.at_; }

 private:
  std::string_view members_;
  std::size_t at_;  // in the braced text
};

// Parses the text between `first` and `last`, giving up on arrays and objects
// nested deeper than kMaxJsonTextDepth.
template <class Iterator>
std::optional<ast::Json> parse_json(Iterator first, Iterator last) {
  bool too_deep = false;
  auto callback = [&too_deep](int depth, ast::Json::parse_event_t event, ast::Json& parsed) {
    using Event = ast::Json::parse_event_t;
    if (event == Event::object_start || event == Event::array_start) {
      // `depth` counts the containers around this one; past the limit the
      // parser skips it, building nothing inside it.
      if (depth < kMaxJsonTextDepth) return true;
      too_deep = true;
      return false;
    }
    // Only "-0" gives a signed integer zero: non-negative integers read as unsigned.
    if (event == Event::value && parsed.type() == ast::Json::value_t::number_integer &&
        parsed.get<std::int64_t>() == 0) {
      parsed = -0.0;
    }
    return true;
  };
  ast::Json value = ast::Json::parse(first, last, callback, false);
  if (too_deep || value.is_discarded()) return std::nullopt;
  return value;
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

std::optional<ast::Json> read_json_text(std::string_view text) { return parse_json(text.begin(), text.end()); }

std::optional<ast::Json> read_json_members(std::string_view members) {
  return parse_json(BracedMembers::begin(members), BracedMembers::end(members));
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
