"""Markdown runs through parse: containers and their payloads, text in its
source form, and components written inside Markdown."""

import pytest

from shapes import parsed
from vyn import _vyn

CONTAINERS = [
    ("  \n\t\n", ""),
    ("- a\n- b", "list{ordered=False}(list_item('a'@2-3)@0-4 list_item('b'@6-7)@4-7)@0-7"),
    ("7. x\n8. y", "list{ordered=True}(list_item('x'@3-4)@0-5 list_item('y'@8-9)@5-9)@0-9"),
    ("- [x] done\n- [ ] open\n- [X] *em*",
     "list{ordered=False}(list_item{checked=True}('done'@6-10)@0-11 list_item{checked=False}('open'@17-21)@11-22 "
     "list_item{checked=True}(emphasis('em'@29-31)@28-32)@22-32)@0-32"),
    # In a loose list the marker comes inside the paragraph: it is ignored.
    ("- [x] loose\n\n- [ ] two",
     "list{ordered=False}(list_item(paragraph('loose'@6-11)@6-12)@0-13 list_item(paragraph('two'@19-22)@19-22)@13-22)@0-22"),
    ("| a | b |\n|---|---|\n| 1 | 2 |",
     "table(table_row(table_cell('a'@2-3)@1-4 table_cell('b'@6-7)@5-8)@0-10 "
     "table_row(table_cell('1'@22-23)@21-24 table_cell('2'@26-27)@25-28)@20-29)@0-29"),
    ('[l](/u "") [m](/v "t") ![alt *x*](/i.png "ti")',
     "paragraph(link{url='/u'}('l'@1-2)@0-10 ' '@10-11 link{title='t',url='/v'}('m'@12-13)@11-22 ' '@22-23 "
     "image{title='ti',url='/i.png'}('alt '@25-29 emphasis('x'@30-31)@29-32)@23-46)@0-46"),
    ("a  \nb\\\nc\nd", "paragraph('a'@0-1 '\\n'@1-4 'b'@4-5 '\\n'@5-7 'c'@7-8 '\\n'@8-9 'd'@9-10)@0-10"),
    ("&amp; x &copy;", "paragraph('&amp;'@0-5 ' x '@5-8 '&copy;'@8-14)@0-14"),
    ("a `$x$` b", "paragraph('a '@0-2 code_inline{value='$x$'}@2-7 ' b'@7-9)@0-9"),
    ("# H1 **b**\n\nSet\n===\n", "heading{depth=1}('H1 '@2-5 strong('b'@7-8)@5-10)@0-11 heading{depth=1}('Set'@12-15)@12-20"),
    ("a ~~b~~\n\n***", "paragraph('a '@0-2 strikethrough('b'@4-5)@2-7)@0-8 thematic_break()@9-12"),
    ("x[^n]\n\n[^n]: note",
     "paragraph('x'@0-1 footnote_reference{label='n'}()@1-5)@0-6 footnote_definition{label='n'}(paragraph('note'@13-17)@13-17)@7-17"),
    ("Term\n: desc",
     "definition_list(definition_term('Term'@0-4)@0-5 definition_description('desc'@7-11)@5-11)@0-11"),
    ("> quote\n> more", "blockquote(paragraph('quote'@2-7 '\\n'@7-8 'more'@10-14)@2-14)@0-14"),
    ("<div>\nx\n</div>", "html('<div>\\n'@0-6 'x\\n'@6-8 '</div>'@8-14)@0-14"),
    ("a <div> b </span>", "paragraph('a '@0-2 html('<div>'@2-7)@2-7 ' b '@7-10 html('</span>'@10-17)@10-17)@0-17"),
]


