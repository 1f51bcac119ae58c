// Reading document trees: the root, node tags in both contexts, records from
// objects and arrays, optional and defaulted fields, plain values with their
// widths, and the exact text of the first problem met.
#include <gtest/gtest.h>

#include "read_helpers.hpp"

namespace vyn::ast {
namespace {

using testing::json;
using testing::root_error;
using testing::root_with;

struct Case {
  const char* input;
  const char* message;  // "ok" when the input reads
};

constexpr const char* kUnknownNodeKind =
    "unknown variant `Paragraph`, expected one of `text`, `code_inline`, `code_block`, `paragraph`, `heading`, "
    "`list`, `list_item`, `blockquote`, `thematic_break`, `html`, `table`, `table_row`, `table_cell`, `link`, "
    "`image`, `emphasis`, `strong`, `strikethrough`, `definition_list`, `definition_term`, "
    "`definition_description`, `footnote_definition`, `footnote_reference`, `math_inline`, `math_display`, "
    "`citation`, `cross_ref`, `component`, `variable`, `error`";

TEST(ReadRoot, RootRecordAndItsType) {
  const Case cases[] = {
      {R"("abc")", R"(invalid type: string "abc", expected struct Root)"},
      {"null", "invalid type: null, expected struct Root"},
      {"7", "invalid type: integer `7`, expected struct Root"},
      {"{}", "missing field `type`"},
      {R"({"type":"root"})", "missing field `children`"},
      {R"({"type":"root","children":[]})", "missing field `position`"},
      {R"({"children":[],"position":$P})", "missing field `type`"},
      {R"({"type":"root","children":[],"position":$P})", "ok"},
      {R"({"type":"root","children":[],"position":$P,"frontmatter":null,"extra":[1]})", "ok"},
      {R"({"type":"document","children":[],"position":$P})", "unknown variant `document`, expected `root`"},
      {R"({"type":"Root","children":[],"position":$P})", "unknown variant `Root`, expected `root`"},
      {R"({"type":{"root":null},"children":[],"position":$P})", "ok"},
      {R"({"type":{"root":{}},"children":[],"position":$P})", "invalid type: map, expected unit"},
      {R"({"type":{"root":1},"children":[],"position":$P})", "invalid type: integer `1`, expected unit"},
      {R"({"type":{},"children":[],"position":$P})", "invalid value: map, expected map with a single key"},
      {R"({"type":{"root":null,"x":null},"children":[],"position":$P})",
       "invalid value: map, expected map with a single key"},
      {R"({"type":{"doc":null},"children":[],"position":$P})", "unknown variant `doc`, expected `root`"},
      {R"({"type":0,"children":[],"position":$P})", "invalid type: integer `0`, expected string or map"},
      {R"({"type":["root"],"children":[],"position":$P})", "invalid type: sequence, expected string or map"},
      {R"({"type":"root","children":{},"position":$P})", "invalid type: map, expected a sequence"},
      // Present keys are read in sorted order before missing ones are settled.
      {R"({"type":"bad","children":{},"position":3})", "invalid type: map, expected a sequence"},
      {R"({"type":"bad","position":3})", "invalid type: integer `3`, expected struct Position"},
      {R"({"type":"bad","position":$P})", "unknown variant `bad`, expected `root`"},
      {R"(["root",null,[],$P])", "ok"},
      {R"(["root",null,[]])", "invalid length 3, expected struct Root with 4 elements"},
      {R"(["root"])", "invalid length 1, expected struct Root with 4 elements"},
      {R"([])", "invalid length 0, expected struct Root with 4 elements"},
      {R"(["root",null,[],$P,5])", "invalid length 5, expected fewer elements in array"},
      {R"(["root",5,[],$P])", "ok"},
  };
  for (const auto& c : cases) EXPECT_EQ(root_error(json(c.input)), c.message) << c.input;
}

TEST(ReadRoot, FrontmatterIsAnyValueAndNullMeansNone) {
  EXPECT_FALSE(read_root(json(R"({"type":"root","children":[],"position":$P})")).value().frontmatter);
  EXPECT_FALSE(
      read_root(json(R"({"type":"root","children":[],"position":$P,"frontmatter":null})")).value().frontmatter);
  const Json frontmatter = json(R"({"b":[1,-2,2.5,"s",true,null,{}],"a":{"B":1}})");
  Json root = json(R"({"type":"root","children":[],"position":$P})");
  root["frontmatter"] = frontmatter;
  EXPECT_EQ(read_root(root).value().frontmatter, frontmatter);
}

TEST(ReadRoot, PositionsAndPoints) {
  const Case cases[] = {
      {R"({"type":"root","children":[],"position":[[1,1,0],[1,2,1]]})", "ok"},
      {R"({"type":"root","children":[],"position":[{"line":1,"column":1,"offset":0},[1,2,1]]})", "ok"},
      {R"({"type":"root","children":[],"position":[[1,1,0]]})",
       "invalid length 1, expected struct Position with 2 elements"},
      {R"({"type":"root","children":[],"position":[[1,1,0],[1,2,1],[1,1,1]]})",
       "invalid length 3, expected fewer elements in array"},
      {R"({"type":"root","children":[],"position":[[1,1,0],[1,2]]})",
       "invalid length 2, expected struct Point with 3 elements"},
      {R"({"type":"root","children":[],"position":[[1,1,0],[1,2,1,4]]})",
       "invalid length 4, expected fewer elements in array"},
      {R"({"type":"root","children":[],"position":{"start":[1,1,0]}})", "missing field `end`"},
      {R"({"type":"root","children":[],"position":{"start":{"line":1,"column":1},"end":[1,1,0]}})",
       "missing field `offset`"},
      {R"({"type":"root","children":[],"position":{"start":[-1,1,0],"end":[1,1,0]}})",
       "invalid value: integer `-1`, expected u64"},
      {R"({"type":"root","children":[],"position":{"start":[1.0,1,0],"end":[1,1,0]}})",
       "invalid type: floating point `1.0`, expected u64"},
      {R"({"type":"root","children":[],"position":{"start":["1",1,0],"end":[1,1,0]}})",
       R"(invalid type: string "1", expected u64)"},
      {R"({"type":"root","children":[],"position":{"start":[18446744073709551615,1,0],"end":[1,1,0]}})", "ok"},
      {R"({"type":"root","children":[],"position":null})", "invalid type: null, expected struct Position"},
  };
  for (const auto& c : cases) EXPECT_EQ(root_error(json(c.input)), c.message) << c.input;
}

// A root child's tag is read by name only; a nested node's also by index.
TEST(ReadNode, TagsInBothContexts) {
  const Case cases[] = {
      {R"({"type":"text","value":"x","position":$P})", "ok"},
      {R"({"type":0,"value":"x","position":$P})", "invalid type: integer `0`, expected variant identifier"},
      {R"({"type":null,"value":"x","position":$P})", "invalid type: null, expected variant identifier"},
      {R"({"type":"Paragraph","children":[],"position":$P})", kUnknownNodeKind},
      {R"({"value":"x","position":$P})", "missing field `type`"},
      {R"("x")", R"(invalid type: string "x", expected internally tagged enum Node)"},
      {R"(null)", "invalid type: null, expected internally tagged enum Node"},
      {R"([])", "missing field `type`"},
      {R"([0,"x",$P])", "invalid type: integer `0`, expected variant identifier"},
      {R"({"type":"paragraph","position":$P,"children":[{"type":0,"value":"x","position":$P}]})", "ok"},
      {R"({"type":"paragraph","position":$P,"children":[{"type":29,"message":"m","rawContent":"","position":$P}]})",
       "ok"},
      {R"({"type":"paragraph","position":$P,"children":[{"type":30}]})",
       "invalid value: integer `30`, expected variant index 0 <= i < 30"},
      {R"({"type":"paragraph","position":$P,"children":[{"type":-1}]})",
       "invalid type: integer `-1`, expected variant identifier"},
      {R"({"type":"paragraph","position":$P,"children":[{"type":1.0}]})",
       "invalid type: floating point `1.0`, expected variant identifier"},
      {R"({"type":"paragraph","position":$P,"children":[[0,"x",$P]]})", "ok"},
      {R"({"type":"paragraph","position":$P,"children":[[]]})", "missing field `type`"},
      {R"({"type":"paragraph","position":$P,"children":[true]})",
       "invalid type: boolean `true`, expected internally tagged enum Node"},
      // The tag is examined before any payload key, even one that sorts first.
      {R"({"type":"nope","children":5,"position":$P})",
       "unknown variant `nope`, expected one of `text`, `code_inline`, `code_block`, `paragraph`, `heading`, `list`, "
       "`list_item`, `blockquote`, `thematic_break`, `html`, `table`, `table_row`, `table_cell`, `link`, `image`, "
       "`emphasis`, `strong`, `strikethrough`, `definition_list`, `definition_term`, `definition_description`, "
       "`footnote_definition`, `footnote_reference`, `math_inline`, `math_display`, `citation`, `cross_ref`, "
       "`component`, `variable`, `error`"},
  };
  for (const auto& c : cases) EXPECT_EQ(root_error(root_with(c.input)), c.message) << c.input;
}

TEST(ReadNode, RecordsFromObjectsAndArrays) {
  const Case cases[] = {
      {R"({"type":"paragraph","position":$P})", "missing field `children`"},
      {R"({"type":"paragraph","children":[]})", "missing field `position`"},
      {R"({"type":"paragraph","children":[],"position":$P,"foo":{"bar":[]}})", "ok"},
      {R"({"type":"text","value":"x","position":$P,"depth":"ignored","children":7})", "ok"},
      {R"({"type":"footnote_reference","label":"1","position":$P})", "missing field `children`"},
      {R"({"type":"error","message":"m","position":$P})", "missing field `rawContent`"},
      {R"({"type":"component","name":"C","isInline":false,"attributes":[],"children":[],"position":$P})", "ok"},
      {R"({"type":"component","name":"C","attributes":[],"children":[],"position":$P})", "missing field `isInline`"},
      {R"(["text","hi",$P])", "ok"},
      {R"(["text","hi"])", "invalid length 1, expected struct TextNode with 2 elements"},
      {R"(["text"])", "invalid length 0, expected struct TextNode with 2 elements"},
      {R"(["text","hi",$P,1])", "invalid length 3, expected 2 elements in sequence"},
      {R"(["code_inline","x",$P])", R"(invalid type: map, expected a string)"},
      {R"(["code_inline","x",null,$P])", "ok"},
      {R"(["image","u",null,null,[]])", "invalid length 4, expected struct ImageNode with 5 elements"},
      // rawContent has a default, so an array may stop before it; the position
      // after it is then counted by its own place.
      {R"(["component","C",false,[],[]])", "invalid length 5, expected struct ComponentNode with 6 elements"},
      {R"(["component","C",false,[],[],$P])", "invalid type: map, expected a string"},
      {R"(["component","C",false,[],[],"raw",$P])", "ok"},
      {R"(["component","C",false,[],[],"raw",$P,0])", "invalid length 7, expected 6 elements in sequence"},
      {R"({"type":"text","value":"x","position":[[1,1,0],[1,2,1],[1,1,1]]})",
       "invalid length 3, expected 2 elements in sequence"},
      {R"({"type":"text","value":"x","position":[[1,1,0,9],[1,2,1]]})",
       "invalid length 4, expected 3 elements in sequence"},
      {R"({"type":"text","value":"x","position":[[1,1,0]]})",
       "invalid length 1, expected struct Position with 2 elements"},
      {R"({"type":"text","value":"x","position":5})", "invalid type: integer `5`, expected struct Position"},
      {R"({"type":"citation","keys":[{"prefix":"see"}],"position":$P})", "missing field `id`"},
      {R"({"type":"citation","keys":[["k",null,null]],"position":$P})", "ok"},
      {R"({"type":"citation","keys":[["k"]],"position":$P})",
       "invalid length 1, expected struct CitationKey with 3 elements"},
      {R"({"type":"citation","keys":"k","position":$P})", R"(invalid type: string "k", expected a sequence)"},
  };
  for (const auto& c : cases) EXPECT_EQ(root_error(root_with(c.input)), c.message) << c.input;
}

TEST(ReadNode, PlainValuesAndTheirWidths) {
  const Case cases[] = {
      {R"({"type":"heading","depth":255,"children":[],"position":$P})", "ok"},
      {R"({"type":"heading","depth":2.0,"children":[],"position":$P})",
       "invalid type: floating point `2.0`, expected u8"},
      {R"({"type":"heading","depth":256,"children":[],"position":$P})", "invalid value: integer `256`, expected u8"},
      {R"({"type":"heading","depth":-1,"children":[],"position":$P})", "invalid value: integer `-1`, expected u8"},
      {R"({"type":"heading","depth":"2","children":[],"position":$P})", R"(invalid type: string "2", expected u8)"},
      {R"({"type":"code_block","value":"","highlight":[0,4294967295],"position":$P})", "ok"},
      {R"({"type":"code_block","value":"","highlight":[1,4294967296],"position":$P})",
       "invalid value: integer `4294967296`, expected u32"},
      {R"({"type":"code_block","value":"","highlight":[1.5],"position":$P})",
       "invalid type: floating point `1.5`, expected u32"},
      {R"({"type":"code_block","value":"","highlight":1,"position":$P})",
       "invalid type: integer `1`, expected a sequence"},
      {R"({"type":"code_block","value":"","showLineNumbers":"yes","position":$P})",
       R"(invalid type: string "yes", expected a boolean)"},
      {R"({"type":"code_block","value":7,"position":$P})", "invalid type: integer `7`, expected a string"},
      {R"({"type":"component","name":"C","isInline":null,"attributes":[],"children":[],"position":$P})",
       "invalid type: null, expected a boolean"},
      {R"({"type":"list","ordered":1,"children":[],"position":$P})", "invalid type: integer `1`, expected a boolean"},
      {R"({"type":"text","value":"x","position":{"start":[1,1,0],"end":[1,1,{}]}})", "invalid type: map, expected u64"},
  };
  for (const auto& c : cases) EXPECT_EQ(root_error(root_with(c.input)), c.message) << c.input;
}

TEST(ReadNode, OptionalFieldsAreAbsentWhenMissingOrNull) {
  for (const char* input : {R"({"type":"code_block","value":"v","position":$P})",
                            R"({"type":"code_block","value":"v","lang":null,"meta":null,"title":null,"highlight":null,
                                "showLineNumbers":null,"diff":null,"caption":null,"position":$P})"}) {
    auto read = read_node(json(input));
    ASSERT_TRUE(read) << read.error().message;
    const auto& code = read.value().as<CodeBlockNode>();
    EXPECT_FALSE(code.lang || code.meta || code.title || code.highlight || code.show_line_numbers || code.diff ||
                 code.caption);
  }
  auto empty_lang = read_node(json(R"({"type":"code_inline","value":"v","lang":"","position":$P})"));
  EXPECT_EQ(empty_lang.value().as<CodeInlineNode>().lang, std::optional<std::string>(""));
  auto component =
      read_node(json(R"({"type":"component","name":"C","isInline":true,"attributes":[],"children":[],"position":$P})"));
  EXPECT_EQ(component.value().as<ComponentNode>().raw_content, "");
}

TEST(ReadNode, AttributeValuesAreJsonValues) {
  const Case cases[] = {
      {R"({"name":"a","value":null,"position":$P})", "ok"},
      {R"({"name":"a","value":{"path":"x.y","position":$P},"position":$P})", "ok"},
      {R"({"name":"a","position":$P})", "missing field `value`"},
      {R"(["a",[1,-1,1.5,"s",{"k":false}],$P])", "ok"},
      {R"(["a",1])", "invalid length 2, expected struct AttributeNode with 3 elements"},
      {R"({"name":1,"value":1,"position":$P})", "invalid type: integer `1`, expected a string"},
  };
  for (const auto& c : cases) {
    const std::string component = R"({"type":"component","name":"C","isInline":false,"attributes":[)" +
                                  std::string(c.input) + R"(],"children":[],"position":$P})";
    EXPECT_EQ(root_error(root_with(component)), c.message) << c.input;
  }
  auto read = read_node(json(
      R"({"type":"component","name":"C","isInline":false,"children":[],"position":$P,
          "attributes":[{"name":"v","value":{"path":"x.y","position":$P},"position":$P},
                        {"name":"n","value":-3,"position":$P},{"name":"f","value":3.5,"position":$P}]})"));
  ASSERT_TRUE(read) << read.error().message;
  const auto& attributes = read.value().as<ComponentNode>().attributes;
  const Json& variable = std::get<Json>(attributes[0].value);
  EXPECT_TRUE(variable.is_object());
  EXPECT_EQ(variable["path"], "x.y");
  EXPECT_TRUE(std::get<Json>(attributes[1].value).is_number_integer());
  EXPECT_TRUE(std::get<Json>(attributes[2].value).is_number_float());
}

// Very deep input fails with a clear error instead of exhausting the stack.
TEST(ReadNode, DeepNestingIsBounded) {
  constexpr const char* kTooDeep = "recursion limit exceeded: more than 2048 levels of nested arrays and objects";
  Json node = json(R"({"type":"text","value":"x","position":$P})");
  for (int level = 0; level < 20000; ++level) {
    Json parent = json(R"({"type":"emphasis","position":$P})");
    parent["children"] = Json::array({std::move(node)});
    node = std::move(parent);
  }
  Json root = json(R"({"type":"root","position":$P})");
  root["children"] = Json::array({std::move(node)});
  EXPECT_EQ(root_error(root), kTooDeep);

  // Root object, children array, then one level per attribute array.
  auto nested_attribute = [](int depth) {
    Json value = 1;
    for (int level = 0; level < depth; ++level) value = Json::array({std::move(value)});
    Json component = json(R"({"type":"component","name":"C","isInline":false,"children":[],"position":$P})");
    component["attributes"] = Json::array({{{"name", "a"}, {"position", json("$P")}, {"value", std::move(value)}}});
    Json root = json(R"({"type":"root","position":$P})");
    root["children"] = Json::array({std::move(component)});
    return root;
  };
  EXPECT_EQ(root_error(nested_attribute(2048 - 5)), "ok");
  EXPECT_EQ(root_error(nested_attribute(2048 - 4)), kTooDeep);
}

}  // namespace
}  // namespace vyn::ast
