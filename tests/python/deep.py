"""Deep inputs for every module function: for each shape of nesting, the
deepest input that the bounds allow and the one a level past it. Shared by
the depth tests (test_depth.py) and the stack benchmark (bench/stack_use.py).

A case runs one module function on its shape at a given level; `deepest` is
the last level without the bound's `sign` (an error node or expression
message, an exception text, or a dropped frontmatter), which the next level
must show.
"""

from dataclasses import dataclass
from typing import Callable

from trees import Pairs, attribute, block, component, pos, root, text
from vyn import _vyn

NODE_DEPTH = 256  # levels of document nodes
MATH_DEPTH = 200  # levels of math atoms
JSON_DEPTH = 2048  # levels of arrays and objects read from Python
YAML_DEPTH = 2000  # levels of YAML collections in the frontmatter
JSON_TEXT_DEPTH = 127  # levels of arrays and objects in an attribute's JSON text

NODES_TOO_DEEP = f"Nesting too deep: more than {NODE_DEPTH} levels"
COMPONENTS_TOO_DEEP = f"Component nesting deeper than {NODE_DEPTH - 1} levels"
MATH_TOO_DEEP = f"nesting deeper than {MATH_DEPTH} levels"
VALUE_TOO_DEEP = f"ValueError: value nested more than {JSON_DEPTH} levels deep"
FRONTMATTER_DROPPED = "frontmatter: null"
JSON_TEXT_REJECTED = "Malformed JSON in attribute"


@dataclass
class Case:
    name: str
    run: Callable[[int], object]
    deepest: int
    sign: str


def outcome(run, level):
    """What running at `level` gave: the messages of the error nodes and
    expressions in the result, the exception's text, and whether a root's
    frontmatter is null."""
    try:
        result = run(level)
    except ValueError as error:
        return {f"ValueError: {error}"}
    found, pending = set(), [result]
    while pending:
        value = pending.pop()
        if isinstance(value, dict):
            if value.get("type") == "root" and value.get("frontmatter") is None:
                found.add(FRONTMATTER_DROPPED)
            if isinstance(value.get("message"), str):
                found.add(value["message"])
            pending.extend(value.values())
        elif isinstance(value, list):
            pending.extend(value)
    return found


def shows(found, sign):
    return any(message.startswith(sign) for message in found)


# --- documents ------------------------------------------------------------------

PARSERS = {
    "parse": _vyn.parse,
    "parse_with_defaults": _vyn.parse_with_defaults,
    "auto-slug": lambda text: _vyn.parse_with_transforms(text, ["auto-slug"]),
    "toc": lambda text: _vyn.parse_with_transforms(text, ["toc"]),
    "github": lambda text: _vyn.parse_with_transforms(text, ["github"], "octo/repo"),
}

# Every transform finds work at the deepest level: a placeholder for the table
# of contents at the top, and a heading with GitHub references at the bottom.
PLACEHOLDER = "<TableOfContents />\n\n"
HEADING = "## Intro #12 @octocat"


def nested_components(n):
    return PLACEHOLDER + "<A>\n" * n + HEADING + "\n" + "</A>\n" * n


def empty_components(n):
    return PLACEHOLDER + "<A>\n" * n + "</A>\n" * n


def block_quotes(n):
    return PLACEHOLDER + "> " * n + HEADING


def lists(n):  # a list and its item per level
    return PLACEHOLDER + "- " * n + HEADING


def emphasis(n):
    return PLACEHOLDER + "## " + "*a " * n + "x #12" + " a*" * n


def inline_components(n):
    return PLACEHOLDER + "## " + "<B>" * n + "x #12" + "</B>" * n


def frontmatter(n):  # a mapping, then sequences
    return "---\na: " + "[" * (n - 1) + "]" * (n - 1) + "\n---\n" + HEADING


def attribute_json(n):
    return '<A value={{' + "[" * n + "]" * n + '}} />'


