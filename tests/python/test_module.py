"""The extension module itself: its definition, argument binding and
conversion with their exact messages, and the result of parse."""

import collections.abc
import gc
import inspect
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tomllib

import pytest

import vyn
from vyn import _vyn

NAMES = [
    "parse",
    "parse_with_defaults",
    "parse_with_transforms",
    "validate",
    "collect_text",
    "query_all",
    "version",
]

# Attributes every module object carries, whatever it defines.
MODULE_BASICS = {"__name__", "__doc__", "__loader__", "__spec__", "__package__", "__file__"}

PARSE_WITH_TRANSFORMS_DOC = (
    "Parse with a specific set of transforms.\n"
    "\n"
    'Supported transform names: ``"auto-slug"``, ``"toc"``, ``"github"``.\n'
    'Pass ``repo="owner/repo"`` for the github transform.\n'
    "A repository that GitHub could not hold (an owner over 39 characters, a name over 100, or characters GitHub "
    "does not allow) makes no links."
)

QUERY_ALL_DOC = (
    "Find all nodes of a given type. Returns a list of node dicts.\n"
    "\n"
    "A node found inside another one found is the same dict in both places: results may share sub-objects."
)


def test_module_holds_the_seven_functions_in_order_and_nothing_else():
    assert _vyn.__all__ == NAMES
    assert set(vars(_vyn)) - MODULE_BASICS == set(NAMES) | {"__all__"}
    assert _vyn.__doc__ == "VYN Python module."
    assert vyn.__all__ == NAMES
    assert all(getattr(vyn, name) is getattr(_vyn, name) for name in NAMES)
    for name in NAMES:
        function = getattr(_vyn, name)
        assert function.__name__ == name
        assert function.__module__ == _vyn.__name__


@pytest.mark.skipif(shutil.which("nm") is None, reason="needs nm from binutils")
def test_the_extension_exports_only_its_init_function():
    listed = subprocess.run(["nm", "-D", "--defined-only", _vyn.__file__], capture_output=True, text=True, check=True)
    symbols = [line.split()[-1] for line in listed.stdout.splitlines()]
    assert symbols == ["PyInit__vyn"]


@pytest.mark.parametrize(
    "name, signature, doc",
    [
        ("parse", "(input)", "Parse an VYN document and return the AST as a Python dict."),
        ("parse_with_defaults", "(input)", "Parse with default transforms (auto-slug + table of contents)."),
        ("parse_with_transforms", "(input, transforms, repo=None)", PARSE_WITH_TRANSFORMS_DOC),
        ("validate", "(ast, schema)", "Validate an AST dict against a schema dict.\nReturns a list of diagnostic dicts."),
        ("collect_text", "(ast)", "Extract plain text from an AST dict."),
        ("query_all", "(ast, node_type)", QUERY_ALL_DOC),
        ("version", "()", "Return the VYN parser version."),
    ],
)
def test_signatures_and_docstrings(name, signature, doc):
    function = getattr(_vyn, name)
    assert function.__text_signature__ == signature
    assert function.__doc__ == doc
    kinds = {p.kind for p in inspect.signature(function).parameters.values()}
    assert kinds <= {inspect.Parameter.POSITIONAL_OR_KEYWORD}


def test_version():
    first, second = _vyn.version(), _vyn.version()
    assert first == second == "0.1.2-beta.11"
    assert first is not second
    with pytest.raises(TypeError) as caught:
        _vyn.version(1)
    assert str(caught.value) == "vyn._vyn.version() takes no arguments (1 given)"


def test_the_package_version_is_read_from_the_one_place_it_is_written():
    root = pathlib.Path(__file__).resolve().parents[2]
    setting = tomllib.loads((root / "pyproject.toml").read_text())["tool"]["scikit-build"]["metadata"]["version"]
    found = re.search(setting["regex"], (root / setting["input"]).read_text(), re.MULTILINE)
    assert found and found["value"] == _vyn.version()


