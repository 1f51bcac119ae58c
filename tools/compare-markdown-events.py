#!/usr/bin/env python3
"""Compares our Markdown events with pulldown-cmark 0.12.2's (through pyromark) on each case of
CASES.json (a JSON list of objects with a "markdown" key); prints every difference and, last,
`identical N/M`. With --record, prints the cases instead with pulldown-cmark's events added under
"events" (how tests/testdata/markdown-regressions.json is written). The tool is looked up in
$VYN_BUILD_DIR (default build)."""

import json
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from markdown_oracle import differences, ours, reference  # noqa: E402


def compare(documents):
    identical = 0
    for document, mine in zip(documents, ours(documents)):
        diff = differences(document, mine, reference(document))
        if diff:
            print("\n".join(diff))
        else:
            identical += 1
    print(f"identical {identical}/{len(documents)}")


def record(documents):
    cases = [{"markdown": document, "events": reference(document)} for document in documents]
    print("[\n" + ",\n".join(json.dumps(case, ensure_ascii=False) for case in cases) + "\n]")


def main():
    args = sys.argv[1:]
    recording = args[:1] == ["--record"]
    if recording:
        args = args[1:]
    if len(args) != 1:
        sys.exit("usage: compare-markdown-events.py [--record] CASES.json")
    documents = [case["markdown"] for case in json.loads(Path(args[0]).read_text())]
    if recording:
        record(documents)
    else:
        compare(documents)


if __name__ == "__main__":
    main()
