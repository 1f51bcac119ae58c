"""Inline syntax in Markdown text through parse: escapes, variables,
cross-references, inline math and citations, each in a paragraph of its own."""

import pytest

from shapes import parsed
from vyn import _vyn


def para(inner, end):
    return "paragraph({})@0-{}".format(inner, end)


CASES = [
    ("plain", para("'plain'@0-5", 5)),
    ("a $x^2$ b", para("'a '@0-2 math_inline{raw='x^2'}@2-7 ' b'@7-9", 9)),
    ("$ x$", para("'$ x$'@0-4", 4)),
    ("$x $", para("'$x $'@0-4", 4)),
    ("a $$", para("'a $$'@0-4", 4)),
    ("$x", para("'$x'@0-2", 2)),
    ("a $$x$", para("'a $'@0-3 math_inline{raw='x'}@3-6", 6)),
    ("costs $5 and $10", para("'costs $5 and $10'@0-16", 16)),
    ("$5 and 10$", para("math_inline{raw='5 and 10'}@0-10", 10)),
    # Each line is a text of its own; only a run re-read for a citation or
    # cross-reference is read across line breaks.
    ("$a\nb$", para("'$a'@0-2 '\\n'@2-3 'b$'@3-5", 5)),
    ("$a\nb$ [@k]", para("math_inline{raw='a\\nb'}@0-5 ' '@5-6 citation{keys=[{'id': 'k'}]}@6-10", 10)),
    ("{$user.name}", para("variable{path='user.name'}@0-12", 12)),
    ("{$1x}", para("error{message='Invalid variable path: 1x',rawContent='{$1x}'}@0-5", 5)),
    ("{$a$}", para("error{message='Invalid variable path: a$',rawContent='{$a$}'}@0-5", 5)),
    ("{$x", para("'{$x'@0-3", 3)),
    ("{{$x}}", para("'{'@0-1 variable{path='x'}@1-5 '}'@5-6", 6)),
    ("{@fig:intro}", para("cross_ref{target='fig:intro'}@0-12", 12)),
    ("{@}", para("error{message='Invalid cross-reference target: ',rawContent='{@}'}@0-3", 3)),
    ("{@a b}", para("error{message='Invalid cross-reference target: a b',rawContent='{@a b}'}@0-6", 6)),
    ("{@1a}", para("error{message='Invalid cross-reference target: 1a',rawContent='{@1a}'}@0-5", 5)),
    ("[@doe2020]", para("citation{keys=[{'id': 'doe2020'}]}@0-10", 10)),
    ("[see @doe2020, p. 12; @roe]",
     para("citation{keys=[{'id': 'doe2020', 'locator': 'p. 12', 'prefix': 'see'}, {'id': 'roe'}]}@0-27", 27)),
    ("[@doe2020,]", para("citation{keys=[{'id': 'doe2020'}]}@0-11", 11)),
    ("[@a; b]", para("citation{keys=[{'id': 'a'}]}@0-7", 7)),
    ("[@]", para("citation{keys=[]}@0-3", 3)),
    ("[note @x here]", para("citation{keys=[{'id': 'x here', 'prefix': 'note'}]}@0-14", 14)),
    ("[x]", para("'['@0-1 'x'@1-2 ']'@2-3", 3)),
    ("[@x\ny]", para("'[@x\\ny]'@0-6", 6)),
    # "[@x](y)" is a link for the Markdown library before the inline syntax sees it.
    ("[@x](y)", para("link{url='y'}('@x'@1-3)@0-7", 7)),
    ("\\$", para("'$'@0-2", 2)),
    ("\\\\", para("'\\\\'@0-2", 2)),
    ("\\[@x]", para("'[@'@0-3 'x]'@3-5", 5)),
    ("\\[x @y]", para("'\\\\'@0-1 citation{keys=[{'id': 'y', 'prefix': 'x'}]}@1-7", 7)),
    ("\\{$x}", para("'{$x}'@0-5", 5)),
    ("\\{{", para("'{{'@0-3", 3)),
    ("\\}}", para("'}}'@0-3", 3)),
    ("a \\{", para("'a '@0-2 '{'@2-4", 4)),
    ("\\}", para("'\\\\}'@0-2", 2)),
    ("a\\", para("'a\\\\'@0-2", 2)),
    ("a\\$b", para("'a'@0-1 '$'@1-3 'b'@3-4", 4)),
    ("x \\{@y}", para("'x '@0-2 '{@'@2-5 'y}'@5-7", 7)),
    # The library ends a text at an escaped "$"; the backslash before the next
    # text makes it an escape of its own, so no formula closes there.
    ("$a\\$b$", para("'$a'@0-2 '$'@2-4 'b$'@4-6", 6)),
]


@pytest.mark.parametrize("text, expected", CASES)
def test_inline_syntax(text, expected):
    assert parsed(text) == expected


def test_inline_math_carries_its_formula_tree():
    [paragraph] = _vyn.parse("a $x^2$ b")["children"]
    math = paragraph["children"][1]
    assert math["tree"]["type"] != "error"
    assert sorted(math) == ["position", "raw", "tree", "type"]


def test_positions_count_from_the_whole_input():
    [heading, paragraph] = _vyn.parse("# T\n\nsee {$v} end")["children"]
    assert paragraph["children"][1]["position"] == {
        "end": {"column": 9, "line": 3, "offset": 13},
        "start": {"column": 5, "line": 3, "offset": 9},
    }
