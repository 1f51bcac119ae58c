"""A realistic schema over the example documents: every finding, in order."""

import pathlib

import pytest

from vyn import _vyn

ROOT = pathlib.Path(__file__).parents[2]

SCHEMA = {
    "components": {
        "Tabs": {"props": {}, "allowed_children": ["Tab"], "description": "A group of tabs"},
        "Tab": {"props": {"title": {"type": "string", "required": True}}},
        "Figure": {
            "props": {
                "src": {"type": "string", "required": True},
                "alt": {"type": "string", "required": True},
                "width": {"type": "number", "default": 480},
                "caption": {"type": "string"},
            },
            "self_closing": True,
        },
        "Callout": {
            "props": {
                "type": {"type": "enum", "values": ["note", "tip", "warning"], "required": True},
                "dismissible": {"type": "boolean"},
            }
        },
        "Note": {"props": {"type": {"type": "enum", "values": ["tip", "info"]}, "dismissible": {"type": "boolean"}}},
        "Image": {"props": {"src": {"type": "string", "required": True}}, "self_closing": True},
    },
    "strict": True,
    "global_props": [["id", {"type": "string"}], ["meta", {"type": "object"}]],
}


def finding(line, column, component, message, severity="error"):
    return {"column": column, "component": component, "line": line, "message": message, "severity": severity}


EXPECTED = {
    "examples/docs.vyn": [
        finding(11, 25, "Callout", "unknown prop `title` on <Callout>", "warning"),
        finding(58, 27, "Badge", "unknown component <Badge>"),
        finding(59, 23, "Link", "unknown component <Link>"),
    ],
    "examples/guide.vyn": [],
    "examples/paper.vyn": [],
    "examples/readme.vyn": [finding(6, 13, "Badge", "unknown component <Badge>")],
    "tests/python/documents/components.vyn": [
        finding(8, 1, "Tab", "missing required prop `title`"),
        finding(11, 1, "Card", "<Card> is not allowed as a child here"),
        finding(11, 1, "Card", "unknown component <Card>"),
        finding(16, 1, "Figure", "missing required prop `alt`"),
        finding(18, 1, "Figure", "missing required prop `alt`"),
        finding(18, 9, "Figure", "prop `width` on <Figure> expects number, got string"),
        finding(18, 22, "Figure", "prop `src` on <Figure> expects string, got array"),
        finding(20, 10, "Callout", 'prop `type` on <Callout> must be one of [note, tip, warning], got "danger"'),
        finding(24, 22, "Callout", "unknown prop `level` on <Callout>", "warning"),
        finding(28, 10, "Callout", "prop `type` on <Callout> expects string (enum), got object"),
        finding(28, 28, "Callout", "prop `dismissible` on <Callout> expects boolean, got string"),
        finding(32, 1, "Unknown", "unknown component <Unknown>"),
        finding(34, 1, "Image", "<Image> must be self-closing (no children)"),
        finding(35, 1, "Caption", "unknown component <Caption>"),
    ],
}


def test_every_example_document_is_covered():
    assert {str(p.relative_to(ROOT)) for p in (ROOT / "examples").glob("*.vyn")} <= set(EXPECTED)


@pytest.mark.parametrize("name", sorted(EXPECTED))
def test_findings_over_a_document(name):
    tree = _vyn.parse((ROOT / name).read_text(encoding="utf-8"))
    assert _vyn.validate(tree, SCHEMA) == EXPECTED[name]


@pytest.mark.parametrize("name", sorted(EXPECTED))
def test_a_lenient_schema_reports_only_what_it_knows(name):
    lenient = {**SCHEMA, "strict": False}
    tree = _vyn.parse((ROOT / name).read_text(encoding="utf-8"))
    expected = [d for d in EXPECTED[name] if not d["message"].startswith("unknown component")]
    assert _vyn.validate(tree, lenient) == expected
