// The inline text syntax inside Markdown text: backslash escapes, variables
// "{$path}", cross-references "{@target}", inline math "$...$" and citations "[@key]".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ast/node.hpp"
#include "parser/parse_context.hpp"
#include "parser/source_map.hpp"
#include "parser/text_origin.hpp"

namespace vyn::parser {

// The nodes that `text` (its source form, whose bytes sit in the input as
// `origin` says) stands for; malformed constructs stay text. With `raw` set,
// nothing is read: the whole text becomes one text node. The values of text
// nodes come from `context` (ParseContext::text_value), which must outlive them.
ast::NodeList process_text(std::string_view text, TextOrigin origin, const SourceMap& source_map, ParseContext& context,
                           bool raw);
// The same nodes appended to `nodes`.
void process_text(std::string_view text, TextOrigin origin, const SourceMap& source_map, ParseContext& context,
                  bool raw, ast::NodeList& nodes);

// Appends the literal buffer, whose bytes sit in the input as `origin` says, as
// a text node, unless it is empty.
void flush_text_buf(ast::NodeList& nodes, std::string_view buf, TextOrigin origin, const SourceMap& source_map,
                    ParseContext& context);

struct IdLocator {
  std::string id;
  std::optional<std::string> locator;
};

// One citation entry after its "@": the id, and the locator after a ",".
IdLocator split_id_locator(std::string_view entry);

}  // namespace vyn::parser
