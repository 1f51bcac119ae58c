"""Our Markdown event stream against pulldown-cmark 0.12.2: the recorded stream of every
CommonMark and extension example, and pyromark (the same parser) on those examples, on the
pathological inputs and on generated documents. Events are compared with payloads and ranges."""

import json
import sys
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))

from markdown_oracle import differences, ours, reference, tool_path  # noqa: E402


TESTDATA = ROOT / "tests" / "testdata"
pytestmark = pytest.mark.skipif(not tool_path().exists(), reason="markdown-events is not built")

def _examples():
    return json.loads((TESTDATA / "events-pulldown-cmark-0.12.2.json").read_text())


def _report(documents, mine, theirs):
    lines = []
    for document, a, b in zip(documents, mine, theirs):
        lines += differences(document, a, b)
    return "\n".join(lines[:60])


def test_every_example_matches_the_recorded_stream():
    examples = _examples()
    documents = [x["markdown"] for x in examples]
    mine = ours(documents)
    assert mine == [x["events"] for x in examples], _report(documents, mine, [x["events"] for x in examples])


def test_every_example_matches_the_oracle():
    pytest.importorskip("pyromark")
    documents = [x["markdown"] for x in _examples()]
    mine = ours(documents)
    theirs = [reference(d) for d in documents]
    assert mine == theirs, _report(documents, mine, theirs)


@pytest.mark.parametrize("options", [0, 0x2, 0x4, 0x8, 0x10, 0x1000])
def test_other_option_sets_match_the_oracle(options):
    """With an extension off, its bytes read as plain CommonMark, as the reference reads them."""
    pytest.importorskip("pyromark")
    documents = [x["markdown"] for x in _examples()]
    mine = ours(documents, options)
    theirs = [reference(d, options) for d in documents]
    assert mine == theirs, _report(documents, mine, theirs)


def _pathological(case, cap):
    parts = case.get("parts") or [{"text": case.get("prefix", ""), "count": 1},
                                  {"text": case["repeat"], "count": case["count"]},
                                  {"text": case.get("suffix", ""), "count": 1}]
    return "".join(part["text"] * min(part["count"], cap) for part in parts)


def test_pathological_inputs_match_the_oracle():
    pytest.importorskip("pyromark")
    cases = json.loads((TESTDATA / "pathological.json").read_text())
    documents = [_pathological(case, 300) for case in cases if "parts" in case or "repeat" in case]
    mine = ours(documents)
    theirs = [reference(d) for d in documents]
    assert mine == theirs, _report(documents, mine, theirs)


# Brackets nested past the 999-character label bound, with and without a definition for the
# innermost label and with line breaks inside, so that every rule for footnote-style, collapsed and
# shortcut labels is reached at some depth.
NESTED_BRACKETS = [
    lambda n: "[^" * n + "a" + "] " * n,
    lambda n: "[^" * n + "a" + "] " * n + "\n\n[^a]: x\n",
    lambda n: "[^" * n + "a" + "]\n" * n + "\n\n[^a]: x\n",
    lambda n: "[" * n + "a" + "][]" * n,
    lambda n: "[" * n + "a" + "][]" * n + "\n\n[a]: /u\n",
    lambda n: "[" * n + "a\n" + "][]" * n + "\n\n[a]: /u\n",
    lambda n: "[a `]` " * n + "b" + "][]" * n + "\n\n[a `]: /u\n",
]


def test_nested_brackets_match_the_oracle():
    pytest.importorskip("pyromark")
    documents = [build(n) for build in NESTED_BRACKETS for n in (1, 2, 5, 400, 1200)]
    mine = ours(documents)
    theirs = [reference(d) for d in documents]
    assert mine == theirs, _report(documents, mine, theirs)


def test_tables_past_their_fill_match_the_oracle():
    """A table fills short rows with at most 2**18 cells; the row past that ends where its line
    begins and the rest of the table's container is read as blocks inside the table."""
    pytest.importorskip("pyromark")
    head = "|x" * 1025 + "\n" + "|-" * 1025 + "\n"
    quoted = "> " + head.replace("\n", "\n> ")
    documents = [
        head + "|x\n" * 256 + "|a|b\n|x\n\n> q\n- i\n",
        quoted + "> |x\n" * 257 + "lazy\n\nafter\n",
    ]
    mine = ours(documents)
    theirs = [reference(d) for d in documents]
    assert mine == theirs, _report(documents, mine, theirs)
