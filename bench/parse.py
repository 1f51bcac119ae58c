"""Throughput of `parse` beside peers, its cost per call and its scaling.

Run from the repository root after a Release build:
    PYTHONPATH=build-bench/python python3 bench/parse.py [--repeat N] [--corpus DIR]

The first table parses three corpora: the CommonMark examples joined, a
real-world corpus of Markdown files parsed one by one (every *.md under DIR;
by default the Rust documentation books that Debian's rust-web-src installs
under /usr/src/rustc-*/src/doc, see bench/README.md), and a large generated
document mixing every construct. Beside vyn's `parse` it times, in the same
run: `marshal.loads` of vyn's own output (the same objects built by CPython's
fastest loader, a floor for the Python side), pyromark's `events_with_range`
with the same five extensions (pulldown-cmark's flat event list, no tree),
markdown-it-py's `parse` (tokens) and mistune's AST renderer, where installed.
Calls run as a caller would make them: the collector on, each result dropped
at once. Every figure is the best of the repeats, the parsers taking turns so
that a busy machine slows them alike. The column "vyn x" is vyn's throughput
over the peer's (above 1: vyn is faster).

Then the cost per call of a one-line document; the per-byte cost of `parse`
on a generated document 32 times larger than the one of the first table
(about 1: linear);
and paragraphs packed with unclosed openers or with text to merge, at doubling
sizes (each doubling should cost about double; the collector is paused there,
so that Python's own bookkeeping of the many dictionaries does not hide the
parser's cost).
"""

import argparse
import gc
import glob
import json
import marshal
import pathlib
import time

from vyn import _vyn

ROOT = pathlib.Path(__file__).resolve().parents[1]
PYROMARK_OPTIONS = 0x101E
DEFAULT_CORPUS = "/usr/src/rustc-*/src/doc"


def commonmark_corpus():
    """The CommonMark examples joined."""
    examples = ROOT / "tests" / "testdata" / "commonmark-0.31.2.json"
    return "\n".join(example["markdown"] for example in json.loads(examples.read_text(encoding="utf-8")))


def real_world_corpus(pattern):
    """Every *.md file under the directories matching `pattern`, in path order."""
    paths = sorted(path for directory in glob.glob(pattern) for path in pathlib.Path(directory).rglob("*.md"))
    return [path.read_text(encoding="utf-8", errors="replace") for path in paths if path.is_file()]


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
    """Name -> function of one document, for the peers that are installed."""
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
    try:
        import mistune

        found["mistune ast"] = mistune.create_markdown(
            renderer=None, plugins=["table", "strikethrough", "footnotes", "task_lists", "def_list"])
    except ImportError:
        pass
    return found


def pass_time(call, inputs, rounds):
    """Seconds for `rounds` passes of `call` over `inputs`, each result dropped at once."""
    start = time.perf_counter()
    for _ in range(rounds):
        for item in inputs:
            call(item)
    return time.perf_counter() - start


def best_times(contenders, repeat, target=0.3):
    """Best seconds per pass for each (name, call, inputs), taking turns."""
    rounds = {}
    for name, call, inputs in contenders:
        once = pass_time(call, inputs, 1)
        rounds[name] = max(1, int(target / max(once, 1e-9)))
    best = {name: float("inf") for name, _, _ in contenders}
    for _ in range(repeat):
        for name, call, inputs in contenders:
            best[name] = min(best[name], pass_time(call, inputs, rounds[name]) / rounds[name])
    return best


def throughput(corpora, repeat):
    others = peers()
    print(f"{'corpus':22} {'files':>6} {'MB':>7} {'parser':18} {'MB/s':>8} {'vyn x':>7}")
    for name, docs in corpora:
        size = sum(len(doc.encode()) for doc in docs)
        blobs = [marshal.dumps(_vyn.parse(doc)) for doc in docs]
        contenders = [("vyn parse", _vyn.parse, docs), ("marshal.loads", marshal.loads, blobs)]
        contenders += [(peer, call, docs) for peer, call in others.items()]
        best = best_times(contenders, repeat)
        own = best["vyn parse"]
        first = True
        for parser, _, _ in contenders:
            label = (name, f"{len(docs):6d}", f"{size / 1e6:7.2f}") if first else ("", "", "")
            print(f"{label[0]:22} {label[1]:>6} {label[2]:>7} {parser:18} {size / best[parser] / 1e6:8.2f} "
                  f"{best[parser] / own:7.2f}")
            first = False


def per_call(repeat):
    text = "hi\n"
    contenders = [("vyn parse", _vyn.parse, [text] * 1000)]
    contenders += [(peer, call, [text] * 1000) for peer, call in peers().items() if peer == "pyromark events"]
    best = best_times(contenders, repeat, target=0.1)
    own = best["vyn parse"]
    print(f"\none-line document {text!r}: " + ", ".join(
        f"{name} {seconds / 1000 * 1e6:.2f} us/call" + (f" ({seconds / own:.2f} of vyn)" if name != "vyn parse" else "")
        for name, seconds in best.items()))


def scaling(repeat):
    # The generated document of the first table and one 32 times its size
    # (about 7 MB; the call holds about 1 GB of Python objects at its peak).
    # A base small enough to stay in the processor's caches would make the
    # ratio measure the caches rather than the parser.
    base = generated_corpus(400)
    large = generated_corpus(12800)
    best = best_times([("base", _vyn.parse, [base]), ("32x", _vyn.parse, [large])], repeat, target=1.0)
    per_byte = [best[name] / len(text.encode()) for name, text in (("base", base), ("32x", large))]
    print(f"\ngenerated document {len(base.encode()) / 1e6:.2f} MB: {per_byte[0] * 1e9:.1f} ns/byte; "
          f"32x ({len(large.encode()) / 1e6:.2f} MB): {per_byte[1] * 1e9:.1f} ns/byte; "
          f"ratio {per_byte[1] / per_byte[0]:.2f}")


def best_paused(call, text, repeat):
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
        times = [best_paused(_vyn.parse, make(n), repeat) for n in sizes]
        cells = " ".join(f"{t * 1000:8.1f}ms" for t in times)
        print(f"{name:22} {cells} {times[-1] / times[-2]:8.1f}")


if __name__ == "__main__":
    options = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    options.add_argument("--repeat", type=int, default=5)
    options.add_argument("--corpus", default=DEFAULT_CORPUS, help="directory (glob) holding *.md files")
    options.add_argument("--skip-pathological", action="store_true")
    arguments = options.parse_args()
    corpora = [("commonmark examples", [commonmark_corpus()])]
    real = real_world_corpus(arguments.corpus)
    if real:
        corpora.append(("real-world corpus", real))
    else:
        print(f"no *.md files under {arguments.corpus}: real-world corpus skipped (see bench/README.md)")
    corpora.append(("generated document", [generated_corpus(400)]))
    throughput(corpora, arguments.repeat)
    per_call(arguments.repeat)
    scaling(arguments.repeat)
    if not arguments.skip_pathological:
        linear(3)
