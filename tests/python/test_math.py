"""Formulas through the module: math trees inside parsed documents, their key
order, deep nesting on a small thread stack, and random formulas."""

import threading

from hypothesis import given, settings
from hypothesis import strategies as st

from vyn import _vyn

MATH_KINDS = {
    "ident", "number", "operator", "text", "row", "fenced", "superscript", "subscript", "subsuperscript",
    "frac", "sqrt", "overline", "underline", "overbrace", "underbrace", "overset", "underset", "accent",
    "big_operator", "matrix", "cases", "array", "align", "gather", "space", "phantom", "h_phantom",
    "v_phantom", "smash", "style_override", "font_override", "color", "chem", "error",
}

# One formula that makes every kind the parser builds.
EVERY_KIND = (
    r"x 1 + \text{t} {ab} \left( y \right) a^2 a_2 a_1^2 \frac{1}{2} \sqrt[3]{x} \overline{x} \underline{x} "
    r"\overbrace{x} \underbrace{x} \overset{a}{b} \underset{a}{b} \hat{x} \sum_0^1 "
    r"\begin{pmatrix} a \end{pmatrix} \begin{cases} a & b \end{cases} \begin{array}{l} a \end{array} "
    r"\begin{align} a \label{e} \end{align} \begin{gather} a \end{gather} \, \phantom{x} \hphantom{x} "
    r"\vphantom{x} \smash[t]{x} \displaystyle{x} \mathbf{x} \color{red}{x} \ce{H2O} \foo"
)


def display_tree(formula):
    document = _vyn.parse("$$\n" + formula + "\n$$\n")
    (node,) = document["children"]
    assert node["type"] == "math_display"
    return node["tree"]


def dicts(value):
    if isinstance(value, dict):
        yield value
        for element in value.values():
            yield from dicts(element)
    elif isinstance(value, list):
        for element in value:
            yield from dicts(element)


def test_inline_and_display_math_carry_their_trees():
    (paragraph,) = _vyn.parse("$x^2$")["children"]
    assert paragraph["children"][0]["tree"] == {
        "base": {"type": "ident", "value": "x"},
        "script": {"type": "number", "value": "2"},
        "type": "superscript",
    }
    assert display_tree(r"\sqrt{x}") == {"body": {"type": "ident", "value": "x"}, "index": None, "type": "sqrt"}


def test_every_kind_comes_out_with_sorted_keys():
    tree = display_tree(EVERY_KIND)
    found = set()
    for expression in dicts(tree):
        assert list(expression) == sorted(expression)
        if "type" in expression:
            found.add(expression["type"])
    assert found == MATH_KINDS


def test_deep_formulas_parse_on_a_one_megabyte_thread_stack():
    formulas = [
        "{" * 100_000 + "}" * 100_000,
        "x^{" * 100_000,
        r"\frac{" * 50_000,
        r"\sqrt[" * 50_000,
        r"\begin{matrix}" * 10_000 + r"\end{matrix}" * 10_000,
    ]
    results = []

    def run():
        results.extend(display_tree(formula) for formula in formulas)

    previous = threading.stack_size(1 << 20)
    try:
        thread = threading.Thread(target=run)
        thread.start()
        thread.join()
    finally:
        threading.stack_size(previous)
    assert len(results) == len(formulas)
    assert "nesting deeper than 200 levels" in repr(results[0])




def test_the_deepest_trees_the_parser_makes_read_back():
    # Aligns nested as deep as the bound allows, each under a script, take the
    # most levels per atom; components and containers add theirs above.
    formula = (r"\begin{align} a " * 300 + r"\end{align}^x " * 300).strip()
    documents = [
        "<A>\n" * 254 + "$$\n" + formula + "\n$$\n" + "</A>\n" * 254,
        "<A>\n" * 253 + "- $" + formula + "$\n" + "</A>\n" * 253,
        "> " * 253 + "- $" + formula + "$\n",
    ]
    for document in documents:
        tree = _vyn.parse(document)
        (math,) = _vyn.query_all(tree, "math_display") + _vyn.query_all(tree, "math_inline")
        pending, messages = [math["tree"]], set()
        while pending:
            value = pending.pop()
            if isinstance(value, dict):
                messages.add(value.get("message"))
                pending.extend(value.values())
            elif isinstance(value, list):
                pending.extend(value)
        assert "nesting deeper than 200 levels" in messages

PIECES = [
    "{", "}", "^", "_", "&", "\\\\", r"\left", r"\right", "(", ")", "|", ".", "[", "]", " ", "\\", "x", "1", "é",
    r"\begin{matrix}", r"\end{matrix}", r"\begin{cases}", r"\begin{align}", r"\end{align}", r"\label{", r"\begin{",
    r"\begin{foo}", r"\end{foo}", r"\sqrt", r"\frac", r"\text{", r"\smash[", r"\sum", r"\color{", r"\alpha", r"\foo",
]


@settings(max_examples=300, deadline=None)
@given(st.lists(st.sampled_from(PIECES), max_size=30).map("".join))
def test_random_formulas_give_math_trees(formula):
    for expression in dicts(display_tree(formula)):
        if "type" in expression:
            assert expression["type"] in MATH_KINDS
