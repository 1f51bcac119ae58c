"""tools/compare-markdown-events.py as a user runs it: differences listed, a closing count."""

import json
import subprocess
import sys
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))

from markdown_oracle import tool_path  # noqa: E402

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