@pytest.mark.parametrize(
    "call, message",
    [
        (lambda: _vyn.parse(), "parse() missing 1 required positional argument: 'input'"),
        (lambda: _vyn.parse("a", "b"), "parse() takes 1 positional arguments but 2 were given"),
        (lambda: _vyn.parse(input="a", inputs="b"), "parse() got an unexpected keyword argument 'inputs'"),
        (lambda: _vyn.parse("a", input="b"), "parse() got multiple values for argument 'input'"),
        (lambda: _vyn.parse_with_defaults(text="a"), "parse_with_defaults() got an unexpected keyword argument 'text'"),
        (
            lambda: _vyn.parse_with_transforms("a"),
            "parse_with_transforms() missing 1 required positional argument: 'transforms'",
        ),
        (
            lambda: _vyn.parse_with_transforms(),
            "parse_with_transforms() missing 2 required positional arguments: 'input' and 'transforms'",
        ),
        (
            lambda: _vyn.parse_with_transforms(repo="o/r"),
            "parse_with_transforms() missing 2 required positional arguments: 'input' and 'transforms'",
        ),
        (
            lambda: _vyn.parse_with_transforms("a", [], None, 1),
            "parse_with_transforms() takes from 2 to 3 positional arguments but 4 were given",
        ),
        (
            lambda: _vyn.parse_with_transforms("a", [], repo=None, transforms=[]),
            "parse_with_transforms() got multiple values for argument 'transforms'",
        ),
        (lambda: _vyn.validate({}), "validate() missing 1 required positional argument: 'schema'"),
        (lambda: _vyn.validate(schema={}), "validate() missing 1 required positional argument: 'ast'"),
        (lambda: _vyn.validate({}, {}, {}), "validate() takes 2 positional arguments but 3 were given"),
        (lambda: _vyn.collect_text(), "collect_text() missing 1 required positional argument: 'ast'"),
        (lambda: _vyn.collect_text({}, {}), "collect_text() takes 1 positional arguments but 2 were given"),
        (lambda: _vyn.query_all({}), "query_all() missing 1 required positional argument: 'node_type'"),
        (lambda: _vyn.query_all({}, "text", ast={}), "query_all() got multiple values for argument 'ast'"),
        # Too many positional arguments are reported before a bad keyword.
        (lambda: _vyn.parse("a", "b", bad=1), "parse() takes 1 positional arguments but 2 were given"),
        # A bad keyword before a missing argument.
        (lambda: _vyn.query_all(bad=1), "query_all() got an unexpected keyword argument 'bad'"),
    ],
)
def test_binding_errors(call, message):
    with pytest.raises(TypeError) as caught:
        call()
    assert type(caught.value) is TypeError
    assert str(caught.value) == message


class Text(str):
    pass


class Names(tuple):
    pass


