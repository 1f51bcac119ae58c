"""Time and peak memory of the module functions on hostile inputs, at n and 4n.

Run from the repository root after a build:
    PYTHONPATH=build/python python3 bench/hostile.py [--family NAME] [--scale K] [--cap MB] [--timeout S]
                                                     [--no-pathological]

Each family is a function of n that builds a document, plus the call measured on
it (`parse`, `query_all` of the parsed tree, a transform). Every measurement
runs in a child process of its own, under an address-space cap, so that a family
that needs gigabytes fails cleanly (as MemoryError) instead of taking the
machine; the child reports the call's time and its peak resident memory
(ru_maxrss, which includes the interpreter and the input). A line gives the
input size, the time at n and at 4n, their ratio (about 4 means linear), the
peak RSS at both sizes, and the growth of the peak per input byte between them.
The pathological inputs of tests/testdata/pathological.json follow, each
repeating part at a quarter of its count (n) and at its count (4n).

--family keeps the families whose name contains NAME; --scale multiplies every n.
"""

import argparse
import gc
import json
import os
import pathlib
import resource
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[1]


def parse(vyn, text):
    return lambda: vyn.parse(text)


def query(kind):
    def prepare(vyn, text):
        tree = vyn.parse(text)
        return lambda: vyn.query_all(tree, kind)

    return prepare


def transforms(*names):
    return lambda vyn, text: lambda: vyn.parse_with_transforms(text, list(names))


# name: (build(n), prepare(vyn, text) -> call, n)
FAMILIES = {
    "nested strong emph": (lambda n: "*a **a " * n + "b" + " a** a*" * n, parse, 2000),
    "nested strikethrough": (lambda n: "~~a " * n + "b" + " a~~" * n, parse, 2000),
    "underscore openers then closers": (lambda n: "_a " * n + "a_ " * n, parse, 2000),
    "emph openers then _a*_": (lambda n: "*a " * n + "_a*_ " * n, parse, 2000),
    "nested inline components": (lambda n: "<X>" * n + "a" + "</X>" * n, parse, 20000),
    "nested footnote brackets": (lambda n: "[^" * n + "a" + "] " * n, parse, 2000),
    "footnote label of spaces": (lambda n: "[^" + "a " * n + "]: x\n\n[^" + "a " * n + "]", parse, 20000),
    "footnote labels of spaces, defined": (lambda n: ("[^" + "a " * 400 + "]: x\n") * n + ("[^" + "a " * 400 + "]") * n,
                                           parse, 250),
    "footnote definitions on one line": (lambda n: "[^a b]: " * n + "[^a b]" * n, parse, 4000),
    "nested collapsed references": (lambda n: "[" * n + "a" + "][]" * n, parse, 2000),
    "highlight groups": (lambda n: "```a {1-99999}\n```\n" * n, parse, 125),
    "link definition reuse": (lambda n: "[a]: /" + "u" * (80 * n) + "\n\n" + "[a]" * n, parse, 1250),
    "github long repository": (lambda n: "---\ngithub: o/" + "r" * (80 * n) + "\n---\n" + "#1 " * n,
                               transforms("github"), 1250),
    "query_all nested blockquotes": (lambda n: (">" * 250 + "a\n\n") * n, query("blockquote"), 20),
    "missing table cells": (lambda n: "|x" * n + "\n" + "|-" * n + "\n" + "|x\n" * n, parse, 500),
    # A tight item's paragraphs read raw HTML on to the item's end, each past the next heading.
    "tight item, unclosed comments": (lambda n: "- a\n" + "  x <!--\n  # h\n" * n, parse, 4000),
    "tight item, unclosed CDATA": (lambda n: "- a\n" + "  x <![CDATA[ ] ]\n  # h\n" * n, parse, 4000),
}