# Each document shape with the bound that stops it. The innermost level holds
# a heading and its text, two node levels, and the placeholder sits at the top.
DOCUMENTS = [
    ("nested components", nested_components, NODE_DEPTH - 2, NODES_TOO_DEEP),
    ("empty components", empty_components, NODE_DEPTH - 1, COMPONENTS_TOO_DEEP),
    ("block quotes", block_quotes, NODE_DEPTH - 2, NODES_TOO_DEEP),
    ("lists", lists, (NODE_DEPTH - 2) // 2, NODES_TOO_DEEP),
    ("emphasis", emphasis, NODE_DEPTH - 2, NODES_TOO_DEEP),
    ("inline components", inline_components, NODE_DEPTH - 2, NODES_TOO_DEEP),
    ("frontmatter", frontmatter, YAML_DEPTH, FRONTMATTER_DROPPED),
    ("attribute JSON", attribute_json, JSON_TEXT_DEPTH, JSON_TEXT_REJECTED),
]

# --- formulas ---------------------------------------------------------------------

# Each formula shape at n levels of math atoms, the innermost "x" included.
FORMULAS = [
    ("groups", lambda n: "{" * (n - 1) + "x" + "}" * (n - 1)),
    ("scripts", lambda n: "x^{" * (n - 1) + "x" + "}" * (n - 1)),
    ("fractions", lambda n: r"\frac{" * (n - 1) + "x" + "}{y}" * (n - 1)),
    ("environments in cells", lambda n: r"\begin{matrix}a&" * (n - 1) + "x" + r"\end{matrix}" * (n - 1)),
    ("aligns under scripts", lambda n: r"\begin{align}a&" * (n - 1) + "x" + r"\end{align}^x" * (n - 1)),
]


# The deepest formula of a shape in the deepest place a formula can stand:
# display math in components, inline math in block quotes, each as deep as
# the node bound allows.
def display_in_components(formula):
    return "<A>\n" * (NODE_DEPTH - 1) + "$$\n" + formula + "\n$$\n" + "</A>\n" * (NODE_DEPTH - 1)


def inline_in_quotes(formula):
    return "> " * (NODE_DEPTH - 2) + "$" + formula + "$"


# --- trees read back ------------------------------------------------------------

SCHEMA = {"components": {"A": {"props": {"value": {"type": "array"}}}}}


def wrapped(inner, levels, wrap):
    for _ in range(levels):
        inner = wrap(inner)
    return inner


def quote_tree(n):  # a node and its children list per level
    return root([wrapped(text("x"), n, lambda inner: block("blockquote", [inner]))])


def component_tree(n):
    return root([wrapped(text("x"), n, lambda inner: component("A", children=[inner]))])


def math_tree(n, wrap):
    tree = wrapped({"type": "ident", "value": "x"}, n, wrap)
    return root([{"position": pos(), "raw": "x", "tree": tree, "type": "math_display"}])


def root_tree(n):  # one level per atom
    return math_tree(n, lambda body: {"body": body, "index": None, "type": "sqrt"})


def row_tree(n):  # an atom and its children list per level
    return math_tree(n, lambda child: {"children": [child], "type": "row"})


def matrix_tree(n):  # an atom, its rows and a row per level
    return math_tree(n, lambda cell: {"delimiters": "plain", "rows": [[cell]], "type": "matrix"})


def nested_lists(n):
    return wrapped([], n - 1, lambda inner: [inner])


def attribute_tree(n):
    return root([component("A", [attribute("value", nested_lists(n))])])


def frontmatter_tree(n):
    return root([text("x")], frontmatter=wrapped({}, n - 1, lambda inner: {"a": inner}))


def mapping_tree(n):  # mappings that are not dicts, read through the abstract protocols
    return Pairs(children=[], frontmatter=wrapped(Pairs(), n - 1, lambda inner: Pairs(a=inner)), position=pos(),
                 type="root")


READERS = {
    "validate": lambda tree: _vyn.validate(tree, SCHEMA),
    "collect_text": _vyn.collect_text,
    "query_all": lambda tree: _vyn.query_all(tree, "blockquote") + _vyn.query_all(tree, "component")
    + _vyn.query_all(tree, "math_display"),
}

# Each tree shape with its levels outside the repeated part: the root and its
# children list, a node's own position and point, a math node's object.
TREES = [
    ("tree of block quotes", quote_tree, (JSON_DEPTH - 5) // 2),
    ("tree of components", component_tree, (JSON_DEPTH - 5) // 2),
    ("math tree of roots", root_tree, JSON_DEPTH - 4),
    ("math tree of rows", row_tree, (JSON_DEPTH - 3) // 2),
    ("math tree of matrices", matrix_tree, (JSON_DEPTH - 3) // 3),
    ("attribute value", attribute_tree, JSON_DEPTH - 5),
    ("frontmatter value", frontmatter_tree, JSON_DEPTH - 1),
    ("mappings", mapping_tree, JSON_DEPTH - 1),
]


def schema_with_default(n):
    return {"components": {"A": {"props": {"value": {"default": nested_lists(n), "type": "array"}}}}}


# --- all cases --------------------------------------------------------------------


def _cases():
    for shape, build, deepest, sign in DOCUMENTS:
        for function, parse in PARSERS.items():
            yield Case(f"{function} of {shape}", lambda n, build=build, parse=parse: parse(build(n)), deepest, sign)
    for shape, formula in FORMULAS:
        for place, document in (("display math in components", display_in_components),
                                ("inline math in block quotes", inline_in_quotes)):
            yield Case(f"parse of {shape} in {place}",
                       lambda n, formula=formula, document=document: _vyn.parse(document(formula(n))),
                       MATH_DEPTH, MATH_TOO_DEEP)
    deepest_formula = FORMULAS[-1][1]
    for function, parse in PARSERS.items():
        yield Case(f"{function} of the deepest formula in components",
                   lambda n, parse=parse: parse(display_in_components(deepest_formula(n))), MATH_DEPTH, MATH_TOO_DEEP)
    for shape, build, deepest in TREES:
        for function, read in READERS.items():
            yield Case(f"{function} of {shape}", lambda n, build=build, read=read: read(build(n)), deepest,
                       VALUE_TOO_DEEP)
    yield Case("validate of a schema with a deep default", lambda n: _vyn.validate(root([]), schema_with_default(n)),
               JSON_DEPTH - 5, VALUE_TOO_DEEP)
    yield Case("collect_text of nested lists", lambda n: _vyn.collect_text(nested_lists(n)), JSON_DEPTH,
               VALUE_TOO_DEEP)


CASES = list(_cases())
BY_NAME = {case.name: case for case in CASES}
