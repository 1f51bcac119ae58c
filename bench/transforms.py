"""Throughput of the transforms and of the functions that read trees back.

Run from the repository root after a build:
    PYTHONPATH=build/python python3 bench/transforms.py [repeat]
Each line gives the time of one call on a generated document and its ratio to
`parse` of the same text, so the cost of a transform or a reading function
shows apart from the parse itself. Pathological shapes (one paragraph packed
with references, thousands of repeated headings) are measured beside the
ordinary document.
"""

import sys
import time

from vyn import _vyn


def ordinary(sections):
    parts = ["---\ngithub: acme/tools\n---\n<TableOfContents />\n"]
    for i in range(sections):
        parts.append(
            f"## Section {i % 50}\n\nText with *emphasis*, #{i} and @user{i}, commit deadbeef{i:04x}.\n\n"
            f"<Card title=\"c{i}\" n={{{i}}}>\n### Inside {i}\n\n- item `code`\n</Card>\n\n"
        )
    return "".join(parts)


def references(count):
    return " ".join(f"#{i} @u{i} abcdef{i % 10}" for i in range(count)) + "\n"


def headings(count):
    return "".join("## Same\n\n" for _ in range(count))


SCHEMA = {
    "components": {
        "Card": {"props": {"title": {"type": "string", "required": True}, "n": {"type": "number"}}},
        "TableOfContents": {"props": {}},
    },
    "strict": True,
}


def best(call, repeat):
    times = []
    for _ in range(repeat):
        start = time.perf_counter()
        call()
        times.append(time.perf_counter() - start)
    return min(times)


def main():
    repeat = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    documents = {
        "ordinary": ordinary(2000),
        "references": references(20000),
        "headings": headings(20000),
    }
    for name, text in documents.items():
        tree = _vyn.parse(text)
        base = best(lambda: _vyn.parse(text), repeat)
        print(f"{name}: {len(text) / 1e6:.2f} MB, parse {base * 1e3:.1f} ms")
        calls = {
            "parse_with_defaults": lambda: _vyn.parse_with_defaults(text),
            "github": lambda: _vyn.parse_with_transforms(text, ["github"], "acme/tools"),
            "collect_text": lambda: _vyn.collect_text(tree),
            "query_all text": lambda: _vyn.query_all(tree, "text"),
            "validate": lambda: _vyn.validate(tree, SCHEMA),
        }
        for label, call in calls.items():
            elapsed = best(call, repeat)
            print(f"  {label:20} {elapsed * 1e3:8.1f} ms  {elapsed / base:5.2f} x parse")


if __name__ == "__main__":
    main()
