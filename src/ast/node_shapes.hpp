// The fields of every record of the document tree, in declaration order (the
// order of the array form) with their keys: what the reader reads and what
// the writer writes, in byte-wise key order.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "ast/node.hpp"
#include "ast/shape.hpp"

namespace vyn::ast {

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
inline constexpr auto kShape<Root> = shape("Root", field("type", &Root::type),
                                           nullable("frontmatter", &Root::frontmatter),
                                           field("children", &Root::children), field("position", &Root::position));

}  // namespace vyn::ast
