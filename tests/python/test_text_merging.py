"""Text that the Markdown library splits into several events is re-read as a
whole when it may hold a citation or a cross-reference; inline code takes a
language written in braces right after it."""

import pytest

from shapes import parsed

MERGING = [
    ("see [@doe2020] now", "paragraph('see '@0-4 citation{keys=[{'id': 'doe2020'}]}@4-14 ' now'@14-18)@0-18"),
    ("a [b] c", "paragraph('a '@0-2 '['@2-3 'b'@3-4 ']'@4-5 ' c'@5-7)@0-7"),
    ("[see @doe, p. 3]", "paragraph(citation{keys=[{'id': 'doe', 'locator': 'p. 3', 'prefix': 'see'}]}@0-16)@0-16"),
    ("[x@y](oops", "paragraph('['@0-1 'x@y'@1-4 ']'@4-5 '(oops'@5-10)@0-10"),
    # Re-read from the source, prefixes of the block quote's lines included.
    ("> see [@doe,\n> p. 3] end", "blockquote(paragraph('see [@doe,\\n> p. 3] end'@2-24)@2-24)@0-24"),
    ("- item [@k]", "list{ordered=False}(list_item('item '@2-7 citation{keys=[{'id': 'k'}]}@7-11)@0-11)@0-11"),
    ("| h |\n|---|\n| [@k] |",
     "table(table_row(table_cell('h'@2-3)@1-4)@0-6 table_row(table_cell(citation{keys=[{'id': 'k'}]}@14-18)@13-19)@12-20)@0-20"),
    ("Term [@k]\n: Desc [@k]",
     "definition_list(definition_term('Term '@0-5 '['@5-6 '@k'@6-8 ']'@8-9)@0-10 "
     "definition_description('Desc '@12-17 '['@17-18 '@k'@18-20 ']'@20-21)@10-21)@0-21"),
    ("x[^1]\n\n[^1]: Note [@k]",
     "paragraph('x'@0-1 footnote_reference{label='1'}()@1-5)@0-6 "
     "footnote_definition{label='1'}(paragraph('Note '@13-18 '['@18-19 '@k'@19-21 ']'@21-22)@13-22)@7-22"),
    ("a <A>[x] [@k</A> b",
     "paragraph('a '@0-2 component{attributes=[],isInline=False,name='A',rawContent='[x] [@k'}"
     "('['@5-6 'x'@6-7 ']'@7-8 ' '@8-9 '['@9-10 '@k'@10-12)@2-16 ' b'@16-18)@0-18"),
]


@pytest.mark.parametrize("text, expected", MERGING)
def test_text_runs_are_re_read_in_visited_containers(text, expected):
    assert parsed(text) == expected


HINTS = [
    ("`x`{yaml}", "paragraph(code_inline{lang='yaml',value='x'}@0-3)@0-9"),
    ("`x`{yaml} is fast", "paragraph(code_inline{lang='yaml',value='x'}@0-3 ' is fast'@3-17)@0-17"),
    ("`x` {yaml}", "paragraph(code_inline{value='x'}@0-3 ' {yaml}'@3-10)@0-10"),
    ("`x`{1yaml}", "paragraph(code_inline{value='x'}@0-3 '{1yaml}'@3-10)@0-10"),
    ("`x`{}", "paragraph(code_inline{value='x'}@0-3 '{}'@3-5)@0-5"),
    ("`x`{ya ml}", "paragraph(code_inline{value='x'}@0-3 '{ya ml}'@3-10)@0-10"),
    ("`x`{x.y}", "paragraph(code_inline{value='x'}@0-3 '{x.y}'@3-8)@0-8"),
    ("*a `b`{py}*", "paragraph(emphasis('a '@1-3 code_inline{lang='py',value='b'}@3-6)@0-11)@0-11"),
    ("Term `x`{py}\n: d",
     "definition_list(definition_term('Term '@0-5 code_inline{value='x'}@5-8 '{py}'@8-12)@0-13 "
     "definition_description('d'@15-16)@13-16)@0-16"),
]


@pytest.mark.parametrize("text, expected", HINTS)
def test_inline_code_language_hints(text, expected):
    assert parsed(text) == expected