@pytest.mark.parametrize(
    "call, message",
    [
        (lambda: _vyn.parse(b"x"), "argument 'input': 'bytes' object is not an instance of 'str'"),
        (lambda: _vyn.parse(None), "argument 'input': 'None' is not an instance of 'str'"),
        (lambda: _vyn.parse(3), "argument 'input': 'int' object is not an instance of 'str'"),
        (lambda: _vyn.parse(["x"]), "argument 'input': 'list' object is not an instance of 'str'"),
        (lambda: _vyn.parse_with_defaults(input=1.5), "argument 'input': 'float' object is not an instance of 'str'"),
        (lambda: _vyn.parse_with_transforms("a", "toc"), "argument 'transforms': Can't extract `str` to `Vec`"),
        (lambda: _vyn.parse_with_transforms("a", Text("toc")), "argument 'transforms': Can't extract `str` to `Vec`"),
        (lambda: _vyn.parse_with_transforms("a", None), "argument 'transforms': 'None' is not an instance of 'Sequence'"),
        (lambda: _vyn.parse_with_transforms("a", 5), "argument 'transforms': 'int' object is not an instance of 'Sequence'"),
        (
            lambda: _vyn.parse_with_transforms("a", {"toc"}),
            "argument 'transforms': 'set' object is not an instance of 'Sequence'",
        ),
        (
            lambda: _vyn.parse_with_transforms("a", ["toc", 1]),
            "argument 'transforms': 'int' object is not an instance of 'str'",
        ),
        (lambda: _vyn.parse_with_transforms("a", [], 1), "argument 'repo': 'int' object is not an instance of 'str'"),
        (lambda: _vyn.parse_with_transforms("a", [], b"o/r"), "argument 'repo': 'bytes' object is not an instance of 'str'"),
        (lambda: _vyn.query_all({}, None), "argument 'node_type': 'None' is not an instance of 'str'"),
        # Arguments are converted in parameter order: the first bad one is reported.
        (lambda: _vyn.parse_with_transforms(None, "toc", 1), "argument 'input': 'None' is not an instance of 'str'"),
        (lambda: _vyn.parse_with_transforms("a", "toc", 1), "argument 'transforms': Can't extract `str` to `Vec`"),
    ],
)
def test_conversion_errors_name_the_argument(call, message):
    with pytest.raises(TypeError) as caught:
        call()
    assert type(caught.value) is TypeError
    assert str(caught.value) == message


@pytest.mark.parametrize(
    "call",
    [
        lambda: _vyn.parse("a\ud800b"),
        lambda: _vyn.parse(input="\udfff"),
        lambda: _vyn.parse_with_defaults("\ud800"),
        lambda: _vyn.parse_with_transforms("a", ["toc", "\ud800"]),
        lambda: _vyn.parse_with_transforms("a", [], "\ud800"),
        lambda: _vyn.query_all({}, "\ud800"),
    ],
)
def test_lone_surrogates_raise_the_interpreters_encode_error(call):
    with pytest.raises(UnicodeEncodeError) as caught:
        call()
    assert "surrogates not allowed" in str(caught.value)


class OwnTypeError(TypeError):
    pass


class Failing(collections.abc.Sequence):
    """A sequence whose iteration raises the exception it was made with."""

    def __init__(self, error):
        self.error = error

    def __getitem__(self, index):
        raise IndexError(index)

    def __len__(self):
        return 1

    def __iter__(self):
        raise self.error


@pytest.mark.parametrize(
    "error, raised, message",
    [
        # Whatever raises a TypeError during a conversion, the binding names the argument.
        (TypeError("no iteration"), TypeError, "argument 'transforms': no iteration"),
        (OwnTypeError("own"), OwnTypeError, "own"),
        (ValueError("no iteration"), ValueError, "no iteration"),
    ],
)
def test_only_a_plain_type_error_of_a_conversion_names_the_argument(error, raised, message):
    with pytest.raises(BaseException) as caught:
        _vyn.parse_with_transforms("a", Failing(error))
    assert type(caught.value) is raised
    assert str(caught.value) == message


FRESH_NAMES = """
import collections.abc
import gc
from vyn import _vyn

class Fresh(collections.abc.Sequence):
    # Every name is a new str, which only the conversion holds.
    def __len__(self):
        return 1
    def __getitem__(self, index):
        raise IndexError(index)
    def __iter__(self):
        yield "".join(["toc", "!" * 4000])

try:
    _vyn.parse_with_transforms("x", Fresh())
except ValueError as error:
    print(str(error) == 'unknown transform: "toc' + "!" * 4000 + '"')
"""


def test_transform_names_are_copied_before_their_str_is_released():
    # The debug allocator overwrites freed memory, so a name read after its
    # str was released would not compare equal.
    env = {**os.environ, "PYTHONMALLOC": "debug", "PYTHONPATH": os.pathsep.join(sys.path)}
    run = subprocess.run([sys.executable, "-c", FRESH_NAMES], env=env, capture_output=True, text=True, timeout=60)
    assert (run.returncode, run.stdout) == (0, "True\n"), run.stderr