# Hostile white space and raw HTML: the Markdown events decide these trees.
WHITE_SPACE_AND_RAW_HTML = [
    # A vertical tab ends a setext underline as a space would.
    ("a\n---\x0b\nX", "heading{depth=2}('a'@0-1)@0-7 paragraph('X'@7-8)@7-8"),
    # A tab after a closing fence makes the line code; a last line of spaces is none.
    ("```\n```\t\nx", "code_block{value='```\\t\\nx'}@0-10"),
    ("```\nx\n  ", "code_block{value='x\\n'}@0-8"),
    # An unquoted attribute value runs over a tab: no tag, so no component (a space makes one).
    ("x <A z={1}\tk={$x}/>",
     "paragraph('x '@0-2 '<'@2-3 'A z={1}\\tk='@3-13 variable{path='x'}@13-17 '/>'@17-19)@0-19"),
    # CDATA ends at its first `]>`.
    ("a<![CDATA[x]>y]]>",
     "paragraph('a'@0-1 html('<![CDATA[x]>'@1-13)@1-13 'y'@13-14 ']'@14-15 ']'@15-16 '>'@16-17)@0-17"),
    # Only an unescaped pipe makes a header row; an escaped backslash at its end is no break.
    ("\\|\n-|", "paragraph('\\\\|'@0-2 '\\n'@2-3 '-|'@3-5)@0-5"),
    ("a|b\\\\\n-|-\n",
     "table(table_row(table_cell('a'@0-1)@0-1 table_cell('b'@2-3 '\\\\'@3-5)@2-5)@0-6)@0-10"),
    # In a tight item a tag reads on over the next line, a quote marker closing it.
    ("- a <T\n  >",
     "error{message='Unclosed tag <T>',rawContent='<T>'}@4-7 list_item('a '@2-4)@0-10 list{ordered=False}()@0-10"),
    # A comment across quote lines keeps their markers.
    ("> a <!--\n> -->", "blockquote(paragraph('a '@2-4 html('<!--\\n> -->'@4-14)@4-14)@2-14)@0-14"),
    # A definition list nested in a definition and closed with it: the quote comes after both.
    ("a\n:t\n :\n >",
     "definition_list(definition_term('a'@0-1)@0-2 definition_description(definition_list(definition_term('t'@3-4)@3-5 "
     "definition_description()@6-8)@3-8)@2-3)@0-10 blockquote()@9-10"),
    # A link label running into a nested list's line turns that list into text.
    ("- [][\n  * ]", "list{ordered=False}(list_item('['@2-3 ']'@3-4 '['@4-5 '* ]'@8-11)@0-11)@0-11"),
]


@pytest.mark.parametrize("text, expected", CONTAINERS + WHITE_SPACE_AND_RAW_HTML)
def test_containers_and_their_payloads(text, expected):
    assert parsed(text) == expected


