"""Writes the seed inputs of the fuzz targets' text corpus into one folder, a
file per distinct input: the example documents, every Markdown text of the
test data, the pathological patterns cut down to a few KB, and the string
constants of the Python test suites (most are small documents).

    python3 fuzz/seeds.py OUT_DIR
"""

import ast
import hashlib
import json
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
PATTERN_BYTES = 4000  # a pathological pattern is cut to about this size


def markdown_texts(value):
    if isinstance(value, dict):
        for key, item in value.items():
            if key == "markdown" and isinstance(item, str):
                yield item
            else:
                yield from markdown_texts(item)
    elif isinstance(value, list):
        for item in value:
            yield from markdown_texts(item)


def pathological(case):
    parts = case.get("parts")
    if not parts:
        return
    unit = sum(len(part["text"]) * part["count"] for part in parts)
    scale = min(1.0, PATTERN_BYTES / unit)
    yield "".join(part["text"] * max(1, int(part["count"] * scale)) for part in parts)


def string_constants(path):
    for node in ast.walk(ast.parse(path.read_text(encoding="utf-8"))):
        if isinstance(node, ast.Constant) and isinstance(node.value, str) and len(node.value) >= 2:
            yield node.value


def seeds():
    for pattern in ("examples/*.vyn", "tests/python/documents/*.vyn"):
        for path in sorted(ROOT.glob(pattern)):
            yield path.read_text(encoding="utf-8")
    for path in sorted(ROOT.glob("tests/testdata/**/*.json")):
        data = json.loads(path.read_text(encoding="utf-8"))
        yield from markdown_texts(data)
        if path.name == "pathological.json":
            for case in data:
                yield from pathological(case)
    for path in sorted(ROOT.glob("tests/python/*.py")):
        yield from string_constants(path)


def main():
    out = pathlib.Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    count = 0
    for text in seeds():
        try:
            data = text.encode("utf-8")
        except UnicodeEncodeError:  # a lone surrogate: no document holds one
            continue
        name = out / hashlib.sha1(data).hexdigest()
        if not name.exists():
            name.write_bytes(data)
            count += 1
    print(f"{count} new seeds in {out}")


if __name__ == "__main__":
    main()