def test_str_subclasses_and_sequences_are_accepted():
    assert _vyn.parse(Text("x")) == _vyn.parse("x")
    assert _vyn.parse_with_transforms(Text("x"), Names(), None) == _vyn.parse("x")
    assert _vyn.parse_with_transforms("x", [Text("toc")], repo=Text("o/r")) == _vyn.parse_with_transforms("x", ["toc"])


def test_keyword_and_positional_calls_agree():
    text = "---\ntitle: x\n---\n# Hello\n"
    assert _vyn.parse(input=text) == _vyn.parse(text)
    assert _vyn.parse_with_transforms(text, ["toc"], None) == _vyn.parse_with_transforms(
        repo=None, transforms=["toc"], input=text
    )


def test_parse_of_the_empty_text():
    tree = _vyn.parse("")
    assert list(tree) == ["children", "frontmatter", "position", "type"]
    origin = {"column": 1, "line": 1, "offset": 0}
    assert tree == {"children": [], "frontmatter": None, "position": {"end": origin, "start": origin}, "type": "root"}
    assert list(tree["position"]) == ["end", "start"]
    assert list(tree["position"]["start"]) == ["column", "line", "offset"]


def _sorted_everywhere(value):
    if isinstance(value, dict):
        keys = [key.encode() for key in value]
        return keys == sorted(keys) and all(_sorted_everywhere(v) for v in value.values())
    if isinstance(value, list):
        return all(_sorted_everywhere(v) for v in value)
    return True


def test_every_dict_has_byte_wise_sorted_keys():
    text = "---\nb: 1\nB: 2\na: {z: 1, Z: 2, é: 3, e: 4}\n---\n# Title\n\n<Note kind=\"x\">\nbody\n</Note>\n"
    tree = _vyn.parse(text)
    assert _sorted_everywhere(tree)
    assert list(tree["frontmatter"]) == ["B", "a", "b"]
    assert list(tree["frontmatter"]["a"]) == ["Z", "e", "z", "é"]


@pytest.mark.parametrize("enabled", [True, False])
def test_the_collectors_state_is_as_the_caller_left_it(enabled):
    tree = {"children": [], "frontmatter": None, "position": P, "type": "root"}
    calls = [
        lambda: _vyn.parse("# a\n\n- b *c*\n"),
        lambda: _vyn.parse_with_transforms("# a\n", ["toc"]),
        lambda: _vyn.query_all(tree, "text"),
        lambda: _vyn.validate(tree, {"components": {}}),
        lambda: _vyn.query_all({"type": "root"}, "text"),  # fails
    ]
    was = gc.isenabled()
    try:
        gc.enable() if enabled else gc.disable()
        for call in calls:
            try:
                call()
            except ValueError:
                pass
            assert gc.isenabled() == enabled
    finally:
        gc.enable() if was else gc.disable()


def test_huge_inputs_parse():
    body = "word " * 20_000_000
    tree = _vyn.parse(body)
    assert tree["position"]["end"]["offset"] == len(body)
    yaml = "---\nkey: " + "x" * 100_000_000 + "\n---\nafter\n"
    tree = _vyn.parse(yaml)
    assert tree["frontmatter"] is None
    assert tree["position"]["end"]["offset"] == len(yaml)


# The dictionary form written by the Python sink, through round trips of
# hand-built trees: query_all reads a tree and writes back the nodes found.

P = {"end": {"column": 5, "line": 4, "offset": 6}, "start": {"column": 2, "line": 1, "offset": 3}}
X = {"type": "ident", "value": "x"}
TEXT = {"position": P, "type": "text", "value": "t"}

BLOCK_KINDS = [
    "paragraph", "heading", "list", "list_item", "blockquote", "thematic_break", "html", "table", "table_row",
    "table_cell", "emphasis", "strong", "strikethrough", "definition_list", "definition_term",
    "definition_description",
]  # fmt: skip

