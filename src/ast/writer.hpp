// The writer of the dictionary form, for every sink: write.hpp's functions
// use it through the Sink interface; a caller that knows its sink's class
// instantiates it for that class.
#pragma once

#include <algorithm>
#include <array>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

#include "ast/json.hpp"
#include "ast/math_expr.hpp"
#include "ast/node.hpp"
#include "ast/node_shapes.hpp"
#include "ast/sink.hpp"

namespace vyn::ast {

namespace writer_detail {

// A record's keys in the order they are written, byte-wise, each with its
// slot: a field's index in the shape, or for a node's "type" tag the slot
// after the last field.
struct KeySlot {
  std::string_view name;
  std::size_t slot;
};

template <class Record, bool kTagged>
constexpr auto sorted_keys() {
  constexpr auto& fields = kShape<Record>.fields;
  constexpr std::size_t kFields = std::tuple_size_v<std::remove_cvref_t<decltype(fields)>>;
  std::array<KeySlot, kFields + kTagged> keys{};
  [&]<std::size_t... I>(std::index_sequence<I...>) { ((keys[I] = {std::get<I>(fields).name, I}), ...); }
  (std::make_index_sequence<kFields>());
  if constexpr (kTagged) keys[kFields] = {"type", kFields};
  std::ranges::sort(keys, {}, &KeySlot::name);
  return keys;
}

template <class T>
struct IsVector : std::false_type {};
template <class T>
struct IsVector<std::vector<T>> : std::true_type {};

}  // namespace writer_detail

// Writes every record from its shape, keys in byte-wise order; math
// expressions, whose kinds carry their own layouts, record by record. `S` is
// Sink, or a sink class that callers name, whose calls are then made without
// dispatch.
template <class S>
class Writer {
 public:
  explicit Writer(S& sink) : s_(sink) {}

  template <ShapedRecord Record>
  void record(const Record& record) {
    s_.begin_object();
    fields<false>(record, {});
    s_.end_object();
  }

  void node(const Node& node) {
    const bool listed = next_listed_ < listed_.size() && listed_[next_listed_] == &node;
    if (listed) ++next_listed_;
    if (!whole_leaf(node)) {
      s_.begin_object();
      node.visit_record([&](const auto& record) { fields<true>(record, kind_name(node.kind)); });
      s_.end_object();
    }
    if (listed) s_.mark(&node);
  }

  // Nodes in the pre-order of a tree, as query_all finds them: writing one meets the later ones
  // that lie inside it in the same order, and names them for the sink to repeat.
  void node_list(std::span<const Node* const> nodes) {
    listed_ = nodes;
    s_.begin_array(nodes.size());
    for (std::size_t k = 0; k < nodes.size(); ++k) {
      if (k < next_listed_) {
        if (s_.repeat(nodes[k])) continue;
      } else {
        next_listed_ = k + 1;  // not inside an earlier one: nothing repeats it
      }
      node(*nodes[k]);
    }
    s_.end_array();
  }

  void math(const MathExpr& expr) {
    s_.begin_object();
    std::visit([&](const auto& kind) { math_fields(kind); }, expr.value);
    s_.end_object();
  }

  void json(const Json& value) {
    switch (value.type()) {
      case Json::value_t::null: s_.null(); break;
      case Json::value_t::boolean: s_.boolean(value.get<bool>()); break;
      case Json::value_t::number_unsigned: s_.unsigned_integer(value.get<std::uint64_t>()); break;
      case Json::value_t::number_integer: s_.signed_integer(value.get<std::int64_t>()); break;
      case Json::value_t::number_float: s_.floating(value.get<double>()); break;
      case Json::value_t::string: s_.string(value.get_ref<const std::string&>()); break;
      case Json::value_t::array:
        s_.begin_array(value.size());
        for (const auto& element : value) json(element);
        s_.end_array();
        break;
      case Json::value_t::object:
        s_.begin_object();
        for (const auto& [key, element] : value.get_ref<const Json::object_t&>()) {
          s_.key(Key::of_text(key));
          json(element);
        }
        s_.end_object();
        break;
      case Json::value_t::binary:
      case Json::value_t::discarded: s_.null(); break;
    }
  }

