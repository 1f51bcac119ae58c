// Trimming by the Unicode White_Space property, on UTF-8 text.
#pragma once

#include <string_view>

namespace vyn::parser {

bool is_white_space(char32_t c);

std::string_view trim_start(std::string_view text);
std::string_view trim_end(std::string_view text);
std::string_view trim(std::string_view text);

}  // namespace vyn::parser
