// JSON text with placeholders for the reading suites: "$P" stands for a valid
// position, so that each case shows only what it is about.
#pragma once

#include <string>

#include "ast/json.hpp"
#include "ast/read.hpp"

namespace vyn::ast::testing {

inline Json json(std::string text) {
  static constexpr std::string_view kPosition =
      R"({"end":{"column":2,"line":1,"offset":1},"start":{"column":1,"line":1,"offset":0}})";
  for (auto at = text.find("$P"); at != std::string::npos; at = text.find("$P", at)) {
    text.replace(at, 2, kPosition);
  }
  return Json::parse(text);
}

// A root whose only child is `child`.
inline Json root_with(const std::string& child) {
  return json(R"({"type":"root","children":[)" + child + R"(],"position":$P})");
}

// The error message of reading `value` as a root, or "ok".
inline std::string root_error(const Json& value) {
  auto read = read_root(value);
  return read ? "ok" : read.error().message;
}

}  // namespace vyn::ast::testing