 private:
  // --- records --------------------------------------------------------------

  // A record's keys; `tag` is a node's "type".
  template <bool kTagged, class Record>
  void fields(const Record& record, std::string_view tag) {
    static constexpr auto kOrder = writer_detail::sorted_keys<Record, kTagged>();
    static_assert(std::ranges::adjacent_find(kOrder, {}, &writer_detail::KeySlot::name) == kOrder.end(),
                  "a key named twice");
    [&]<std::size_t... I>(std::index_sequence<I...>) { (slot<kOrder[I].slot>(record, tag), ...); }
    (std::make_index_sequence<kOrder.size()>());
  }

  template <std::size_t I, class Record>
  void slot(const Record& record, std::string_view tag) {
    constexpr auto& fields = kShape<Record>.fields;
    if constexpr (I == std::tuple_size_v<std::remove_cvref_t<decltype(fields)>>) {
      name("type", tag);
    } else {
      constexpr auto& field = std::get<I>(fields);
      constexpr Key key = Key::named(field.name);
      const auto& member = record.*(field.member);
      using Member = std::remove_cvref_t<decltype(member)>;
      if constexpr (IsOptional<Member>::value) {
        if (member) {
          s_.key(key);
          value(*member);
        } else if constexpr (field.rule == FieldRule::Nullable) {
          s_.key(key);
          s_.null();
        }
      } else if (field.rule != FieldRule::Defaulted || member != Member{}) {
        s_.key(key);
        value(member);
      }
    }
  }

  template <class T>
  void value(const T& value) {
    if constexpr (std::is_same_v<T, std::string>) {
      s_.string(value);
    } else if constexpr (std::is_same_v<T, SharedText>) {
      shared_text(value);
    } else if constexpr (std::is_same_v<T, bool>) {
      s_.boolean(value);
    } else if constexpr (std::is_unsigned_v<T>) {
      s_.unsigned_integer(value);
    } else if constexpr (std::is_same_v<T, Json>) {
      json(value);
    } else if constexpr (std::is_same_v<T, Node>) {
      node(value);
    } else if constexpr (std::is_same_v<T, MathExpr>) {
      math(value);
    } else if constexpr (std::is_same_v<T, AttributeValue>) {
      attribute_value(value);
    } else if constexpr (std::is_same_v<T, Position> && requires { s_.position(value); }) {
      s_.position(value);  // a sink that builds the most frequent record whole
    } else if constexpr (NamedEnum<T>) {
      s_.name(kEnumNames<T>[static_cast<std::size_t>(value)]);
    } else if constexpr (writer_detail::IsVector<T>::value) {
      s_.begin_array(value.size());
      for (const auto& element : value) this->value(element);
      s_.end_array();
    } else {
      record(value);
    }
  }

  // The most frequent shape, {"position", "type", "value"} (a text; an inline code without a
  // language), handed whole to a sink that builds it whole. Not a text kept for the whole tree, which
  // the sink may repeat.
  bool whole_leaf(const Node& node) {
    static_assert(std::ranges::equal(writer_detail::sorted_keys<TextNode, true>(),
                                     std::array<std::string_view, 3>{"position", "type", "value"}, {},
                                     &writer_detail::KeySlot::name));
    if constexpr (requires(std::string_view text, const Position& at) { s_.leaf_node(text, text, at); }) {
      if (const auto* text = std::get_if<TextNode>(&node.payload); text && !text->value.kept_whole()) {
        s_.leaf_node(kind_name(node.kind), text->value.view(), text->position);
        return true;
      }
      if (const auto* code = std::get_if<CodeInlineNode>(&node.payload); code && !code->lang) {
        s_.leaf_node(kind_name(node.kind), code->value, code->position);
        return true;
      }
    }
    return false;
  }

