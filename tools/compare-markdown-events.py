#!/usr/bin/env python3
"""Compares our Markdown events with pulldown-cmark 0.12.2's (through pyromark) on each case of
CASES.json (a JSON list of objects with a "markdown" key); prints every difference and, last,
`identical N/M`. Cases that part only where ours keeps to the input (a container pulldown-cmark
ends at 0, blocks it drops), and those on which pulldown-cmark panics, are counted on lines of
their own instead. With --record, prints
the cases instead with pulldown-cmark's events added under "events" (how
tests/testdata/markdown-regressions.json is written). The tool is looked up in $VYN_BUILD_DIR
(default build)."""

import json
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from markdown_oracle import differences, drops_blocks_only, ends_at_zero_only, ours, reference  # noqa: E402


def compare(documents):
    identical = kept = panics = 0
    for document, mine in zip(documents, ours(documents)):
        theirs = reference(document)
        diff = differences(document, mine, theirs)
        if theirs is None:
            panics += 1
        elif not diff:
            identical += 1
        elif ends_at_zero_only(mine, theirs) or drops_blocks_only(mine, theirs):
            kept += 1
        else:
            print("\n".join(diff))
    if panics:
        print(f"pulldown-cmark panics {panics}/{len(documents)}")
    if kept:
        print(f"kept to the input where pulldown-cmark is not {kept}/{len(documents)}")
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
