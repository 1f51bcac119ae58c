"""tools/compare-markdown-events.py as a user runs it: differences listed, a closing count."""

import json
import subprocess
import sys
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))

from markdown_oracle import drops_blocks_only, ends_at_zero_only, ours, reference, tool_path  # noqa: E402

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
ITEM_END, QUOTE_END, BREAK = ["End(Item)", 2, 9], ["End(BlockQuote(None))", 0, 9], ["SoftBreak", 5, 6]


@pytest.mark.parametrize("mine, theirs, zero_end, dropped", [
    ([QUOTE, TEXT], [QUOTE[:2] + [0], TEXT], True, False),
    ([QUOTE, TEXT], [["Start(BlockQuote(None))", 1, 0], TEXT], False, False),  # a start differs too
    ([QUOTE, TEXT], [QUOTE[:2] + [3], TEXT], False, False),  # an end other than 0
    ([QUOTE, ITEM, TEXT], [QUOTE, TEXT], False, False),  # a start without its end is no block
    ([QUOTE, ITEM, TEXT, ITEM_END, QUOTE_END], [QUOTE, QUOTE_END], False, True),  # a whole block
    ([QUOTE, ITEM, ITEM_END, TEXT, BREAK, QUOTE_END], [QUOTE, ITEM, ITEM_END, QUOTE_END], False, True),  # text
    ([QUOTE, ITEM, TEXT, ITEM_END, QUOTE_END], [QUOTE, TEXT, QUOTE_END], False, False),  # a container around
    ([QUOTE, TEXT, ITEM_END, QUOTE_END], [QUOTE, TEXT, QUOTE_END], False, False),  # an end without its start
    ([QUOTE, ITEM, ITEM_END, QUOTE_END], [QUOTE[:2] + [0], QUOTE_END[:2] + [0]], False, True),  # and an end at 0
    ([QUOTE, ITEM, ITEM_END, QUOTE_END], [QUOTE[:2] + [3], QUOTE_END], False, False),  # an end other than 0
    ([QUOTE, TEXT], [QUOTE, ITEM, TEXT], False, False),  # ours lacks an event
    ([QUOTE, TEXT], [TEXT, QUOTE], False, False),  # out of order
])
def test_kept_shapes_are_told_apart_from_other_differences(mine, theirs, zero_end, dropped):
    assert ends_at_zero_only(mine, theirs) == zero_end
    assert drops_blocks_only(mine, theirs) == dropped


@pytest.mark.parametrize("document, zero_end, dropped", [
    ("> a\n> : b\n", True, False),
    ("- [r]: /u\n      \n  # h", False, True),  # blocks after a paragraph left empty in a tight item
    ("[x > b]: /u\n\n- [a][x\n  > b] c\n  > d", False, True),  # the rest of the block a label closes in
    ("a\n:t\n :\n -\n1.\n# h\n# i", False, True),  # blocks read into a definition list closed from within
    ("a\n:t\n :\n -\n1.\n# h\n\n> a\n> : b\n", False, True),  # both shapes in one document
])
def test_kept_shapes_of_documents_are_recognised(document, zero_end, dropped):
    pytest.importorskip("pyromark")
    (mine,) = ours([document])
    theirs = reference(document)
    assert (ends_at_zero_only(mine, theirs), drops_blocks_only(mine, theirs)) == (zero_end, dropped)


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
