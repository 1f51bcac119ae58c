// Reading math expression trees: tags by name and index, struct variants from
// objects and arrays, spaces, enumerations and the companion records.
#include <gtest/gtest.h>

#include "read_helpers.hpp"

namespace vyn::ast {
namespace {

using testing::json;
using testing::root_error;
using testing::root_with;

// The error of reading `tree` as the tree of an inline math node, or "ok".
std::string tree_error(const std::string& tree) {
  return root_error(root_with(R"({"type":"math_inline","raw":"x","position":$P,"tree":)" + tree + "}"));
}

MathExpr read_tree(const std::string& tree) {
  auto read = read_node(json(R"({"type":"math_inline","raw":"x","position":$P,"tree":)" + tree + "}"));
  EXPECT_TRUE(read) << read.error().message;
  return read.value().as<MathNode>().tree;
}

struct Case {
  const char* tree;
  const char* message;  // "ok" when the tree reads
};

constexpr const char* kX = R"({"type":"ident","value":"x"})";

std::string with_x(std::string text) {
  for (auto at = text.find("$X"); at != std::string::npos; at = text.find("$X", at)) text.replace(at, 2, kX);
  return text;
}

TEST(ReadMath, Tags) {
  const Case cases[] = {
      {R"({"type":0,"value":"x"})", "ok"},
      {R"({"type":33,"raw":"r","message":"m"})", "ok"},
      {R"({"type":34})", "invalid value: integer `34`, expected variant index 0 <= i < 34"},
      {R"({"type":-1})", "invalid type: integer `-1`, expected variant identifier"},
      {R"({"type":true})", "invalid type: boolean `true`, expected variant identifier"},
      {R"({"value":"x"})", "missing field `type`"},
      {R"([])", "missing field `type`"},
      {R"("x")", R"(invalid type: string "x", expected internally tagged enum MathExpr)"},
      {R"(null)", "invalid type: null, expected internally tagged enum MathExpr"},
      {R"({"type":"Ident","value":"x"})",
       "unknown variant `Ident`, expected one of `ident`, `number`, `operator`, `text`, `row`, `fenced`, "
       "`superscript`, `subscript`, `subsuperscript`, `frac`, `sqrt`, `overline`, `underline`, `overbrace`, "
       "`underbrace`, `overset`, `underset`, `accent`, `big_operator`, `matrix`, `cases`, `array`, `align`, "
       "`gather`, `space`, `phantom`, `h_phantom`, `v_phantom`, `smash`, `style_override`, `font_override`, "
       "`color`, `chem`, `error`"},
  };
  for (const auto& c : cases) EXPECT_EQ(tree_error(c.tree), c.message) << c.tree;
  EXPECT_EQ(read_tree(R"({"type":0,"value":"x"})"), MathExpr(MathExpr::Ident{"x"}));
}

TEST(ReadMath, StructVariants) {
  const Case cases[] = {
      {R"({"type":"ident","value":"x","extra":[1]})", "ok"},
      {R"({"type":"frac"})", "missing field `numerator`"},
      {R"({"type":"frac","numerator":$X,"denominator":$X})", "missing field `style`"},
      {R"(["frac",$X])", "invalid length 1, expected struct variant MathExpr::Frac with 3 elements"},
      {R"(["frac",$X,$X,"auto"])", "ok"},
      {R"(["frac",$X,$X,"auto",1])", "invalid length 4, expected 3 elements in sequence"},
      {R"(["ident"])", "invalid length 0, expected struct variant MathExpr::Ident with 1 element"},
      {R"(["ident","x","y"])", "invalid length 2, expected 1 element in sequence"},
      {R"({"type":"sqrt","body":$X})", "ok"},
      {R"({"type":"sqrt","body":$X,"index":null})", "ok"},
      {R"(["sqrt",$X])", "invalid length 1, expected struct variant MathExpr::Sqrt with 2 elements"},
      {R"({"type":"superscript","base":$X,"script":"2"})",
       R"(invalid type: string "2", expected internally tagged enum MathExpr)"},
      {R"({"type":"row","children":{}})", "invalid type: map, expected a sequence"},
      {R"({"type":"row","children":[["ident","x"]]})", "ok"},
      {R"({"type":"gather","rows":[[$X]],"numbered":false})", "invalid type: map, expected variant identifier"},
      {R"({"type":"align","rows":[],"numbered":"yes"})", R"(invalid type: string "yes", expected a boolean)"},
      {R"({"type":"align","rows":[{"cells":[]}],"numbered":true})", "ok"},
      {R"({"type":"align","rows":[{"label":"l"}],"numbered":true})", "missing field `cells`"},
      {R"({"type":"align","rows":[[[]]],"numbered":true})",
       "invalid length 1, expected struct AlignRow with 2 elements"},
      {R"({"type":"cases","rows":[{"expr":$X}]})", "ok"},
      {R"({"type":"cases","rows":[[$X]]})", "invalid length 1, expected struct CaseRow with 2 elements"},
      {R"({"type":"matrix","rows":[[$X],[]],"delimiters":"plain"})", "ok"},
      {R"({"type":"matrix","rows":[$X],"delimiters":"plain"})", "invalid type: map, expected a sequence"},
      {R"({"type":"error","raw":"r"})", "missing field `message`"},
      {R"({"type":"color","color":1,"body":$X})", "invalid type: integer `1`, expected a string"},
  };
  for (const auto& c : cases) EXPECT_EQ(tree_error(with_x(c.tree)), c.message) << c.tree;
}

TEST(ReadMath, Operators) {
  const Case cases[] = {
      {R"({"type":"operator","symbol":"+","kind":"binary"})", "ok"},
      {R"({"type":"operator","symbol":"+"})", "missing field `kind`"},
      {R"(["operator","+","binary"])", "ok"},
      {R"(["operator","+"])", "invalid length 1, expected struct MathOperator with 2 elements"},
      {R"(["operator","+","binary",0])", "invalid length 3, expected 2 elements in sequence"},
      {R"({"type":"big_operator","op":{"symbol":"∑"},"limits":"limits"})", "missing field `kind`"},
      {R"({"type":"big_operator","op":["∑","large"],"limits":"limits"})", "ok"},
      {R"({"type":"big_operator","op":"∑","limits":"limits"})",
       R"(invalid type: string "∑", expected struct MathOperator)"},
      {R"(["big_operator",["∑","large"],"limits",null])",
       "invalid length 3, expected struct variant MathExpr::BigOperator with 4 elements"},
  };
  for (const auto& c : cases) EXPECT_EQ(tree_error(c.tree), c.message) << c.tree;
  const auto sum = read_tree(R"({"type":"big_operator","op":{"symbol":"∑","kind":"large"},"limits":"no_limits"})");
  EXPECT_EQ(sum, MathExpr(MathExpr::BigOperator{MathOperator{"∑", OperatorKind::Large}, LimitStyle::NoLimits,
                                                std::nullopt, std::nullopt}));
}

TEST(ReadMath, Enumerations) {
  const Case cases[] = {
      {R"({"type":"frac","numerator":$X,"denominator":$X,"style":"auto"})", "ok"},
      {R"({"type":"frac","numerator":$X,"denominator":$X,"style":{"auto":null}})", "ok"},
      {R"({"type":"frac","numerator":$X,"denominator":$X,"style":{"auto":{}}})", "ok"},
      {R"({"type":"frac","numerator":$X,"denominator":$X,"style":2})",
       "invalid type: integer `2`, expected string or map"},
      {R"({"type":"frac","numerator":$X,"denominator":$X,"style":["auto"]})",
       "invalid type: sequence, expected string or map"},
      {R"({"type":"frac","numerator":$X,"denominator":$X,"style":{}})",
       "invalid value: map, expected map with a single key"},
      {R"({"type":"frac","numerator":$X,"denominator":$X,"style":{"auto":null,"text":null}})",
       "invalid value: map, expected map with a single key"},
      {R"({"type":"frac","numerator":$X,"denominator":$X,"style":{"Auto":null}})",
       "unknown variant `Auto`, expected one of `display`, `text`, `auto`"},
      {R"({"type":"frac","numerator":$X,"denominator":$X,"style":{"auto":1}})",
       "invalid type: integer `1`, expected unit"},
      {R"({"type":"frac","numerator":$X,"denominator":$X,"style":{"auto":{"a":1}}})",
       "invalid type: map, expected unit"},
      {R"({"type":"array","columns":["left","middle"],"rows":[]})",
       "unknown variant `middle`, expected one of `left`, `center`, `right`"},
      {R"({"type":"fenced","open":"paren","close":5,"body":[]})", "invalid type: integer `5`, expected string or map"},
      {R"({"type":"accent","kind":"umlaut","body":$X})",
       "unknown variant `umlaut`, expected one of `hat`, `tilde`, `vec`, `dot`, `ddot`, `bar`, `acute`, `grave`, "
       "`breve`, `check`, `wide_hat`, `wide_tilde`"},
  };
  for (const auto& c : cases) EXPECT_EQ(tree_error(with_x(c.tree)), c.message) << c.tree;
  EXPECT_EQ(read_tree(with_x(R"({"type":"frac","numerator":$X,"denominator":$X,"style":{"text":null}})")),
            MathExpr(MathExpr::Frac{MathExpr(MathExpr::Ident{"x"}), MathExpr(MathExpr::Ident{"x"}), FracStyle::Text}));
}

// A space is the one kind that admits no unknown key beside its value.
TEST(ReadMath, Spaces) {
  constexpr const char* kSpaceNames =
      "expected one of `thin`, `medium`, `thick`, `quad`, `q_quad`, `neg_thin`, `custom`";
  const std::string unknown = std::string("unknown variant `wide`, ") + kSpaceNames;
  const std::string zz = std::string("unknown variant `zz`, ") + kSpaceNames;
  const Case cases[] = {
      {R"({"type":"space","thin":null})", "ok"},
      {R"({"type":"space","neg_thin":{}})", "ok"},
      {R"({"type":"space","custom":"1em"})", "ok"},
      {R"({"type":"space"})", "invalid value: map, expected map with a single key"},
      {R"({"type":"space","thin":null,"foo":1})", "invalid value: map, expected map with a single key"},
      {R"({"type":"space","wide":null})", unknown.c_str()},
      // A key that sorts after the tag is the space's name all the same.
      {R"({"type":"space","zz":null})", zz.c_str()},
      {R"({"type":"space","thin":1})", "invalid type: integer `1`, expected unit"},
      {R"({"type":"space","custom":null})", "invalid type: null, expected a string"},
      {R"(["space","thin"])", "invalid type: sequence, expected string or map"},
      {R"(["space"])", "invalid type: sequence, expected string or map"},
  };
  for (const auto& c : cases) EXPECT_EQ(tree_error(c.tree), c.message) << c.tree;
  EXPECT_EQ(read_tree(R"({"type":24,"custom":"2em"})"), MathExpr(MathExpr::Space{MathSpace{SpaceKind::Custom, "2em"}}));
  EXPECT_EQ(read_tree(R"({"type":"space","q_quad":null})"), MathExpr(MathExpr::Space{MathSpace{SpaceKind::QQuad, ""}}));
}

TEST(ReadMath, DeepExpressionsAreBounded) {
  Json tree = json(kX);
  for (int level = 0; level < 20000; ++level) tree = Json{{"type", "overline"}, {"body", std::move(tree)}};
  Json node = json(R"({"type":"math_inline","raw":"x","position":$P})");
  node["tree"] = std::move(tree);
  EXPECT_EQ(read_node(node).error().message,
            "recursion limit exceeded: more than 2048 levels of nested arrays and objects");
}

}  // namespace
}  // namespace vyn::ast
