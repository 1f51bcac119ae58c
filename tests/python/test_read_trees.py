"""Reading tree dictionaries back, through the read-tree test tool.

The tool reads each tree with the same reader that validate, collect_text and
query_all use, and answers with the tree written again or the error text.
"""

import json
import os
import pathlib
import subprocess

import pytest
from hypothesis import HealthCheck, given, settings
from hypothesis import strategies as st

from vyn import _vyn

ROOT = pathlib.Path(__file__).parents[2]
TOOL = pathlib.Path(os.environ.get("VYN_BUILD_DIR", ROOT / "build")) / "tools" / "read-tree"
POSITION = {"start": {"line": 1, "column": 1, "offset": 0}, "end": {"line": 1, "column": 2, "offset": 1}}
TOO_DEEP = "recursion limit exceeded: more than 2048 levels of nested arrays and objects"


TESTDATA = ROOT / "tests" / "testdata"


DOCUMENTS = [
    "---\ntitle: T\nn: [1, -2, 2.5]\n---\n# Heading {#id}\n\nText with *em*, **strong**, ~~gone~~ and `code`.\n",
    "- [x] done\n- [ ] open\n\n1. one\n2. two\n\n> quote\n\n---\n\n| a | b |\n|---|:-:|\n| 1 | 2 |\n",
    "Term\n: Definition\n\nA note[^1] and [a link](https://x.org \"t\") ![alt](i.png)\n\n[^1]: The note.\n",
    "Inline $x^2 + \\frac{a}{b}$ and {$user.name} [@knuth, p. 3] {@fig:1}.\n\n$$\n\\sum_{i=0}^n i\n$$\n",
    '<Card title="T" count={3} ratio={2.5} on data={{"k": [1]}} who={user.name}>\nBody *text*\n</Card>\n',
    "<Note/>\n\n<Broken\n\n```rust title=\"main.rs\" {1,3}\nfn main() {}\n```\n",
]


class ReadTree:
    def __init__(self):
        if not TOOL.exists():
            pytest.fail(f"{TOOL} is not built (cmake -DVYN_TESTS=ON)")
        self.process = subprocess.Popen(
            [TOOL], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, encoding="utf-8"
        )

    def text(self, line):
        self.process.stdin.write(line + "\n")
        self.process.stdin.flush()
        answer = self.process.stdout.readline()
        assert answer, f"read-tree stopped with {self.process.poll()}"
        return json.loads(answer)

    def __call__(self, tree):
        return self.text(json.dumps(tree, allow_nan=False))

    def close(self):
        self.process.stdin.close()
        assert self.process.wait(timeout=30) == 0


@pytest.fixture(scope="module")
def read():
    reader = ReadTree()
    yield reader
    reader.close()


def parsed_documents():
    texts = list(DOCUMENTS) + [p.read_text(encoding="utf-8") for p in sorted((ROOT / "examples").glob("*.vyn"))]
    data = TESTDATA
    texts += [case["markdown"] for case in json.loads((data / "commonmark-0.31.2.json").read_text("utf-8"))]
    for path in sorted((data / "extensions").glob("*.json")):
        texts += [case["markdown"] for case in json.loads(path.read_text("utf-8"))]
    return texts


def test_parsed_documents_read_back_to_the_same_dictionary(read):
    for text in parsed_documents():
        tree = _vyn.parse(text)
        assert read(tree) == {"tree": tree}, text


def node(kind, **fields):
    return {"type": kind, "position": POSITION, **fields}


def ident(name):
    return {"type": "ident", "value": name}


# A tree with most kinds in it, whatever the parser produces today.
HAND_BUILT = {
    "type": "root",
    "frontmatter": {"title": "T", "tags": ["a", 1, -1, 2.5, None, True]},
    "position": POSITION,
    "children": [
        node("heading", depth=2, id="intro", children=[node("text", value="Intro")]),
        node(
            "paragraph",
            children=[
                node("emphasis", children=[node("code_inline", value="x", lang="py")]),
                node("math_inline", raw="a/b", tree={
                    "type": "frac", "numerator": ident("a"), "denominator": ident("b"), "style": "auto"}),
                node("citation", keys=[{"id": "knuth", "prefix": "see", "locator": "p. 3"}]),
                node("cross_ref", target="fig:1"),
                node("variable", path="user.name"),
            ],
        ),
        node("math_display", raw="...", label="eq:1", tree={"type": "row", "children": [
            {"type": "space", "custom": "1em"},
            {"type": "big_operator", "op": {"kind": "large", "symbol": "∑"}, "limits": "display_limits",
             "lower": ident("i"), "upper": None},
            {"type": "cases", "rows": [{"expr": ident("x"), "condition": None}]},
            {"type": "align", "numbered": True, "rows": [{"cells": [ident("y")], "label": "l"}]},
        ]}),
        node("component", name="Card", isInline=False, rawContent="<Card/>", children=[], attributes=[
            {"name": "n", "value": 3, "position": POSITION},
            {"name": "v", "value": {"path": "a.b", "position": POSITION}, "position": POSITION},
        ]),
        node("list", ordered=True, children=[node("list_item", checked=False, children=[])]),
        node("code_block", value="fn main() {}", lang="rust", highlight=[1, 3], showLineNumbers=True),
        node("footnote_definition", label="1", children=[]),
        node("error", message="Unclosed component", rawContent="<Broken"),
    ],
}


