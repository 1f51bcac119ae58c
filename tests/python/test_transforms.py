"""parse_with_defaults and parse_with_transforms through the module."""

import pathlib

import pytest

from vyn import _vyn

HERE = pathlib.Path(__file__).parent
EXAMPLES = sorted([*(HERE.parents[1] / "examples").glob("*.vyn"), *(HERE / "documents").glob("*.vyn")])


@pytest.mark.parametrize("path", EXAMPLES, ids=lambda p: p.name)
def test_empty_transform_list_parses_only(path):
    text = path.read_text(encoding="utf-8")
    assert _vyn.parse_with_transforms(text, []) == _vyn.parse(text)
    assert _vyn.parse_with_transforms(text, ()) == _vyn.parse(text)


def test_unknown_name_is_rejected_before_parsing():
    with pytest.raises(ValueError) as caught:
        _vyn.parse_with_transforms("# Title\n", ["auto-slug", "Toc"])
    assert str(caught.value) == 'unknown transform: "Toc"'


@pytest.mark.parametrize(
    "name, message",
    [
        ("toc ", 'unknown transform: "toc "'),
        ("table-of-contents", 'unknown transform: "table-of-contents"'),
        ('say "hi"\\', 'unknown transform: "say "hi"\\"'),
        ("", 'unknown transform: ""'),
    ],
)
def test_unknown_names_are_quoted_verbatim(name, message):
    with pytest.raises(ValueError) as caught:
        _vyn.parse_with_transforms("", [name])
    assert str(caught.value) == message


@pytest.mark.parametrize(
    "call, message",
    [
        (lambda: _vyn.parse_with_transforms("x", "toc"), "argument 'transforms': Can't extract `str` to `Vec`"),
        (lambda: _vyn.parse_with_transforms("x"), "parse_with_transforms() missing 1 required positional argument: 'transforms'"),
        (lambda: _vyn.parse_with_transforms("x", ["toc"], 3), "argument 'repo': "),
        (lambda: _vyn.parse_with_transforms("x", ["toc", 1]), "argument 'transforms': "),
        (lambda: _vyn.parse_with_defaults(None), "argument 'input': "),
    ],
)
def test_argument_problems_are_type_errors(call, message):
    with pytest.raises(TypeError) as caught:
        call()
    assert str(caught.value).startswith(message)


def test_defaults_and_names_accept_keywords():
    text = "plain text\n"
    assert _vyn.parse_with_defaults(input=text) == _vyn.parse_with_defaults(text)
    assert _vyn.parse_with_transforms(input=text, transforms=["github"], repo="a/b") == _vyn.parse_with_transforms(
        text, ["github"], "a/b"
    )
