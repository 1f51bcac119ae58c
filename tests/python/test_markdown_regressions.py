"""Inputs on which our Markdown events once parted from pulldown-cmark 0.12.2's, with the
reference's events recorded beside them (tests/testdata/markdown-regressions.json, written by
`tools/compare-markdown-events.py --record`), so they run without pyromark too. Where
pulldown-cmark loses input, ours may keep it: a container it ends at 0, blocks it drops."""

import json
import sys
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))

from markdown_oracle import differences, drops_blocks_only, ends_at_zero_only, ours, reference, tool_path  # noqa: E402

pytestmark = pytest.mark.skipif(not tool_path().exists(), reason="markdown-events is not built")

CASES = json.loads((ROOT / "tests" / "testdata" / "markdown-regressions.json").read_text())


def test_regressions_match_the_recorded_events():
    documents = [case["markdown"] for case in CASES]
    lines = []
    for case, mine in zip(CASES, ours(documents)):
        theirs = case["events"]
        if not ends_at_zero_only(mine, theirs) and not drops_blocks_only(mine, theirs):
            lines += differences(case["markdown"], mine, theirs)
    assert not lines, "\n".join(lines[:60])


def test_recorded_events_are_the_oracle_s():
    pytest.importorskip("pyromark")
    stale = [case["markdown"] for case in CASES if reference(case["markdown"]) != case["events"]]
    assert not stale, stale