NODES = [{"children": [TEXT], "position": P, "type": kind} for kind in BLOCK_KINDS] + [
    TEXT,
    {"checked": False, "children": [], "depth": 2, "id": "", "ordered": True, "position": P, "type": "heading"},
    {"lang": "py", "position": P, "type": "code_inline", "value": "x"},
    {"position": P, "type": "code_block", "value": ""},
    {
        "caption": "c", "diff": True, "highlight": [1, 3], "lang": "", "meta": "m", "position": P,
        "showLineNumbers": False, "title": "t", "type": "code_block", "value": "v",
    },  # fmt: skip
    {"children": [TEXT], "position": P, "title": "", "type": "link", "url": "u"},
    {"alt": "a", "children": [], "position": P, "title": "t", "type": "image", "url": "u"},
    {"children": [TEXT], "label": "1", "position": P, "type": "footnote_definition"},
    {"children": [TEXT], "label": "1", "position": P, "type": "footnote_reference"},
    {"position": P, "raw": "x", "tree": X, "type": "math_inline"},
    {"label": "eq", "position": P, "raw": "x", "tree": X, "type": "math_display"},
    {"keys": [{"id": "a"}, {"id": "b", "locator": "p. 1", "prefix": "see"}], "position": P, "type": "citation"},
    {"position": P, "target": "fig", "type": "cross_ref"},
    {"attributes": [], "children": [], "isInline": False, "name": "C", "position": P, "type": "component"},
    {
        "attributes": [
            {"name": "n", "position": P, "value": 3},
            {"name": "f", "position": P, "value": -2.5},
            {"name": "o", "position": P, "value": {"B": [None, True, -3, "s"], "a": {}}},
            {"name": "v", "position": P, "value": {"path": "a.b", "position": P}},
        ],
        "children": [TEXT], "isInline": True, "name": "C", "position": P, "rawContent": "r", "type": "component",
    },  # fmt: skip
    {"path": "a.b", "position": P, "type": "variable"},
    {"message": "m", "position": P, "rawContent": "", "type": "error"},
]


MATH = [
    X,
    {"type": "number", "value": "1"},
    {"kind": "relation", "symbol": "=", "type": "operator"},
    {"type": "text", "value": "if"},
    {"children": [X, X], "type": "row"},
    {"body": [X], "close": "none", "open": "angle", "type": "fenced"},
    {"base": X, "script": X, "type": "superscript"},
    {"base": X, "script": X, "type": "subscript"},
    {"base": X, "sub": X, "sup": X, "type": "subsuperscript"},
    {"denominator": X, "numerator": X, "style": "display", "type": "frac"},
    {"body": X, "index": None, "type": "sqrt"},
    {"body": X, "index": X, "type": "sqrt"},
    {"body": X, "type": "overline"},
    {"body": X, "type": "underline"},
    {"annotation": None, "body": X, "type": "overbrace"},
    {"annotation": X, "body": X, "type": "underbrace"},
    {"base": X, "over": X, "type": "overset"},
    {"base": X, "type": "underset", "under": X},
    {"body": X, "kind": "wide_tilde", "type": "accent"},
    {"limits": "no_limits", "lower": X, "op": {"kind": "large", "symbol": "∑"}, "type": "big_operator", "upper": None},
    {"delimiters": "double_pipe", "rows": [[X, X], []], "type": "matrix"},
    {"rows": [{"condition": None, "expr": X}, {"condition": X, "expr": X}], "type": "cases"},
    {"columns": ["left", "center", "right"], "rows": [[X]], "type": "array"},
    {"numbered": True, "rows": [{"cells": [X]}, {"cells": [], "label": "l"}], "type": "align"},
    {"numbered": False, "rows": [X], "type": "gather"},
    {"custom": "1em", "type": "space"},
    {"body": X, "type": "phantom"},
    {"body": X, "type": "h_phantom"},
    {"body": X, "type": "v_phantom"},
    {"body": X, "mode": "bottom", "type": "smash"},
    {"body": X, "style": "script_script", "type": "style_override"},
    {"body": X, "font": "bold_italic", "type": "font_override"},
    {"body": X, "color": "red", "type": "color"},
    {"type": "chem", "value": "H2O"},
    {"message": "m", "raw": "\\x", "type": "error"},
]

