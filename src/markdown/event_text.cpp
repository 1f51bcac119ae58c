#include "markdown/event_text.hpp"

#include <array>
#include <cstdio>

namespace markdown {

namespace {

void quoted(std::string& out, std::string_view s) {
  out.push_back('"');
  for (char c : s) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          std::array<char, 8> buf{};
          std::snprintf(buf.data(), buf.size(), "\\u%04x", static_cast<unsigned>(c));
          out += buf.data();
        } else {
          out.push_back(c);
        }
    }
  }
  out.push_back('"');
}

constexpr std::array<std::string_view, 20> tag_names = {
    "Paragraph",
    "Heading",
    "BlockQuote",
    "CodeBlock",
    "HtmlBlock",
    "List",
    "Item",
    "FootnoteDefinition",
    "Table",
    "TableHead",
    "TableRow",
    "TableCell",
    "Emphasis",
    "Strong",
    "Strikethrough",
    "Link",
    "Image",
    "DefinitionList",
    "DefinitionListTitle",
    "DefinitionListDefinition",
};
constexpr std::array<std::string_view, 9> link_type_names = {
    "Inline",   "Reference",       "ReferenceUnknown", "Collapsed", "CollapsedUnknown",
    "Shortcut", "ShortcutUnknown", "Autolink",         "Email",
};
constexpr std::array<std::string_view, 4> alignment_names = {"None", "Left", "Center", "Right"};

void tag(std::string& out, const Event& e, bool end) {
  out += tag_names[static_cast<std::size_t>(e.tag)];
  switch (e.tag) {
    case TagKind::Heading: out += "(H" + std::to_string(e.heading_level) + ")"; break;
    case TagKind::BlockQuote: out += "(None)"; break;
    case TagKind::CodeBlock:
      if (end) break;
      if (e.code_block_kind == CodeBlockKind::Indented) {
        out += "(Indented)";
      } else {
        out += "(Fenced(";
        quoted(out, e.text);
        out += "))";
      }
      break;
    case TagKind::List:
      if (end) {
        out += e.ordered ? "(true)" : "(false)";
      } else if (e.list_start) {
        out += "(Some(" + std::to_string(*e.list_start) + "))";
      } else {
        out += "(None)";
      }
      break;
    case TagKind::FootnoteDefinition:
      if (end) break;
      out.push_back('(');
      quoted(out, e.text);
      out.push_back(')');
      break;
    case TagKind::Table:
      if (end) break;
      out += "([";
      for (std::size_t i = 0; i < e.alignments.size(); ++i) {
        if (i > 0) out += ", ";
        out += alignment_names[static_cast<std::size_t>(e.alignments[i])];
      }
      out += "])";
      break;
    case TagKind::Link:
    case TagKind::Image:
      if (end) break;
      out.push_back('(');
      out += link_type_names[static_cast<std::size_t>(e.link_type)];
      for (std::string_view s : {e.dest_url, e.title, e.id}) {
        out += ", ";
        quoted(out, s);
      }
      out.push_back(')');
      break;
    default: break;
  }
}

}  // namespace

std::string event_text(const Event& e) {
  std::string out;
  auto payload = [&](std::string_view name) {
    out += name;
    out.push_back('(');
    quoted(out, e.text);
    out.push_back(')');
  };
  switch (e.kind) {
    case EventKind::Start:
    case EventKind::End:
      out += e.kind == EventKind::Start ? "Start(" : "End(";
      tag(out, e, e.kind == EventKind::End);
      out.push_back(')');
      break;
    case EventKind::Text: payload("Text"); break;
    case EventKind::Code: payload("Code"); break;
    case EventKind::Html: payload("Html"); break;
    case EventKind::InlineHtml: payload("InlineHtml"); break;
    case EventKind::FootnoteReference: payload("FootnoteReference"); break;
    case EventKind::SoftBreak: out += "SoftBreak"; break;
    case EventKind::HardBreak: out += "HardBreak"; break;
    case EventKind::Rule: out += "Rule"; break;
    case EventKind::TaskListMarker: out += e.checked ? "TaskListMarker(true)" : "TaskListMarker(false)"; break;
  }
  return out;
}

}  // namespace markdown
