"""Block components, self-closing components, display math and the errors of
the block scanner, as parse returns them."""

import pytest

from shapes import parsed
from vyn import _vyn


def point(line, column, offset):
    return {"line": line, "column": column, "offset": offset}


def only_child(text):
    children = _vyn.parse(text)["children"]
    assert len(children) == 1
    return children[0]


NODE_FORMS = [
    ("<Note>\nHello\n</Note>\n",
     "component{attributes=[],isInline=False,name='Note',rawContent='Hello\\n'}(paragraph('Hello'@7-12)@7-13)@0-20"),
    ("<A>\n<A>\nx\n</A>\n</A>\n",
     "component{attributes=[],isInline=False,name='A',rawContent='<A>\\nx\\n</A>\\n'}("
     "component{attributes=[],isInline=False,name='A',rawContent='x\\n'}(paragraph('x'@8-9)@8-10)@4-14)@0-19"),
    ("<A>\n</A>\n", "component{attributes=[],isInline=False,name='A'}()@0-8"),
    ("<Badge>New</Badge>",
     "component{attributes=[],isInline=False,name='Badge',rawContent='New'}(paragraph('New'@7-10)@7-10)@0-18"),
    ("<Icon />\n", "component{attributes=[],isInline=False,name='Icon'}()@0-8"),
    ("$$\nx\n$$\n", "math_display{raw='x\\n'}@0-7"),
    ("$$ {#eq:1}\na\n$$", "math_display{label='eq:1',raw='a\\n'}@8-15"),
    ("  $$\n$$\n", "math_display{raw=''}@2-7"),
    ("$$\r\nx\r\n$$\r\n", "math_display{raw='x\\r\\n'}@1-9"),
    ("<Card>\ntext\n", "error{message='Unclosed tag <Card>',rawContent='<Card>\\ntext\\n'}@0-12"),
    ("</Note>", "error{message='Unexpected closing tag </Note>',rawContent='</Note>'}@0-7"),
    ("<A>\n<B>\n</A>\n</B>\n",
     "component{attributes=[],isInline=False,name='A',rawContent='<B>\\n'}("
     "error{message='Unclosed tag <B>',rawContent='<B>\\n'}@4-8)@0-12 "
     "error{message='Unexpected closing tag </B>',rawContent='</B>'}@13-17"),
    ("<My-Comp>\nnext\n",
     "error{message=\"Invalid attribute name character '-'\",rawContent='<My-Comp>\\nnext\\n'}@0-15 "
     "paragraph('next'@10-14)@10-15"),
    ("<A v={$user..name}>\n</A>\n",
     "error{message='Invalid variable path: user..name',rawContent='{$user..name}'}@5-18 "
     "error{message='Unexpected closing tag </A>',rawContent='</A>'}@20-24"),
    ("```\n<Note>\n```\n", "code_block{value='<Note>\\n'}@0-14"),
]


@pytest.mark.parametrize("text, shape", NODE_FORMS)
def test_node_forms(text, shape):
    assert parsed(text) == shape


@pytest.mark.parametrize("text", ["$$\nx\n", "$$ x\ny\n", "$$ {#1a}\nx\n$$\n", "```\n$$\nx\n$$\n```\n"])
def test_math_lines_without_a_block_are_markdown(text):
    types = {node["type"] for node in _vyn.parse(text)["children"]}
    assert types and not types & {"math_display", "error"}


def test_block_component_keys_and_position():
    node = only_child("<Note>\nHello\n</Note>\n")
    assert list(node) == ["attributes", "children", "isInline", "name", "position", "rawContent", "type"]
    assert node["position"] == {"start": point(1, 1, 0), "end": point(3, 8, 20)}


def test_self_closing_component_has_no_raw_content():
    node = _vyn.parse("text\n\n  <Icon name='x' />  \n")["children"][1]
    assert node == {
        "type": "component",
        "name": "Icon",
        "isInline": False,
        "attributes": [{"name": "name", "value": "x",
                        "position": {"start": point(3, 9, 14), "end": point(3, 17, 22)}}],
        "children": [],
        "position": {"start": point(3, 3, 8), "end": point(3, 20, 25)},
    }


def test_math_display_keys_label_and_tree():
    node = only_child("$$ {#eq:1}\nx^2\n$$\n")
    assert list(node) == ["label", "position", "raw", "tree", "type"]
    assert node["position"] == {"start": point(1, 9, 8), "end": point(3, 3, 17)}
    assert node["tree"]["type"] == "superscript"
    assert "label" not in only_child("$$\nx^2\n$$\n")


def test_error_keys():
    node = only_child("</Note>\n")
    assert list(node) == ["message", "position", "rawContent", "type"]
    assert node["position"] == {"start": point(1, 1, 0), "end": point(1, 8, 7)}


