"""Throughput of reading frontmatter beside PyYAML, and its cost on YAML made
to strain the reader.

Run from the repository root after a build:
    PYTHONPATH=build/python python3 bench/frontmatter.py [repeat]

The first table parses documents made of a large frontmatter and a one-line
body, with vyn's `parse` and with PyYAML's `load` of the same YAML (its libyaml
loader where built, else the pure one), measured in the same run; the ratio
column is PyYAML's time over vyn's. The second table times inputs that hit a
limit or that libfyaml would hold whole (deep nesting, alias fans, a flow
collection or a line of anchors of millions of tokens) at two sizes: each
should cost about twice at twice the size, or stay flat once a limit stops
the reading.
"""

import sys

from parse import best  # bench/ is the script's folder, so on the path
from vyn import _vyn


def document(yaml):
    return "---\n" + yaml + "\n---\nBody.\n"


def block_mapping(keys):
    return "".join(f"key{i}:\n  title: Entry {i}\n  tags: [a, b, {i}]\n  ratio: {i}.5\n" for i in range(keys))


def flow_json(keys):
    return "{" + ", ".join(f'"key{i}": {{"n": {i}, "s": "text {i}"}}' for i in range(keys)) + "}"


def literal_blocks(lines):
    return "notes: |\n" + "".join(f"  line {i} with [brackets], &anchors and *stars\n" for i in range(lines))


CORPORA = {
    "block mapping": block_mapping(20_000),
    "flow JSON": flow_json(30_000),
    "literal block": literal_blocks(200_000),
}

STRAINS = {
    "deep flow nesting": lambda n: "[" * n + "]" * n,
    "alias fan": lambda n: "a: &a [" + ", ".join(["x"] * 100) + "]\nb: [" + ", ".join(["*a"] * (n // 1000)) + "]",
    "flow of brackets": lambda n: "[" * n,
    "line of anchors": lambda n: "&a " * n,
    "keys on lines": lambda n: "".join(f"k{i}: v\n" for i in range(n // 10)),
}


def pyyaml_load():
    try:
        import yaml
    except ImportError:
        return None, None
    loader = getattr(yaml, "CSafeLoader", yaml.SafeLoader)
    return loader.__name__, lambda text: yaml.load(text, Loader=loader)


def main():
    repeat = int(sys.argv[1]) if len(sys.argv) > 1 else 3
    name, peer = pyyaml_load()
    print(f"{'corpus':16} {'MB':>6} {'vyn MB/s':>9} {name or 'PyYAML':>14} {'ratio':>6}")
    for corpus, yaml in CORPORA.items():
        text = document(yaml)
        assert _vyn.parse(text)["frontmatter"] is not None
        mb = len(text.encode()) / 1e6
        ours = best(_vyn.parse, text, repeat)
        theirs = best(peer, yaml, repeat) if peer else None
        peer_column = f"{mb / theirs:14.1f} {theirs / ours:6.2f}" if theirs else f"{'-':>14} {'-':>6}"
        print(f"{corpus:16} {mb:6.1f} {mb / ours:9.1f} {peer_column}")

    print(f"\n{'strain':20} {'size':>10} {'seconds':>8} {'x2 size':>8} {'ratio':>6}")
    for strain, make in STRAINS.items():
        size = 1_000_000
        small = best(_vyn.parse, document(make(size)), repeat)
        large = best(_vyn.parse, document(make(2 * size)), repeat)
        print(f"{strain:20} {size:10} {small:8.3f} {large:8.3f} {large / small:6.2f}")


if __name__ == "__main__":
    main()