COMPONENTS = [
    ("see <Badge />", "paragraph('see '@0-4 component{attributes=[],isInline=True,name='Badge'}()@4-13)@0-13"),
    ("text <Badge>new</Badge> more",
     "paragraph('text '@0-5 component{attributes=[],isInline=False,name='Badge',rawContent='new'}('new'@12-15)@5-23 "
     "' more'@23-28)@0-28"),
    ("> <div>\n> <Note>x</Note>\n> </div>",
     "blockquote(html('<div>\\n'@2-8 component{attributes=[],isInline=False,name='Note',rawContent='x'}('x'@16-17)@10-24 "
     "'</div>'@27-33)@2-33)@0-33"),
    # Tags inside a component complete within one HTML text are not looked for.
    ("> <div>\n> <A><B/></A>\n> </div>",
     "blockquote(html('<div>\\n'@2-8 component{attributes=[],isInline=False,name='A',rawContent='<B/>'}('<B/>'@13-17)@10-21 "
     "'</div>'@24-30)@2-30)@0-30"),
    # After a self-closing tag in an HTML block the rest of its line is skipped.
    ("> <div>\n> <A/> <B/>\n> </div>",
     "blockquote(html('<div>\\n'@2-8 component{attributes=[],isInline=False,name='A'}()@10-19 '</div>'@22-28)@2-28)@0-28"),
    ("x <A/> <B/>",
     "paragraph('x '@0-2 component{attributes=[],isInline=True,name='A'}()@2-6 ' '@6-7 "
     "component{attributes=[],isInline=True,name='B'}()@7-11)@0-11"),
    ("a </Foo> b",
     "paragraph('a '@0-2 error{message='Unexpected closing tag </Foo>',rawContent='</Foo>'}@2-8 ' b'@8-10)@0-10"),
    ("x <A> y\n\nz </B> w",
     "paragraph(error{message='Misnested tags: expected </A>, found </B>',rawContent='</B>'}@11-15 ' w'@15-17)@9-17"),
    ("x <A> y <B> z",
     "error{message='Unclosed tag <B>',rawContent='<B>'}@8-11 ' z'@11-13 paragraph('x '@0-2)@0-13 "
     "error{message='Unclosed tag <A>',rawContent='<A>'}@2-5 ' y '@5-8"),
    # The paragraph that ends while A is open goes into A; A lands in the
    # paragraph where it is closed.
    ("a <A> b\n\nc </A> d",
     "paragraph(component{attributes=[],isInline=False,name='A',rawContent=' b\\n\\nc '}(' b'@5-7 paragraph('a '@0-2)@0-8 "
     "'c '@9-11)@2-15 ' d'@15-17)@9-17"),
    ("x <Foo bar=baz> y",
     "paragraph('x '@0-2 error{message=\"Invalid attribute value after '=' for 'bar'\",rawContent='bar=baz>'}@7-15 "
     "' y'@15-17)@0-17"),
    ("<div>\n\u00e9 <A/>\n</div>",
     "html('<div>\\n'@0-6 component{attributes=[],isInline=False,name='A'}()@9-13 '</div>'@14-20)@0-20"),
    ("<div>\n\u00e9 <x>\n</div>", "html('<div>\\n'@0-6 '\u00e9 <x>\\n'@6-13 '</div>'@13-19)@0-19"),
    ("> <A>\n> x\n> </A>",
     "blockquote(html('x\\n'@8-10 component{attributes=[],isInline=False,name='A',rawContent='\\n> x\\n> '}()@2-16)@2-16)@0-16"),
    # With an outer component open, what closes an inner one lands in the outer one.
    ("x <O> <A> y </A> z </O>",
     "paragraph('x '@0-2 component{attributes=[],isInline=False,name='O',rawContent=' <A> y </A> z '}(' '@5-6 "
     "component{attributes=[],isInline=False,name='A',rawContent=' y '}(' y '@9-12)@6-16 ' z '@16-19)@2-23)@0-23"),
    ("x <O> <A> y </B> z </O>",
     "paragraph('x '@0-2 component{attributes=[],isInline=False,name='O',rawContent=' <A> y </B> z '}(' '@5-6 "
     "error{message='Misnested tags: expected </A>, found </B>',rawContent='</B>'}@12-16 ' z '@16-19)@2-23)@0-23"),
    # A tag error inside an HTML block line runs to the end of that line's text.
    ("<div>\nx <Foo bar=baz> y\n</div>",
     "html('<div>\\n'@0-6 error{message=\"Invalid attribute value after '=' for 'bar'\",rawContent='bar=baz> y\\n'}@13-24 "
     "'</div>'@24-30)@0-30"),
    # Runs on either side of a block component are separate: A can't reach past it.
    ("a <A>\n\n<B/>\n\n</A>",
     "error{message='Unclosed tag <A>',rawContent='<A>'}@2-5 paragraph('a '@0-2)@0-6 "
     "component{attributes=[],isInline=False,name='B'}()@7-11 "
     "error{message='Unexpected closing tag </A>',rawContent='</A>'}@13-17"),
]


@pytest.mark.parametrize("text, expected", COMPONENTS)
def test_components_in_markdown(text, expected):
    assert parsed(text) == expected


def located(nodes):
    """Every node, attribute and variable value below `nodes` with a label: its
    kind and name, or an error's raw content, or a text's value."""
    for node in nodes:
        kind = node["type"]
        label = node.get("name", node.get("rawContent", node.get("value", ""))) if kind != "component" else node["name"]
        yield kind + ":" + label, node["position"]
        for attribute in node.get("attributes", []):
            yield "attribute:" + attribute["name"], attribute["position"]
            if isinstance(attribute["value"], dict) and "path" in attribute["value"]:
                yield "variable:" + attribute["value"]["path"], attribute["value"]["position"]
        yield from located(node.get("children", []))


