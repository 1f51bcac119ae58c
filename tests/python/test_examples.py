"""The example documents parse to the trees checked in beside this suite
(fixtures/<name>.json, each read against the format before it was kept)."""

import json
import pathlib

import pytest

from vyn import _vyn

ROOT = pathlib.Path(__file__).resolve().parents[2]
FIXTURES = pathlib.Path(__file__).resolve().parent / "fixtures"
EXAMPLES = sorted(path.stem for path in (ROOT / "examples").glob("*.vyn"))


def test_every_example_has_a_tree():
    assert EXAMPLES == sorted(path.stem for path in FIXTURES.glob("*.json"))


@pytest.mark.parametrize("name", EXAMPLES)
def test_example_parses_to_its_tree(name):
    text = (ROOT / "examples" / (name + ".vyn")).read_text(encoding="utf-8")
    expected = json.loads((FIXTURES / (name + ".json")).read_text(encoding="utf-8"))
    assert _vyn.parse(text) == expected
