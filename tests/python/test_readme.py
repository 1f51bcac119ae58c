"""The README's examples: each python block is an interactive session whose shown results are
what the module gives back, run in order with shared names, from the repository root."""

import doctest
import pathlib
import re

ROOT = pathlib.Path(__file__).resolve().parents[2]
README = (ROOT / "README.md").read_text(encoding="utf-8")
BLOCK = re.compile(r"^```python\n(.*?)^```", re.MULTILINE | re.DOTALL)


def blocks():
    """Each python block with the README line its code starts on (counted from 0)."""
    return [(match[1], README.count("\n", 0, match.start(1))) for match in BLOCK.finditer(README)]


def test_every_python_block_is_a_session_with_results():
    found = blocks()
    assert len(found) >= 8
    for text, line in found:
        examples = doctest.DocTestParser().get_examples(text)
        assert examples, f"README.md line {line + 1}: a python block without examples"
        assert any(example.want for example in examples), f"README.md line {line + 1}: no result shown"


def test_the_examples_give_back_what_they_show(monkeypatch):
    monkeypatch.chdir(ROOT)
    report = []
    runner = doctest.DocTestRunner(optionflags=doctest.ELLIPSIS)
    names = {}
    for text, line in blocks():
        example = doctest.DocTestParser().get_doctest(text, names, "README.md", str(ROOT / "README.md"), line)
        runner.run(example, out=report.append, clear_globs=False)
        names = example.globs  # get_doctest copies the names; the next block starts from these
    assert runner.failures == 0, "".join(report)
    assert runner.tries >= 20