# Tags that span lines inside containers: the library's text lacks the prefixes
# of the lines after the first, yet every position points at the source bytes.
# Each case names what to find and the source it must cover.
PREFIXED_TAGS = [
    ('> a <B\n> x="1"/>', {"attribute:x": 'x="1"', "component:B": '<B\n> x="1"/>'}),
    ("- a <B\n  x='1'\n  y={$v.w}/>", {"attribute:x": "x='1'", "attribute:y": "y={$v.w}", "variable:v.w": "{$v.w}"}),
    ("[^1]: a <B\n    x={2}/>\n\n[^1]", {"attribute:x": "x={2}"}),
    ('> - \u00e9 <B\n>   x="\u00e9"\n>   y/>', {"attribute:x": 'x="\u00e9"', "attribute:y": "y"}),
    ('- > a <B x="\u00e9"\n  > y:z>', {"error:<B x=\"\u00e9\"\ny:z>": '<B x="\u00e9"\n  > y:z>'}),
    (">a <B\n>\t\tx/>", {"attribute:x": "x"}),
    ("1. a <B\n\t x/>", {"attribute:x": "x"}),
    ("> a <B\r> x/>", {"attribute:x": "x", "component:B": "<B\r> x/>"}),
    ("> a <B\r\n> x/>", {"attribute:x": "x"}),
    # The component's source runs from the end of its open tag.
    ("> > a <A\n> >x='\u00e9'>b</A>\n", {"attribute:x": "x='\u00e9'", "component:A": "<A\n> >x='\u00e9'>b</A>"}),
    # Errors span lines: the raw content is the library's text, the position the source.
    ('> a <B\n> x="1" y=1\n> z>', {"error:y=1\nz>": "y=1\n> z>"}),
    ("> a <B\n> x={oops}>", {"error:x={oops}>": "x={oops}>"}),
    # A component complete within one text, its inner text across lines.
    ('> a <x t="<B>1\n> 2</B>">', {"component:B": "<B>1\n> 2</B>", "text:1\n2": "1\n> 2"}),
]


@pytest.mark.parametrize("text, expected", PREFIXED_TAGS)
def test_positions_through_container_prefixes(text, expected):
    data = text.encode()
    found = {}
    for label, position in located(_vyn.parse(text)["children"]):
        found.setdefault(label, data[position["start"]["offset"] : position["end"]["offset"]].decode())
    assert {label: found.get(label) for label in expected} == expected


@pytest.mark.parametrize(
    "text, raw_content",
    [
        ("> > a <A\n> >x='\u00e9'>b</A>\n", "b"),
        ("- a <A\n  x='1'>b\n  c </A>", "b\n  c "),
        ("> a <A\n> x='1'>b *c*\n> d </A>", "b *c*\n> d "),
    ],
)
def test_component_source_through_container_prefixes(text, raw_content):
    [component] = [node for node, _ in walk(_vyn.parse(text)["children"]) if node["type"] == "component"]
    assert component["rawContent"] == raw_content


def test_positions_carry_lines_and_columns():
    tree = _vyn.parse("# T\n\n- a *b*\n")
    emphasis = tree["children"][1]["children"][0]["children"][1]
    assert emphasis["position"] == {
        "end": {"column": 8, "line": 3, "offset": 12},
        "start": {"column": 5, "line": 3, "offset": 9},
    }


def walk(nodes, depth=1):
    for node in nodes:
        yield node, depth
        yield from walk(node.get("children", []), depth + 1)


@pytest.mark.parametrize(
    "text, joined",
    [
        ("> " * 100000 + "x", "x"),
        ("*" * 32500 + "x" + "*" * 32500, "x"),
        ("*a **a " * 20000 + "b" + " a** a*" * 20000, "a " * 40000 + "b" + " a" * 40000),
        ("<X>" * 50000 + "a" + "</X>" * 50000, "a"),
    ],
    ids=["quotes", "emphasis", "strong emphasis", "components"],
)
def test_deep_nesting_is_flattened_below_the_bound(text, joined):
    nodes = list(walk(_vyn.parse(text)["children"]))
    assert max(depth for _, depth in nodes) <= 256
    assert "".join(node["value"] for node, _ in nodes if node["type"] == "text") == joined
    assert [node["message"] for node, _ in nodes if node["type"] == "error"] == ["Nesting too deep: more than 256 levels"]