ATTRIBUTE_VALUES = [
    ("{42}", 42),
    ("{-3}", -3),
    ("{1.5}", 1.5),
    ("{true}", True),
    ("{null}", None),
    ("'it\\'s'", "it's"),
    ("'a\\\\b'", "a\\b"),
    ("'a\\nb'", "a\\nb"),
    ("{{[1, \"two\", 3.0]}}", [1, "two", 3.0]),
    ('{{"b": 1, "B": [], "a": {}}}', {"B": [], "a": {}, "b": 1}),
    ('{{"k": true}}', {"k": True}),
    ("{{}}", {}),
]


@pytest.mark.parametrize("written, value", ATTRIBUTE_VALUES)
def test_attribute_values(written, value):
    attribute = only_child("<A x=" + written + " />")["attributes"][0]
    assert attribute["value"] == value
    assert type(attribute["value"]) is type(value)


def test_object_keys_come_out_sorted():
    value = only_child('<A x={{"b": 1, "B": 2, "a": 3}} />')["attributes"][0]["value"]
    assert list(value) == ["B", "a", "b"]


def test_variable_reference_is_a_bare_path_and_position():
    attribute = only_child("<A\n  v={$user.name} />")["attributes"][0]
    assert list(attribute) == ["name", "position", "value"]
    assert attribute["value"] == {"path": "user.name",
                                  "position": {"start": point(2, 5, 7), "end": point(2, 17, 19)}}
    assert attribute["position"] == {"start": point(2, 3, 5), "end": point(2, 17, 19)}


def test_values_spanning_lines_are_positioned_across_them():
    node = only_child("<A title='one\ntwo' data={{[\n1\n]}}\n/>\n")
    title, data = node["attributes"]
    assert title["value"] == "one\ntwo"
    assert title["position"] == {"start": point(1, 4, 3), "end": point(2, 5, 18)}
    assert data["value"] == [1]
    assert data["position"] == {"start": point(2, 6, 19), "end": point(4, 4, 33)}
    assert node["position"]["end"] == point(5, 3, 36)


@pytest.mark.parametrize(
    "text, message, raw",
    [
        ("<A x={{42}} />", "JSON attribute must be an object or array, got: 42", "{{42}}"),
        ("<A n={inf} />\nmore", "Non-finite float value: inf", "n={inf} />\nmore"),
        ("<A x=", "Unexpected end of input after '='", "<A x="),
        ("<A \u00e9>", "Invalid attribute name character '\u00c3'", "<A \u00e9>"),
    ],
)
def test_tag_errors(text, message, raw):
    node = _vyn.parse(text)["children"][0]
    assert (node["type"], node["message"], node["rawContent"]) == ("error", message, raw)
    start = node["position"]["start"]["offset"]
    assert text.encode()[start:node["position"]["end"]["offset"]] == raw.encode()


def test_nesting_deeper_than_the_bound_is_an_error():
    depth = 300
    tree = _vyn.parse("<A>\n" * depth + "</A>\n" * depth)
    levels, node = 0, tree["children"][0]
    while node["type"] == "component":
        levels += 1
        node = node["children"][0]
    assert levels == 255
    assert node["message"] == "Component nesting deeper than 255 levels"
    assert node["rawContent"] == "<A>\n" * 45 + "</A>\n" * 44 + "</A>"
    # The tree reads back: it stays within the bound that reading enforces.
    assert len(_vyn.query_all(tree, "component")) == 255


def test_pathological_documents_come_back():
    assert _vyn.parse("<A>\n" * 100_000)["children"][0]["message"] == "Unclosed tag <A>"
    big = "v" * 10_000_000
    node = only_child("<Chart data='" + big + "' />\n")
    assert node["attributes"][0]["value"] == big


# Each broken tag's error would take the rest of its body or line: enough of
# them to spend the error-text budget of a parse.
@pytest.mark.parametrize(
    "text, late_message, late_raw",
    [
        ("<A-\n" * 20_000, "Invalid attribute name character '-'", "<A-"),
        ("<div>" + "<A-" * 20_000 + "\n", "Invalid attribute name character '-'", ("<A-" * 22)[:64]),
        ("<A n={x\n" * 20_000 + "}", "Invalid primitive value: x", "n={x"),
        ("<A v={$x\n" * 20_000 + "}", "Invalid variable path: x", "{$x"),
    ],
    ids=["broken tag lines", "one HTML line of broken tags", "far primitive", "far variable path"],
)
def test_repeated_broken_tags_keep_error_text_linear(text, late_message, late_raw):
    data = text.encode()
    errors = _vyn.query_all(_vyn.parse(text), "error")
    assert len(errors) == 20_000
    # The first error is whole: it runs to the end of the body or line.
    assert errors[0]["position"]["end"]["offset"] >= len(data) - 1
    total = 0
    for error in errors:
        raw = error["rawContent"].encode()
        total += len(error["message"].encode()) + len(raw)
        start, end = (error["position"][k]["offset"] for k in ("start", "end"))
        assert data[start:end] == raw
    assert total <= (16 << 20) + 96 * len(data)
    # Once the budget is spent, an error keeps its first line, at most 64 bytes,
    # and so does the value in its message.
    late = errors[len(errors) // 2]
    assert (late["message"], late["rawContent"]) == (late_message, late_raw)