def pathological_families():
    cases = json.loads((ROOT / "tests" / "testdata" / "pathological.json").read_text(encoding="utf-8"))
    families = {}
    for case in cases:
        if "parts" not in case and "repeat" not in case:
            continue
        parts = case.get("parts") or [{"text": case.get("prefix", ""), "count": 1},
                                      {"text": case["repeat"], "count": case["count"]},
                                      {"text": case.get("suffix", ""), "count": 1}]

        def build(n, parts=parts):
            return "".join(p["text"] * (p["count"] * n // 4 if p["count"] > 1 else p["count"]) for p in parts)

        families["pathological: " + case["name"]] = (build, parse, 1)
    return families


def all_families():
    return {**FAMILIES, **pathological_families()}


def child(name, n, cap):
    resource.setrlimit(resource.RLIMIT_AS, (cap, cap))
    from vyn import _vyn

    build, prepare, _ = all_families()[name]
    text = build(n)
    call = prepare(_vyn, text)
    gc.disable()
    times = []
    while len(times) < 5 and sum(times) < 0.2:
        start = time.perf_counter()
        result = call()
        times.append(time.perf_counter() - start)
        del result
    peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss * 1024
    print(json.dumps({"bytes": len(text.encode("utf-8")), "time": min(times), "rss": peak}))


def measure(name, n, cap, timeout):
    command = [sys.executable, str(pathlib.Path(__file__).resolve()), "--child", name, str(n), str(cap)]
    try:
        done = subprocess.run(command, capture_output=True, text=True, timeout=timeout, env=os.environ)
    except subprocess.TimeoutExpired:
        return {"failed": f"over {timeout} s"}
    if done.returncode != 0:
        lines = done.stderr.strip().splitlines()
        return {"failed": lines[-1][:60] if lines else f"exit {done.returncode}"}
    return json.loads(done.stdout)


def report(name, small, large):
    def seconds(r):
        return f"{r['time']:9.4f}" if "time" in r else f"{'-':>9}"

    def megabytes(r):
        return f"{r['rss'] / 2**20:8.1f}" if "rss" in r else f"{'-':>8}"

    ratio = f"{large['time'] / small['time']:6.1f}" if "time" in small and "time" in large else f"{'-':>6}"
    growth = "-"
    if "rss" in small and "rss" in large and large["bytes"] > small["bytes"]:
        growth = f"{(large['rss'] - small['rss']) / (large['bytes'] - small['bytes']):.0f}"
    size = small.get("bytes")
    print(f"{name[:56]:56} {size if size else '-':>9} {seconds(small)} {seconds(large)} {ratio} "
          f"{megabytes(small)} {megabytes(large)} {growth:>7}", flush=True)
    for label, r in (("n", small), ("4n", large)):
        if "failed" in r:
            print(f"    at {label}: failed: {r['failed']}", flush=True)


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "--child":
        child(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]))
        return
    options = argparse.ArgumentParser(description="hostile inputs at n and 4n, each in a child process")
    options.add_argument("--family", default="", help="run the families whose name contains this text")
    options.add_argument("--scale", type=int, default=1, help="multiply every n by this")
    options.add_argument("--cap", type=int, default=3000, help="address-space cap per child, in MB")
    options.add_argument("--timeout", type=float, default=120, help="time limit per child, in seconds")
    options.add_argument("--no-pathological", action="store_true", help="leave out pathological.json")
    args = options.parse_args()
    families = FAMILIES if args.no_pathological else all_families()
    print(f"{'family':56} {'bytes n':>9} {'time n s':>9} {'4n s':>9} {'x4n':>6} {'RSS n MB':>8} {'4n MB':>8} "
          f"{'B/byte':>7}")
    for name, (_, _, n) in families.items():
        if args.family not in name:
            continue
        n *= args.scale
        small = measure(name, n, args.cap * 2**20, args.timeout)
        large = measure(name, 4 * n, args.cap * 2**20, args.timeout)
        report(name, small, large)


if __name__ == "__main__":
    main()
