"""Throughput of `parse` beside peers, and its cost on inputs that would make a
naive inline scan quadratic.

Run from the repository root after a build:
    PYTHONPATH=build/python python3 bench/parse.py [repeat]

The first table parses two corpora (the CommonMark examples joined, and a
large generated document mixing every construct) and gives MB/s for vyn's
`parse` and for the peers measured in the same run: pyromark's
`events_with_range` with the same five extensions (events only, no tree) and
markdown-it-py's `parse` (tokens), where installed; the ratio column is the
peer's time over vyn's. The second table times one paragraph packed with
unclosed openers, and paragraphs whose text reaches the pass as many events
to merge, at doubling sizes up to 200,000 openers: each doubling should cost
about double. The collector is paused while a call is timed, so that Python's
own bookkeeping of the many dictionaries built does not hide the parser's cost.
"""

import gc
import json
import pathlib
import sys
import time

from vyn import _vyn

ROOT = pathlib.Path(__file__).resolve().parents[1]
PYROMARK_OPTIONS = 0x101E


def commonmark_corpus():
    """The CommonMark examples joined."""
    examples = ROOT / "tests" / "testdata" / "commonmark-0.31.2.json"
    return "\n".join(example["markdown"] for example in json.loads(examples.read_text(encoding="utf-8")))


def generated_corpus(sections):
    examples = "\n".join(path.read_text(encoding="utf-8").split("---\n", 2)[-1]
                         for path in sorted((ROOT / "examples").glob("*.vyn")))
    parts = []
    for i in range(sections):
        parts.append(
            f"## Section {i}\n\nText with *emphasis*, `code`{{py}}, $x_{i}^2$, [@key{i}, p. {i}] and {{@fig:{i}}}, "
            f"a variable {{$user.name}} and a link to [the docs](https://example.org/{i}).\n\n"
            f"- [x] task {i}\n- [ ] another <Badge text=\"{i}\" />\n\n"
            f"| a | b |\n|---|---|\n| {i} | <Tag>cell</Tag> |\n\n"
            f"> quoted [see @doe{i}; @roe]\n> over two lines\n\n"
            f"```py title='s{i}.py' {{1-3}}\nprint({i})\n```\n\n"
            f"Term {i}\n: Definition with a footnote.[^n{i}]\n\n[^n{i}]: Note {i}.\n\n"
        )
        if i % 50 == 0:
            parts.append(examples)
    return "".join(parts)


def peers():
    found = {}
    try:
        import pyromark

        found["pyromark events"] = lambda text: pyromark.events_with_range(text, options=PYROMARK_OPTIONS)
    except ImportError:
        pass
    try:
        from markdown_it import MarkdownIt

        md = MarkdownIt("commonmark").enable("table").enable("strikethrough")
        found["markdown-it-py"] = md.parse
    except ImportError:
        pass
    return found


def best(call, text, repeat):
    times = []
    for _ in range(repeat):
        gc.collect()
        gc.disable()
        try:
            start = time.perf_counter()
            call(text)
            times.append(time.perf_counter() - start)
        finally:
            gc.enable()
    return min(times)


def throughput(repeat):
    corpora = [("commonmark examples", commonmark_corpus()), ("generated document", generated_corpus(400))]
    others = peers()
    print(f"{'corpus':22} {'size':>9} {'parser':16} {'MB/s':>8} {'ratio':>7}")
    for name, text in corpora:
        size = len(text.encode())
        own = best(_vyn.parse, text, repeat)
        print(f"{name:22} {size:9d} {'vyn parse':16} {size / own / 1e6:8.2f} {1.0:7.2f}")
        for peer, call in others.items():
            elapsed = best(call, text, repeat)
            print(f"{'':22} {'':9} {peer:16} {size / elapsed / 1e6:8.2f} {elapsed / own:7.2f}")


PATHOLOGICAL = {
    "unclosed $": lambda n: "$a " * n,
    "unclosed [@": lambda n: "[@a " * n,
    "unclosed {@": lambda n: "{@a " * n,
    "unclosed {$": lambda n: "{$a " * n,
    "unclosed [": lambda n: "[a " * n,
    "citations in pieces": lambda n: "[see @k, p. 1] " * n,
    "brackets to merge": lambda n: "[x] [y]" * n + " [@k]",
    "open tags, one line": lambda n: "<div>" + "<A>" * n + "\n",
}


def linear(repeat):
    sizes = (25000, 50000, 100000, 200000)
    print(f"\n{'input':22} " + " ".join(f"{n:>10}" for n in sizes) + f" {'x2 cost':>8}")
    for name, make in PATHOLOGICAL.items():
        times = [best(_vyn.parse, make(n), repeat) for n in sizes]
        cells = " ".join(f"{t * 1000:8.1f}ms" for t in times)
        print(f"{name:22} {cells} {times[-1] / times[-2]:8.1f}")


if __name__ == "__main__":
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 3
    throughput(count)
    linear(count)
