"""tools/compare-markdown-events.py as a user runs it: differences listed, a closing count."""

import json
import subprocess
import sys
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))

from markdown_oracle import drops_blocks_only, ends_at_zero_only, tool_path  # noqa: E402

pytestmark = pytest.mark.skipif(not tool_path().exists(), reason="markdown-events is not built")


def test_compare_script_reports_identical_cases(tmp_path):
    pytest.importorskip("pyromark")
    cases = tmp_path / "cases.json"
    cases.write_text(json.dumps([{"markdown": "# a\n"}, {"markdown": "- [x] *b* [c](/d)\n"}, {"markdown": ""}]))
    result = subprocess.run(
        [sys.executable, str(ROOT / "tools" / "compare-markdown-events.py"), str(cases)],
        capture_output=True, text=True, check=True,
    )
    assert result.stdout.splitlines()[-1] == "identical 3/3"


def test_compare_script_counts_the_kept_shapes_and_panics_apart(tmp_path):
    pytest.importorskip("pyromark")
    cases = tmp_path / "cases.json"
    # The last case makes pulldown-cmark 0.12.2 panic.
    cases.write_text(json.dumps([{"markdown": "> a\n> : b\n"}, {"markdown": "a\n"}, {"markdown": "[^1]:]\r\t:\n|"}]))
    result = subprocess.run(
        [sys.executable, str(ROOT / "tools" / "compare-markdown-events.py"), str(cases)],
        capture_output=True, text=True, check=True,
    )
    assert result.stdout.splitlines() == [
        "pulldown-cmark panics 1/3", "kept to the input where pulldown-cmark is not 1/3", "identical 1/3"]


QUOTE, ITEM, TEXT = ["Start(BlockQuote(None))", 0, 9], ["Start(Item)", 2, 9], ['Text("a")', 4, 5]


@pytest.mark.parametrize("mine, theirs, zero_end, dropped", [
    ([QUOTE, TEXT], [QUOTE[:2] + [0], TEXT], True, False),
    ([QUOTE, TEXT], [["Start(BlockQuote(None))", 1, 0], TEXT], False, False),  # a start differs too
    ([QUOTE, TEXT], [QUOTE[:2] + [3], TEXT], False, False),  # an end other than 0
    ([QUOTE, ITEM, TEXT], [QUOTE, TEXT], False, True),
    ([QUOTE, TEXT], [QUOTE, ITEM, TEXT], False, False),  # ours lacks an event
    ([QUOTE, TEXT], [TEXT, QUOTE], False, False),  # out of order
])
def test_kept_shapes_are_told_apart_from_other_differences(mine, theirs, zero_end, dropped):
    assert ends_at_zero_only(mine, theirs) == zero_end
    assert drops_blocks_only(mine, theirs) == dropped


def test_tool_prints_one_json_triple_per_event():
    result = subprocess.run([str(tool_path())], input=b"*a*", capture_output=True, check=True)
    lines = [json.loads(line) for line in result.stdout.decode().splitlines()]
    assert lines == [
        ["Start(Paragraph)", 0, 3],
        ["Start(Emphasis)", 0, 3],
        ['Text("a")', 1, 2],
        ["End(Emphasis)", 0, 3],
        ["End(Paragraph)", 0, 3],
    ]


def test_record_adds_the_reference_events(tmp_path):
    pytest.importorskip("pyromark")
    cases = tmp_path / "cases.json"
    cases.write_text(json.dumps([{"markdown": "~a~\n"}]))
    result = subprocess.run(
        [sys.executable, str(ROOT / "tools" / "compare-markdown-events.py"), "--record", str(cases)],
        capture_output=True, text=True, check=True,
    )
    assert json.loads(result.stdout) == [{"markdown": "~a~\n", "events": [
        ["Start(Paragraph)", 0, 4], ["Start(Strikethrough)", 0, 3], ['Text("a")', 1, 2],
        ["End(Strikethrough)", 0, 3], ["End(Paragraph)", 0, 4],
    ]}]
