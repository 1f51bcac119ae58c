"""Generated documents that mix every construct: parse never raises, and every
position is ordered, inside the input and consistent with its line table."""

import bisect

import pytest
from hypothesis import HealthCheck, given, settings
from hypothesis import strategies as st

from vyn import _vyn

PIECES = [
    "# Title", "Setext\n===", "text", "\u00e9t\u00e9", "\u3000", "*em*", "**strong**", "~~del~~", "`code`", "`x`{yaml}",
    "[link](/u \"t\")", "![img](/i.png)", "<https://x.y>", "&amp;", "\\*", "\\$", "\\{$x}", "\\[@k]", "\\",
    "- item", "1. one", "- [x] task", "- [ ] open", "> quote", "> > deep", "    indented",
    "```py title='a' {1-3} diff\ncode\n```", "```\nunclosed", "~~~\nx\n~~~",
    "| a | b |\n|---|---|\n| 1 | 2 |", "| x |", "Term\n: desc", "x[^n]", "[^n]: note", "[r]: /url", "[r]",
    "$x^2$", "$$\nx\n$$", "$$ {#eq:a}\ny\n$$", "$", "$ a$", "{$user.name}", "{$1x}", "{$", "{@fig:a}", "{@}", "{@",
    "[@doe]", "[see @doe, p. 3; @roe]", "[@", "[x]", "[", "]", "(",
    "<Card title=\"t\">", "</Card>", "<Card>body</Card>", "<Badge />", "<Foo bar=baz>", "<A>", "</B>", "<A x={$v}/>",
    "<div>", "</div>", "<span>", "<!-- c -->", "***", "---", "\t", "  ", "\r\n",
]
SEPARATORS = ["", " ", "\n", "\n\n", "\n> ", "\n- ", "\n  ", "\n\n    "]

documents = st.lists(st.tuples(st.sampled_from(SEPARATORS), st.sampled_from(PIECES)), max_size=25).map(
    lambda parts: "".join(sep + piece for sep, piece in parts)
)


def nodes_with_parents(nodes, parent=None):
    for node in nodes:
        yield node, parent
        yield from nodes_with_parents(node.get("children", []), node)


def check_point(point, data, line_starts):
    offset = point["offset"]
    assert 0 <= offset <= len(data)
    line = bisect.bisect_right(line_starts, offset)
    assert point["line"] == line
    assert point["column"] == offset - line_starts[line - 1] + 1


def span(node):
    return node["position"]["start"]["offset"], node["position"]["end"]["offset"]


def check_positions(text):
    data = text.encode()
    line_starts = [0] + [i + 1 for i, byte in enumerate(data) if byte == 0x0A]
    tree = _vyn.parse(text)
    for node, parent in nodes_with_parents(tree["children"]):
        start, end = span(node)
        assert start <= end
        check_point(node["position"]["start"], data, line_starts)
        check_point(node["position"]["end"], data, line_starts)
        # A container spans its children; a component is the exception both
        # ways: it may collect a paragraph that began before its tag, and it
        # lands in the paragraph where it is closed.
        if parent is not None and "component" not in (parent["type"], node["type"]):
            parent_start, parent_end = span(parent)
            assert parent_start <= start and end <= parent_end, (node["type"], parent["type"])


@settings(max_examples=600, deadline=None, suppress_health_check=[HealthCheck.too_slow])
@given(text=documents)
def test_positions_are_ordered_and_inside_the_input(text):
    check_positions(text)


def test_positions_of_a_long_document_with_many_lines():
    # Offsets, lines and columns past the interpreter's small ints, many of
    # them equal modulo every power of two, all through one conversion.
    pieces = [sep + piece for sep in SEPARATORS for piece in PIECES]
    check_positions("".join(pieces * 3) + "\n" + "x" * 5000 + " *y*\n")


@pytest.mark.parametrize("text", [
    "x':\n :<v>\n\t:", "> <v>\n>\t:", "- <v>\n\t:", "x\n: <v>\n\t\t:", "[^n]: <v>\n\t:\n", "- <!--\n\t\tx -->",
])
def test_text_made_of_a_tab_inside_a_container_stays_inside_the_input(text):
    # The columns of a tab that a container prefix leaves come as text with an empty range.
    check_positions(text)


@settings(max_examples=200, deadline=None)
@given(text=st.text(alphabet=st.sampled_from(list("<>/ABab$[]{}@\\`*_-#:|!\n> \u00e9=\"'")), max_size=80))
def test_parse_never_raises_on_delimiter_soup(text):
    tree = _vyn.parse(text)
    assert tree["type"] == "root"
    data = text.encode()
    for node, _ in nodes_with_parents(tree["children"]):
        start, end = span(node)
        assert 0 <= start <= end <= len(data)