  // A text kept once for the whole tree is written once per sink that can repeat it.
  void shared_text(const SharedText& text) {
    const std::string* kept = text.kept_whole();
    if (kept && s_.repeat(kept)) return;
    s_.string(text.view());
    if (kept) s_.mark(kept);
  }

  // A variable reference is written as a bare object without a "type" key.
  void attribute_value(const AttributeValue& value) {
    if (const auto* variable = std::get_if<VariableNode>(&value))
      record(*variable);
    else
      json(std::get<Json>(value));
  }

  void text(Key key, std::string_view value) {
    s_.key(key);
    s_.string(value);
  }
  void opt_text(Key key, const std::optional<std::string>& value) {
    if (value) text(key, *value);
  }
  // Names of kinds and enumeration values come from constant tables.
  void name(Key key, std::string_view value) {
    s_.key(key);
    s_.name(value);
  }

  // --- math ---------------------------------------------------------------

  template <class Enum>
  void enum_field(Key key, Enum value) {
    name(key, name_of(value));
  }
  void expr_field(Key key, const ExprBox& expr) {
    s_.key(key);
    math(*expr);
  }
  void opt_expr_field(Key key, const OptExpr& expr) {
    s_.key(key);
    if (expr)
      math(**expr);
    else
      s_.null();
  }
  void expr_list(const ExprList& list) {
    s_.begin_array(list.size());
    for (const auto& expr : list) math(expr);
    s_.end_array();
  }
  void expr_grid(const ExprGrid& grid) {
    s_.begin_array(grid.size());
    for (const auto& row : grid) expr_list(row);
    s_.end_array();
  }
  template <class Kind>
  void math_type() {
    name("type", kMathKindNames[math_kind_index<Kind>]);
  }
  void operator_fields(const MathOperator& op) {
    enum_field("kind", op.kind);
    text("symbol", op.symbol);
  }

  using E = MathExpr;

