#include "ast/read.hpp"

#include <array>

#include "ast/read_math.hpp"

namespace vyn::ast {

// Fields in declaration order, which is also the order of the array form.
template <>
inline constexpr auto kShape<Point> = shape("Point", field("line", &Point::line), field("column", &Point::column),
                                            field("offset", &Point::offset));
template <>
inline constexpr auto kShape<Position> = shape("Position", field("start", &Position::start),
                                               field("end", &Position::end));

template <>
inline constexpr auto kShape<TextNode> = shape("TextNode", field("value", &TextNode::value),
                                               field("position", &TextNode::position));
template <>
inline constexpr auto kShape<CodeInlineNode> = shape("CodeInlineNode", field("value", &CodeInlineNode::value),
                                                     field("lang", &CodeInlineNode::lang),
                                                     field("position", &CodeInlineNode::position));
template <>
inline constexpr auto kShape<CodeBlockNode> =
    shape("CodeBlockNode", field("value", &CodeBlockNode::value), field("lang", &CodeBlockNode::lang),
          field("meta", &CodeBlockNode::meta), field("title", &CodeBlockNode::title),
          field("highlight", &CodeBlockNode::highlight), field("showLineNumbers", &CodeBlockNode::show_line_numbers),
          field("diff", &CodeBlockNode::diff), field("caption", &CodeBlockNode::caption),
          field("position", &CodeBlockNode::position));
template <>
inline constexpr auto kShape<StandardBlockNode> = shape("StandardBlockNode", field("depth", &StandardBlockNode::depth),
                                                        field("ordered", &StandardBlockNode::ordered),
                                                        field("checked", &StandardBlockNode::checked),
                                                        field("id", &StandardBlockNode::id),
                                                        field("children", &StandardBlockNode::children),
                                                        field("position", &StandardBlockNode::position));
template <>
inline constexpr auto kShape<LinkNode> = shape("LinkNode", field("url", &LinkNode::url),
                                               field("title", &LinkNode::title), field("children", &LinkNode::children),
                                               field("position", &LinkNode::position));
template <>
inline constexpr auto kShape<ImageNode> = shape("ImageNode", field("url", &ImageNode::url),
                                                field("title", &ImageNode::title), field("alt", &ImageNode::alt),
                                                field("children", &ImageNode::children),
                                                field("position", &ImageNode::position));
template <>
inline constexpr auto kShape<FootnoteNode> = shape("FootnoteNode", field("label", &FootnoteNode::label),
                                                   field("children", &FootnoteNode::children),
                                                   field("position", &FootnoteNode::position));
template <>
inline constexpr auto kShape<MathNode> = shape("MathNode", field("raw", &MathNode::raw), field("tree", &MathNode::tree),
                                               field("position", &MathNode::position));
template <>
inline constexpr auto kShape<MathDisplayNode> = shape("MathDisplayNode", field("raw", &MathDisplayNode::raw),
                                                      field("tree", &MathDisplayNode::tree),
                                                      field("label", &MathDisplayNode::label),
                                                      field("position", &MathDisplayNode::position));
template <>
inline constexpr auto kShape<CitationKey> = shape("CitationKey", field("id", &CitationKey::id),
                                                  field("prefix", &CitationKey::prefix),
                                                  field("locator", &CitationKey::locator));
template <>
inline constexpr auto kShape<CitationNode> = shape("CitationNode", field("keys", &CitationNode::keys),
                                                   field("position", &CitationNode::position));
template <>
inline constexpr auto kShape<CrossRefNode> = shape("CrossRefNode", field("target", &CrossRefNode::target),
                                                   field("position", &CrossRefNode::position));
template <>
inline constexpr auto kShape<AttributeNode> = shape("AttributeNode", field("name", &AttributeNode::name),
                                                    field("value", &AttributeNode::value),
                                                    field("position", &AttributeNode::position));
template <>
inline constexpr auto kShape<ComponentNode> = shape("ComponentNode", field("name", &ComponentNode::name),
                                                    field("isInline", &ComponentNode::is_inline),
                                                    field("attributes", &ComponentNode::attributes),
                                                    field("children", &ComponentNode::children),
                                                    defaulted("rawContent", &ComponentNode::raw_content),
                                                    field("position", &ComponentNode::position));
template <>
inline constexpr auto kShape<VariableNode> = shape("VariableNode", field("path", &VariableNode::path),
                                                   field("position", &VariableNode::position));
template <>
inline constexpr auto kShape<ErrorNode> = shape("ErrorNode", field("message", &ErrorNode::message),
                                                field("rawContent", &ErrorNode::raw_content),
                                                field("position", &ErrorNode::position));

inline constexpr std::array<std::string_view, 1> kRootTypeNames = {"root"};
template <>
inline constexpr std::span<const std::string_view> kEnumNames<RootType> = kRootTypeNames;

template <>
inline constexpr auto kShape<Root> = shape("Root", field("type", &Root::type), field("frontmatter", &Root::frontmatter),
                                           field("children", &Root::children), field("position", &Root::position));

// Every JSON value is one of the first six alternatives, so an object with
// "path" and "position" stays an object; only a byte array matches none.
template <>
struct ValueReader<AttributeValue> {
  static AttributeValue read(const Json& value, Reader& reader) {
    return read_json(value, reader, "data did not match any variant of untagged enum AttributeValue");
  }
};

template <>
struct ValueReader<Node> {
  static void fill(const Json& value, Reader& reader, Node& out);
};

namespace {

using PayloadReader = void (*)(const Json& tagged, Reader& reader, NodePayload& out);

template <class Payload>
void read_payload(const Json& tagged, Reader& reader, NodePayload& out) {
  ValueReader<Payload>::fill_fields(tagged, 1, reader, out.emplace<Payload>());
}

// The payload record of each kind, in kind order.
constexpr std::array<PayloadReader, kNodeKindNames.size()> kPayloadReaders = {
    read_payload<TextNode>,          read_payload<CodeInlineNode>,    read_payload<CodeBlockNode>,
    read_payload<StandardBlockNode>, read_payload<StandardBlockNode>, read_payload<StandardBlockNode>,
    read_payload<StandardBlockNode>, read_payload<StandardBlockNode>, read_payload<StandardBlockNode>,
    read_payload<StandardBlockNode>, read_payload<StandardBlockNode>, read_payload<StandardBlockNode>,
    read_payload<StandardBlockNode>, read_payload<LinkNode>,          read_payload<ImageNode>,
    read_payload<StandardBlockNode>, read_payload<StandardBlockNode>, read_payload<StandardBlockNode>,
    read_payload<StandardBlockNode>, read_payload<StandardBlockNode>, read_payload<StandardBlockNode>,
    read_payload<FootnoteNode>,      read_payload<FootnoteNode>,      read_payload<MathNode>,
    read_payload<MathDisplayNode>,   read_payload<CitationNode>,      read_payload<CrossRefNode>,
    read_payload<ComponentNode>,     read_payload<VariableNode>,      read_payload<ErrorNode>};

}  // namespace

// The tag is read where the node stands; the payload is always read inside a node.
void ValueReader<Node>::fill(const Json& value, Reader& reader, Node& out) {
  if (!value.is_object() && !value.is_array()) fail_type(value, "internally tagged enum Node");
  Reader::Nest nest(reader);
  const std::size_t kind = read_tag(read_tag_value(value), reader, kNodeKindNames);
  Reader::Within inside(reader, Context::InsideNode);
  out.kind = static_cast<NodeKind>(kind);
  kPayloadReaders[kind](value, reader, out.payload);
}

ReadResult<Root> read_root(const Json& value) { return read_as<Root>(value, Context::RootLevel); }

ReadResult<Node> read_node(const Json& value) { return read_as<Node>(value, Context::RootLevel); }

}  // namespace vyn::ast
