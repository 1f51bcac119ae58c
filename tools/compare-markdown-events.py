#!/usr/bin/env python3
"""Compares our Markdown events with pulldown-cmark 0.12.2's (through pyromark) on each case of
CASES.json (a JSON list of objects with a "markdown" key); prints every difference and, last,
`identical N/M`. The tool is looked up in $VYN_BUILD_DIR (default build)."""

import json
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from markdown_oracle import differences, ours, reference  # noqa: E402


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: compare-markdown-events.py CASES.json")
    cases = json.loads(Path(sys.argv[1]).read_text())
    documents = [case["markdown"] for case in cases]
    identical = 0
    for document, mine in zip(documents, ours(documents)):
        diff = differences(document, mine, reference(document))
        if diff:
            print("\n".join(diff))
        else:
            identical += 1
    print(f"identical {identical}/{len(documents)}")


if __name__ == "__main__":
    main()