  void math_fields(const E::Ident& e) {
    math_type<E::Ident>();
    text("value", e.value);
  }
  void math_fields(const E::Number& e) {
    math_type<E::Number>();
    text("value", e.value);
  }
  void math_fields(const E::Operator& e) {
    operator_fields(e.op);
    math_type<E::Operator>();
  }
  void math_fields(const E::Text& e) {
    math_type<E::Text>();
    text("value", e.value);
  }
  void math_fields(const E::Row& e) {
    s_.key("children");
    expr_list(e.children);
    math_type<E::Row>();
  }
  void math_fields(const E::Fenced& e) {
    s_.key("body");
    expr_list(e.body);
    enum_field("close", e.close);
    enum_field("open", e.open);
    math_type<E::Fenced>();
  }
  void math_fields(const E::Superscript& e) {
    expr_field("base", e.base);
    expr_field("script", e.script);
    math_type<E::Superscript>();
  }
  void math_fields(const E::Subscript& e) {
    expr_field("base", e.base);
    expr_field("script", e.script);
    math_type<E::Subscript>();
  }
  void math_fields(const E::Subsuperscript& e) {
    expr_field("base", e.base);
    expr_field("sub", e.sub);
    expr_field("sup", e.sup);
    math_type<E::Subsuperscript>();
  }
  void math_fields(const E::Frac& e) {
    expr_field("denominator", e.denominator);
    expr_field("numerator", e.numerator);
    enum_field("style", e.style);
    math_type<E::Frac>();
  }
  void math_fields(const E::Sqrt& e) {
    expr_field("body", e.body);
    opt_expr_field("index", e.index);
    math_type<E::Sqrt>();
  }
  void math_fields(const E::Overline& e) {
    expr_field("body", e.body);
    math_type<E::Overline>();
  }
  void math_fields(const E::Underline& e) {
    expr_field("body", e.body);
    math_type<E::Underline>();
  }
  void math_fields(const E::Overbrace& e) {
    opt_expr_field("annotation", e.annotation);
    expr_field("body", e.body);
    math_type<E::Overbrace>();
  }
  void math_fields(const E::Underbrace& e) {
    opt_expr_field("annotation", e.annotation);
    expr_field("body", e.body);
    math_type<E::Underbrace>();
  }
  void math_fields(const E::Overset& e) {
    expr_field("base", e.base);
    expr_field("over", e.over);
    math_type<E::Overset>();
  }
  void math_fields(const E::Underset& e) {
    expr_field("base", e.base);
    math_type<E::Underset>();
    expr_field("under", e.under);
  }
  void math_fields(const E::Accent& e) {
    expr_field("body", e.body);
    enum_field("kind", e.kind);
    math_type<E::Accent>();
  }
  void math_fields(const E::BigOperator& e) {
    enum_field("limits", e.limits);
    opt_expr_field("lower", e.lower);
    s_.key("op");
    s_.begin_object();
    operator_fields(e.op);
    s_.end_object();
    math_type<E::BigOperator>();
    opt_expr_field("upper", e.upper);
  }
  void math_fields(const E::Matrix& e) {
    enum_field("delimiters", e.delimiters);
    s_.key("rows");
    expr_grid(e.rows);
    math_type<E::Matrix>();
  }
  void math_fields(const E::Cases& e) {
    s_.key("rows");
    s_.begin_array(e.rows.size());
    for (const auto& row : e.rows) {
      s_.begin_object();
      opt_expr_field("condition", row.condition);
      s_.key("expr");
      math(*row.expr);
      s_.end_object();
    }
    s_.end_array();
    math_type<E::Cases>();
  }
  void math_fields(const E::Array& e) {
    s_.key("columns");
    s_.begin_array(e.columns.size());
    for (auto column : e.columns) s_.name(name_of(column));
    s_.end_array();
    s_.key("rows");
    expr_grid(e.rows);
    math_type<E::Array>();
  }
  void math_fields(const E::Align& e) {
    s_.key("numbered");
    s_.boolean(e.numbered);
    s_.key("rows");
    s_.begin_array(e.rows.size());
    for (const auto& row : e.rows) {
      s_.begin_object();
      s_.key("cells");
      expr_list(row.cells);
      opt_text("label", row.label);
      s_.end_object();
    }
    s_.end_array();
    math_type<E::Align>();
  }
  void math_fields(const E::Gather& e) {
    s_.key("numbered");
    s_.boolean(e.numbered);
    s_.key("rows");
    expr_list(e.rows);
    math_type<E::Gather>();
  }
  // A space is its value's name as a key beside "type"; every name sorts
  // before "type".
  void math_fields(const E::Space& e) {
    s_.key(Key::of_text(name_of(e.space.kind)));
    if (e.space.kind == SpaceKind::Custom)
      s_.string(e.space.custom);
    else
      s_.null();
    math_type<E::Space>();
  }
  void math_fields(const E::Phantom& e) {
    expr_field("body", e.body);
    math_type<E::Phantom>();
  }
  void math_fields(const E::HPhantom& e) {
    expr_field("body", e.body);
    math_type<E::HPhantom>();
  }
  void math_fields(const E::VPhantom& e) {
    expr_field("body", e.body);
    math_type<E::VPhantom>();
  }
  void math_fields(const E::Smash& e) {
    expr_field("body", e.body);
    enum_field("mode", e.mode);
    math_type<E::Smash>();
  }
  void math_fields(const E::StyleOverride& e) {
    expr_field("body", e.body);
    enum_field("style", e.style);
    math_type<E::StyleOverride>();
  }
  void math_fields(const E::FontOverride& e) {
    expr_field("body", e.body);
    enum_field("font", e.font);
    math_type<E::FontOverride>();
  }
  void math_fields(const E::Color& e) {
    expr_field("body", e.body);
    text("color", e.color);
    math_type<E::Color>();
  }
  void math_fields(const E::Chem& e) {
    math_type<E::Chem>();
    text("value", e.value);
  }
  void math_fields(const E::Error& e) {
    text("message", e.message);
    text("raw", e.raw);
    math_type<E::Error>();
  }

  S& s_;
  std::span<const Node* const> listed_;  // nodes that node_list writes, and the next one not met yet
  std::size_t next_listed_ = 0;
};

}  // namespace vyn::ast
