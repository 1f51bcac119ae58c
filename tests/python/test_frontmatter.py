"""The frontmatter block as parse returns it: where it ends, what its YAML
becomes in Python, and what happens when it can't be read."""

import pytest

from vyn import _vyn


def frontmatter(text):
    return _vyn.parse(text)["frontmatter"]


def exact(value):
    """A value with every scalar paired with its type, so that True and 1,
    or 1 and 1.0, tell apart."""
    if isinstance(value, dict):
        return {key: exact(item) for key, item in value.items()}
    if isinstance(value, list):
        return [exact(item) for item in value]
    return (type(value), value)


@pytest.mark.parametrize(
    "text, expected",
    [
        ("---\ntitle: x\n---\nHello", {"title": "x"}),
        ("---\r\ntitle: x\r\n---\r\nHello", {"title": "x"}),
        ("---\na: 1\n  ---\nrest", {"a": 1}),
        ("---\na: 1\n---\r\r\nrest", {"a": 1}),
        ("---\na: 1\n---", {"a": 1}),
        ("---\nhello\n---\n", "hello"),
        ("---\n- 1\n- two\n---\n", [1, "two"]),
        ("---\n---\n", None),
        ("---\n~\n---\n", None),
        ("---\nnull\n---\n", None),
        ("---\nkey: [unclosed\n---\nText", None),
        ("---\na: 1\n--- \n", None),
        ("--- \na: 1\n---\n", None),
        ("---\na: 1\n", None),
    ],
)
def test_block_and_value(text, expected):
    assert exact(frontmatter(text)) == exact(expected)


def point(line, column, offset):
    return {"column": column, "line": line, "offset": offset}


def test_the_body_starts_after_the_closing_line():
    tree = _vyn.parse("---\ntitle: x\n---\nHello")
    span = {"end": point(4, 6, 22), "start": point(4, 1, 17)}
    assert tree == {
        "children": [
            {"children": [{"position": span, "type": "text", "value": "Hello"}], "position": span, "type": "paragraph"}
        ],
        "frontmatter": {"title": "x"},
        "position": {"end": point(4, 6, 22), "start": point(1, 1, 0)},
        "type": "root",
    }


@pytest.mark.parametrize(
    "text, first_child_start",
    [
        ("---\r\ntitle: x\r\n---\r\nHello", point(4, 1, 20)),
        ("---\na: 1\n  ---\nText", point(4, 1, 15)),
        ("---\na: 1\n---\r\r\nText", point(4, 1, 15)),
        ("---\nkey: [unclosed\n---\nText", point(4, 1, 23)),
        # No closing line: the opener is body text.
        ("---\na: 1\n--- \nText", point(1, 1, 0)),
        ("---\na: 1\n---", None),
        ("---\n---\n", None),
    ],
)
def test_where_the_body_begins(text, first_child_start):
    children = _vyn.parse(text)["children"]
    assert (children[0]["position"]["start"] if children else None) == first_child_start
    assert all(child["type"] != "error" for child in children)


def test_columns_count_bytes():
    paragraph = _vyn.parse("\u00e9*a*")["children"][0]
    assert paragraph["children"][1]["type"] == "emphasis"
    assert paragraph["children"][1]["position"]["start"] == point(1, 3, 2)
    assert _vyn.parse("a\n")["position"]["end"] == point(2, 1, 2)


def test_yaml_values_become_python_values():
    text = (
        "---\n"
        "title: Guide\n"
        "count: 3\n"
        "offset: -3\n"
        "big: 18446744073709551615\n"
        "small: -9223372036854775808\n"
        "ratio: 2.5\n"
        "whole: 1e3\n"
        "draft: false\n"
        "none: ~\n"
        "quoted: '3'\n"
        "infinite: .inf\n"
        "tags: [a, 1, true, null]\n"
        "nested: {Z: 1, a: {b: [x]}}\n"
        "1: numeric key\n"
        "---\n"
    )
    assert exact(frontmatter(text)) == exact(
        {
            "1": "numeric key",
            "big": 18446744073709551615,
            "count": 3,
            "draft": False,
            "infinite": None,
            "nested": {"Z": 1, "a": {"b": ["x"]}},
            "none": None,
            "offset": -3,
            "quoted": "3",
            "ratio": 2.5,
            "small": -9223372036854775808,
            "tags": ["a", 1, True, None],
            "title": "Guide",
            "whole": 1000.0,
        }
    )
    assert list(frontmatter(text)) == sorted(frontmatter(text))


def test_anchors_and_merge_keys():
    text = "---\nbase: &b {x: 1, y: 2}\ncopy: *b\nmerged:\n  <<: *b\n  y: 3\n---\n"
    assert frontmatter(text) == {"base": {"x": 1, "y": 2}, "copy": {"x": 1, "y": 2}, "merged": {"x": 1, "y": 3}}


def bomb():
    lines = ["a0: &a0 [x, x, x, x, x, x, x, x, x]"]
    for level in range(1, 10):
        lines.append(f"a{level}: &a{level} [" + ", ".join([f"*a{level - 1}"] * 9) + "]")
    return "\n".join(lines)


@pytest.mark.parametrize(
    "yaml",
    [
        bomb(),
        "[" * 2001 + "]" * 2001,
        "".join("  " * depth + "-\n" for depth in range(2001)),
        "a: " + "x" * (64 * 1024 * 1024),
        "a: 1\na: 2",
        "a: 1\n...\nb: 2",
    ],
    ids=["alias bomb", "2001 flow levels", "2001 block levels", "scalar bytes", "repeated key", "two documents"],
)
def test_unreadable_yaml_leaves_no_frontmatter_and_the_body_after_the_closer(yaml):
    text = "---\n" + yaml + "\n---\nAfter *this*\n"
    tree = _vyn.parse(text)
    assert tree["frontmatter"] is None
    # The same document with its YAML turned into comments of the same
    # lengths: the body must come out the same, positions included.
    comments = "\n".join("#" + line[1:] if line else "" for line in yaml.split("\n"))
    assert tree == _vyn.parse("---\n" + comments + "\n---\nAfter *this*\n")
    body_start = text.index("\n---\nAfter") + 5
    for child in tree["children"]:
        assert child["position"]["start"]["offset"] >= body_start


def test_nesting_up_to_the_limit_is_read():
    value = frontmatter("---\n" + "[" * 2000 + "]" * 2000 + "\n---\n")
    depth = 0
    while isinstance(value, list):
        value = value[0] if value else None
        depth += 1
    assert depth == 2000