def test_hand_built_tree_reads_back_to_the_same_dictionary(read):
    assert read(HAND_BUILT) == {"tree": HAND_BUILT}


def test_first_problem_is_the_one_message(read):
    tree = json.loads(json.dumps(HAND_BUILT))
    tree["children"][0]["depth"] = 2.0
    tree["children"][1]["children"] = {}
    assert read(tree) == {"error": "invalid type: floating point `2.0`, expected u8"}
    tree["type"] = "document"
    assert read(tree) == {"error": "invalid type: floating point `2.0`, expected u8"}
    del tree["children"]
    assert read(tree) == {"error": "unknown variant `document`, expected `root`"}


def test_very_deep_trees_end_with_the_nesting_error(read):
    position = json.dumps(POSITION)
    depth = 200_000
    node = '{"type":"emphasis","position":%s,"children":[' % position
    text = '{"type":"text","value":"x","position":%s}' % position
    line = '{"type":"root","position":%s,"children":[%s%s%s]}' % (position, node * depth, text, "]}" * depth)
    assert read.text(line) == {"error": TOO_DEEP}


json_scalars = (
    st.none()
    | st.booleans()
    | st.integers(min_value=-(2**63), max_value=2**64 - 1)
    | st.floats(allow_nan=False, allow_infinity=False)
    | st.text(alphabet=st.characters(blacklist_categories=("Cs",)), max_size=8)
    | st.sampled_from(["root", "text", "paragraph", "ident", "thin", "auto", "type", "children", "position"])
)
json_values = st.recursive(
    json_scalars,
    lambda inner: st.lists(inner, max_size=4) | st.dictionaries(st.text(max_size=6), inner, max_size=4),
    max_leaves=12,
)


def containers(value, path=()):
    """Every (path, value) of a tree in which the value is a list or a dict."""
    found = [(path, value)]
    children = value.items() if isinstance(value, dict) else enumerate(value)
    for key, child in children:
        if isinstance(child, (dict, list)):
            found += containers(child, path + (key,))
    return found


def as_array(value):
    """A record or tagged object in its array form: the tag first, then the other values."""
    if not isinstance(value, dict):
        return value
    rest = [v for k, v in sorted(value.items()) if k != "type"]
    return ([value["type"]] if "type" in value else []) + rest


@st.composite
def mutated_trees(draw):
    base = draw(st.sampled_from([HAND_BUILT] + DOCUMENTS))
    tree = json.loads(json.dumps(base if isinstance(base, dict) else _vyn.parse(base)))
    for _ in range(draw(st.integers(min_value=1, max_value=3))):
        spots = containers(tree)
        path, container = draw(st.sampled_from(spots))
        keys = list(container.keys()) if isinstance(container, dict) else list(range(len(container)))
        action = draw(st.sampled_from(["replace", "delete", "add", "array", "tag"]))
        if action == "add" or not keys:
            if isinstance(container, dict):
                container[draw(st.text(max_size=6))] = draw(json_values)
            else:
                container.append(draw(json_values))
            continue
        key = draw(st.sampled_from(keys))
        if action == "replace":
            container[key] = draw(json_values)
        elif action == "delete":
            del container[key]
        elif action == "array":
            container[key] = as_array(container[key])
        else:
            container[key] = draw(st.integers(min_value=-2, max_value=40) | st.sampled_from(["text", "row", "x"]))
    return tree


def module_error(tree):
    """The message with which the module's reading of `tree` fails, or None."""
    try:
        _vyn.collect_text(tree)
    except ValueError as error:
        return str(error)
    return None


@settings(max_examples=300, deadline=None, suppress_health_check=[HealthCheck.too_slow])
@given(tree=mutated_trees())
def test_mutated_trees_read_or_fail_with_one_message(read, tree):
    answer = read(tree)
    assert module_error(tree) == answer.get("error")
    if "error" in answer:
        assert list(answer) == ["error"]
        assert answer["error"] and "\n" not in answer["error"]
    else:
        assert read(answer["tree"]) == answer
