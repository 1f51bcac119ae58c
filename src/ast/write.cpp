#include "ast/write.hpp"

#include "ast/json_sink.hpp"

namespace vyn::ast {

namespace {

// Each write_* routine emits one record's keys in byte-wise order; the order
// is part of the dictionary form, so it is spelled out record by record.
class Writer {
 public:
  explicit Writer(Sink& sink) : s_(sink) {}

  void root(const Root& root) {
    s_.begin_object();
    s_.key("children");
    nodes(root.children);
    s_.key("frontmatter");
    if (root.frontmatter)
      json(*root.frontmatter);
    else
      s_.null();
    s_.key("position");
    position(root.position);
    name("type", "root");
    s_.end_object();
  }

  void node(const Node& node) {
    s_.begin_object();
    std::visit([&](const auto& payload) { fields(node.kind, payload); }, node.payload);
    s_.end_object();
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
  // --- plain values -------------------------------------------------------

  void text(Key key, std::string_view value) {
    s_.key(key);
    s_.string(value);
  }
  void opt_text(Key key, const std::optional<std::string>& value) {
    if (value) text(key, *value);
  }
  void opt_flag(Key key, const std::optional<bool>& value) {
    if (!value) return;
    s_.key(key);
    s_.boolean(*value);
  }
  // Names of kinds and enumeration values come from constant tables.
  void name(Key key, std::string_view value) {
    s_.key(key);
    s_.name(value);
  }
  void type(NodeKind kind) { name("type", kind_name(kind)); }

  void point(const Point& p) {
    s_.begin_object();
    s_.key("column");
    s_.unsigned_integer(p.column);
    s_.key("line");
    s_.unsigned_integer(p.line);
    s_.key("offset");
    s_.unsigned_integer(p.offset);
    s_.end_object();
  }

  void position(const Position& p) {
    s_.begin_object();
    s_.key("end");
    point(p.end);
    s_.key("start");
    point(p.start);
    s_.end_object();
  }
  void position_field(const Position& p) {
    s_.key("position");
    position(p);
  }

  void nodes(const NodeList& list) {
    s_.begin_array(list.size());
    for (const auto& child : list) node(child);
    s_.end_array();
  }
  void children_field(const NodeList& list) {
    s_.key("children");
    nodes(list);
  }

  // --- node payloads ------------------------------------------------------

  void fields(NodeKind kind, const TextNode& n) {
    position_field(n.position);
    type(kind);
    text("value", n.value);
  }

  void fields(NodeKind kind, const CodeInlineNode& n) {
    opt_text("lang", n.lang);
    position_field(n.position);
    type(kind);
    text("value", n.value);
  }

  void fields(NodeKind kind, const CodeBlockNode& n) {
    opt_text("caption", n.caption);
    opt_flag("diff", n.diff);
    if (n.highlight) {
      s_.key("highlight");
      s_.begin_array(n.highlight->size());
      for (auto line : *n.highlight) s_.unsigned_integer(line);
      s_.end_array();
    }
    opt_text("lang", n.lang);
    opt_text("meta", n.meta);
    position_field(n.position);
    opt_flag("showLineNumbers", n.show_line_numbers);
    opt_text("title", n.title);
    type(kind);
    text("value", n.value);
  }

  void fields(NodeKind kind, const StandardBlockNode& n) {
    opt_flag("checked", n.checked);
    children_field(n.children);
    if (n.depth) {
      s_.key("depth");
      s_.unsigned_integer(*n.depth);
    }
    opt_text("id", n.id);
    opt_flag("ordered", n.ordered);
    position_field(n.position);
    type(kind);
  }

  void fields(NodeKind kind, const LinkNode& n) {
    children_field(n.children);
    position_field(n.position);
    opt_text("title", n.title);
    type(kind);
    text("url", n.url);
  }

  void fields(NodeKind kind, const ImageNode& n) {
    opt_text("alt", n.alt);
    children_field(n.children);
    position_field(n.position);
    opt_text("title", n.title);
    type(kind);
    text("url", n.url);
  }

  void fields(NodeKind kind, const FootnoteNode& n) {
    children_field(n.children);
    text("label", n.label);
    position_field(n.position);
    type(kind);
  }

  void fields(NodeKind kind, const MathNode& n) {
    position_field(n.position);
    text("raw", n.raw);
    s_.key("tree");
    math(n.tree);
    type(kind);
  }

  void fields(NodeKind kind, const MathDisplayNode& n) {
    opt_text("label", n.label);
    position_field(n.position);
    text("raw", n.raw);
    s_.key("tree");
    math(n.tree);
    type(kind);
  }

  void fields(NodeKind kind, const CitationNode& n) {
    s_.key("keys");
    s_.begin_array(n.keys.size());
    for (const auto& key : n.keys) {
      s_.begin_object();
      text("id", key.id);
      opt_text("locator", key.locator);
      opt_text("prefix", key.prefix);
      s_.end_object();
    }
    s_.end_array();
    position_field(n.position);
    type(kind);
  }

  void fields(NodeKind kind, const CrossRefNode& n) {
    position_field(n.position);
    text("target", n.target);
    type(kind);
  }

  void fields(NodeKind kind, const ComponentNode& n) {
    s_.key("attributes");
    s_.begin_array(n.attributes.size());
    for (const auto& attribute : n.attributes) {
      s_.begin_object();
      text("name", attribute.name);
      position_field(attribute.position);
      s_.key("value");
      attribute_value(attribute.value);
      s_.end_object();
    }
    s_.end_array();
    children_field(n.children);
    s_.key("isInline");
    s_.boolean(n.is_inline);
    text("name", n.name);
    position_field(n.position);
    if (!n.raw_content.empty()) text("rawContent", n.raw_content);
    type(kind);
  }

  void fields(NodeKind kind, const VariableNode& n) {
    text("path", n.path);
    position_field(n.position);
    type(kind);
  }

  void fields(NodeKind kind, const ErrorNode& n) {
    text("message", n.message);
    position_field(n.position);
    text("rawContent", n.raw_content);
    type(kind);
  }

  // A variable reference is written as a bare object without a "type" key.
  void attribute_value(const AttributeValue& value) {
    if (const auto* variable = std::get_if<VariableNode>(&value)) {
      s_.begin_object();
      text("path", variable->path);
      position_field(variable->position);
      s_.end_object();
    } else {
      json(std::get<Json>(value));
    }
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

  Sink& s_;
};

}  // namespace

void write_root(const Root& root, Sink& sink) { Writer(sink).root(root); }
void write_node(const Node& node, Sink& sink) { Writer(sink).node(node); }
void write_math(const MathExpr& expr, Sink& sink) { Writer(sink).math(expr); }

Json serialize(const Root& root) {
  JsonSink sink;
  write_root(root, sink);
  return sink.take();
}

Json serialize(const Node& node) {
  JsonSink sink;
  write_node(node, sink);
  return sink.take();
}

Json serialize(const MathExpr& expr) {
  JsonSink sink;
  write_math(expr, sink);
  return sink.take();
}

}  // namespace vyn::ast
