"""collect_text and query_all over tree dicts."""

import pytest

from trees import block, component, pos, root, text
from vyn import _vyn

MATH = {"tree": {"children": [], "type": "row"}}

# One node of every kind, with the fields each needs.
LEAVES = {
    "text": text("t"),
    "code_inline": {"position": pos(), "type": "code_inline", "value": "c"},
    "code_block": {"position": pos(), "type": "code_block", "value": "c"},
    "footnote_reference": {"children": [text("r")], "label": "1", "position": pos(), "type": "footnote_reference"},
    "math_inline": {"position": pos(), "raw": "x", "type": "math_inline", **MATH},
    "math_display": {"position": pos(), "raw": "x", "type": "math_display", **MATH},
    "citation": {"keys": [{"id": "knuth"}], "position": pos(), "type": "citation"},
    "cross_ref": {"position": pos(), "target": "eq:1", "type": "cross_ref"},
    "variable": {"path": "a.b", "position": pos(), "type": "variable"},
    "error": {"message": "m", "position": pos(), "rawContent": "r", "type": "error"},
}
CONTAINERS = [
    "paragraph", "heading", "list", "list_item", "blockquote", "thematic_break", "html", "table",
    "table_row", "table_cell", "emphasis", "strong", "strikethrough", "definition_list",
    "definition_term", "definition_description",
]


def container(kind, children):
    if kind == "link":
        return block(kind, children, url="u")
    if kind == "image":
        return block(kind, children, url="i")
    if kind == "footnote_definition":
        return block(kind, children, label="1")
    if kind == "component":
        return component("C", children=children)
    return block(kind, children)


ALL_CONTAINERS = CONTAINERS + ["link", "image", "footnote_definition", "component"]


@pytest.mark.parametrize("kind", ALL_CONTAINERS)
def test_query_finds_containers_by_name_and_searches_inside(kind):
    inner = container(kind, [text("deep")])
    between = "blockquote" if kind == "paragraph" else "paragraph"
    outer = container(kind, [block(between, [inner])])
    tree = root([outer, text("after")])
    assert _vyn.query_all(tree, kind) == [outer, inner]
    assert _vyn.query_all(tree, "text") == [text("deep"), text("after")]


def test_nested_matches_are_the_same_dicts_inside_their_ancestors():
    c = block("blockquote", [text("c")])
    b = block("blockquote", [c])
    d = block("blockquote", [])
    a = block("blockquote", [block("paragraph", [b]), d])
    e = block("blockquote", [])
    found = _vyn.query_all(root([a, e]), "blockquote")
    assert found == [a, b, c, d, e]
    fa, fb, fc, fd, fe = found
    assert fa["children"][0]["children"][0] is fb
    assert fb["children"][0] is fc and fa["children"][1] is fd
    assert fe is not fd


@pytest.mark.parametrize("kind", sorted(LEAVES))
def test_query_finds_every_leaf_kind_by_name(kind):
    node = LEAVES[kind]
    tree = root([block("definition_list", [block("definition_term", [node])]), node])
    assert _vyn.query_all(tree, kind) == [node, node]


def test_query_does_not_search_inside_footnote_references():
    tree = root([LEAVES["footnote_reference"]])
    assert _vyn.query_all(tree, "text") == []


@pytest.mark.parametrize("node_type", ["root", "Text", "", "text "])
def test_query_of_a_name_that_is_no_kind_finds_nothing(node_type):
    assert _vyn.query_all(root([text("x")]), node_type) == []


def test_query_checks_node_type_before_reading_the_tree():
    with pytest.raises(TypeError) as caught:
        _vyn.query_all({"not": "a tree"}, 3)
    assert str(caught.value).startswith("argument 'node_type': ")


def test_collect_text_joins_text_in_walk_order():
    tree = root([
        block("heading", [text("Use "), LEAVES["code_inline"], text(" now")], depth=1),
        container("link", [container("emphasis", [text("|a")])]),
        container("image", [text("|b")]),
        container("footnote_definition", [text("|c")]),
        component("C", children=[text("|d")]),
        LEAVES["footnote_reference"],
        LEAVES["math_inline"],
        LEAVES["citation"],
    ])
    assert _vyn.collect_text(tree) == "Use  now|a|b|c|d"


def test_collect_text_of_code_only_is_empty():
    assert _vyn.collect_text(root([block("paragraph", [LEAVES["code_inline"]])])) == ""


@pytest.mark.parametrize(
    "tree, message",
    [
        ({"type": "root", "position": pos()}, "missing field `children`"),
        (root([{"type": "Paragraph"}]), "unknown variant `Paragraph`, expected one of `text`, `code_inline`, `code_block`, `paragraph`, `heading`, `list`, `list_item`, `blockquote`, `thematic_break`, `html`, `table`, `table_row`, `table_cell`, `link`, `image`, `emphasis`, `strong`, `strikethrough`, `definition_list`, `definition_term`, `definition_description`, `footnote_definition`, `footnote_reference`, `math_inline`, `math_display`, `citation`, `cross_ref`, `component`, `variable`, `error`"),
        ("abc", 'invalid type: string "abc", expected struct Root'),
    ],
)
def test_trees_that_do_not_read_are_value_errors(tree, message):
    for call in (lambda: _vyn.collect_text(tree), lambda: _vyn.query_all(tree, "text")):
        with pytest.raises(ValueError) as caught:
            call()
        assert str(caught.value) == message


def nested_tree(kind, levels):
    node = text("x")
    for _ in range(levels):
        node = container(kind, [node])
    return root([node])


@pytest.mark.parametrize("kind", ["emphasis", "component"])
def test_trees_as_deep_as_the_bound_allows_are_walked(kind):
    # Each level takes two containers (the node and its children), and the
    # root, its children and the text's position five more: 2 * 1021 + 5 = 2047.
    tree = nested_tree(kind, 1021)
    assert _vyn.collect_text(tree) == "x"
    assert _vyn.query_all(tree, "text") == [text("x")]
    schema = {"components": {"C": {"props": {"need": {"type": "any", "required": True}}}}}
    assert len(_vyn.validate(tree, schema)) == (1021 if kind == "component" else 0)
    with pytest.raises(ValueError, match="nested more than 2048 levels deep"):
        _vyn.collect_text(nested_tree(kind, 1022))


@pytest.mark.parametrize(
    "document, expected",
    [
        ("Hello *big* world\n", "Hello big world"),
        ("# Use `foo` now\n", "Use  now"),
        ("- *[deep](u)* end\n", "deep end"),
        ("`only code`\n", ""),
        ("Term\n: *Described*\n\n$x$ and [@key] {@fig:a}.\n", "TermDescribed and  ."),
    ],
)
def test_collect_text_of_parsed_documents(document, expected):
    assert _vyn.collect_text(_vyn.parse(document)) == expected


def test_queries_over_a_parsed_document():
    tree = _vyn.parse("- # Inside\n  - nested\n\nTerm\n: Described\n\nSee [@knuth] and {@fig:one}.\n")
    (heading,) = _vyn.query_all(tree, "heading")
    assert heading["depth"] == 1
    outer, inner = _vyn.query_all(tree, "list")
    assert inner in outer["children"][0]["children"]
    texts = [node["value"] for node in _vyn.query_all(tree, "text")]
    assert texts[:2] == ["Inside", "nested"] and "Term" in texts
    for kind in ("definition_list", "definition_term", "definition_description", "citation", "cross_ref"):
        assert len(_vyn.query_all(tree, kind)) == 1, kind
    assert _vyn.query_all(tree, "citation")[0]["keys"][0]["id"] == "knuth"