ENUMS = [
    ("operator", "kind", ["binary", "relation", "prefix", "postfix", "large", "punctuation"], {"symbol": "+"}),
    ("fenced", "open", ["paren", "bracket", "brace", "angle", "pipe", "double_pipe", "floor", "ceil", "none"],
     {"body": [], "close": "none"}),
    ("matrix", "delimiters", ["plain", "paren", "bracket", "brace", "pipe", "double_pipe"], {"rows": []}),
    ("frac", "style", ["display", "text", "auto"], {"denominator": X, "numerator": X}),
    ("style_override", "style", ["display", "text", "script", "script_script"], {"body": X}),
    ("font_override", "font", ["roman", "bold", "italic", "bold_italic", "sans_serif", "monospace", "blackboard",
                               "calligraphic", "fraktur", "script"], {"body": X}),
    ("accent", "kind", ["hat", "tilde", "vec", "dot", "ddot", "bar", "acute", "grave", "breve", "check", "wide_hat",
                        "wide_tilde"], {"body": X}),
    ("big_operator", "limits", ["display_limits", "limits", "no_limits"],
     {"lower": None, "op": {"kind": "large", "symbol": "∫"}, "upper": None}),
    ("smash", "mode", ["top", "bottom", "both"], {"body": X}),
]  # fmt: skip
SPACES = [{name: None, "type": "space"} for name in ["thin", "medium", "thick", "quad", "q_quad", "neg_thin"]]
ENUM_MATH = [{key: value, "type": kind} | rest for kind, key, values, rest in ENUMS for value in values] + SPACES


def root_of(*children):
    return {"children": list(children), "frontmatter": None, "position": P, "type": "root"}


def exact_and_sorted(value, expected):
    """Equal, with the same number types, and every dict's keys in byte-wise order."""
    if isinstance(expected, dict):
        keys = [key.encode() for key in value]
        return (
            keys == sorted(keys)
            and value.keys() == expected.keys()
            and all(exact_and_sorted(value[key], expected[key]) for key in expected)
        )
    if isinstance(expected, list):
        return len(value) == len(expected) and all(map(exact_and_sorted, value, expected))
    return type(value) is type(expected) and value == expected


@pytest.mark.parametrize("node", NODES, ids=lambda node: node["type"])
def test_every_node_kind_is_written_back_as_read(node):
    found = _vyn.query_all(root_of(node), node["type"])
    assert exact_and_sorted(found[0], node)


def test_numbers_repeated_in_one_conversion_keep_their_values():
    # Equal low bits, equal values, small and large, in one written tree.
    numbers = [300, 1324, 300, 2348, 1324, 7, 2**32 - 1, 2**32 - 1 - 1024, 2**32 - 1]
    block = {"highlight": numbers, "position": P, "type": "code_block", "value": ""}
    assert _vyn.query_all(root_of(block), "code_block")[0]["highlight"] == numbers


@pytest.mark.parametrize("tree", MATH + ENUM_MATH, ids=lambda tree: tree["type"])
def test_every_math_kind_and_enumeration_value_is_written_back_as_read(tree):
    node = {"position": P, "raw": "", "tree": tree, "type": "math_display"}
    assert exact_and_sorted(_vyn.query_all(root_of(node), "math_display")[0], node)


def test_the_hand_built_trees_cover_every_kind():
    assert {node["type"] for node in NODES} == set(BLOCK_KINDS) | {
        "text", "code_inline", "code_block", "link", "image", "footnote_definition", "footnote_reference",
        "math_inline", "math_display", "citation", "cross_ref", "component", "variable", "error",
    }  # fmt: skip
    assert len({tree["type"] for tree in MATH}) == 34

