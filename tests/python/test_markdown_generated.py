"""Generated documents compared event by event with pulldown-cmark 0.12.2 through pyromark:
adversarial lines that mix every construct, everyday blocks nested a little, and lines aimed at
the corners where the two parsers once parted (definition lists in containers, link reference
definitions, tabs, lone CRs). The documents come from fixed seeds, so every run sees the same
ones; VYN_MARKDOWN_DOCUMENTS=N runs N of each kind instead (with the seed VYN_MARKDOWN_SEED) for
a deeper search, where the known differences below need not all show up."""

import os
import random
import sys
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))

from markdown_oracle import differences, ours, reference, tool_path  # noqa: E402

pytest.importorskip("pyromark")

pytestmark = pytest.mark.skipif(not tool_path().exists(), reason="markdown-events is not built")

COUNT = int(os.environ.get("VYN_MARKDOWN_DOCUMENTS", "0"))
SEED = int(os.environ.get("VYN_MARKDOWN_SEED", "0"))

INLINE = [
    "word", "other", "héllo", "日本語", "ß", " ", "  ", "\t", "*", "**", "***", "_", "__", "~", "~~", "`", "``",
    "[", "]", "(", ")", "![", "!", "<", ">", "&amp;", "&#35;", "&bogus;", "\\", "\\*", "\\[", "|", ":", "^",
    "<Note>", "</Note>", "<Badge />", '<span class="x">', "</span>", "<!-- c -->", "[link](/url \"t\")",
    "[ref]", "[ref][]", "[text][ref]", "[^1]", "[^nope]", "<http://a.b/c>", "<a@b.co>", "`code`", "**strong**",
    "*em*", "~~del~~", "$x$", "{@ref}", "[x]", "[ ]", "1.", "-", "#", "=", "\"", "'",
]
PREFIX = [
    "", "", "", "> ", ">", "- ", "* ", "+ ", "1. ", "2) ", "  ", "   ", "    ", "\t", "- [ ] ", "- [x] ", ": ",
    "[^1]: ", "# ", "## ", "###### ", "> - ", "- > ", "1. - ", "  - ",
]
WHOLE_LINE = [
    "```", "```rust", "~~~", "---", "***", "===", "- - -", "| a | b |", "|---|:-:|", "a | b", "--|--", "|",
    "<div>", "</div>", "<pre>", "</pre>", "<Note>", "</Note>", "<!--", "-->", "[ref]: /url", "[ref]: /u 'title'",
    "[^1]: note", "Term", ": definition", "    code", "", "", "",
]
ENDING = ["\n", "\n", "\n", "\r\n", "\n\n", "\r"]


def adversarial(rng):
    lines = []
    for _ in range(rng.randint(0, 12)):
        if rng.random() < 0.5:
            prefix = "".join(rng.choice(PREFIX) for _ in range(rng.randint(0, 3)))
            body = "".join(rng.choice(INLINE) for _ in range(rng.randint(0, 8)))
        else:
            prefix = "".join(rng.choice(PREFIX) for _ in range(rng.randint(0, 2)))
            body = rng.choice(WHOLE_LINE)
        lines.append(prefix + body + rng.choice(ENDING))
    return "".join(lines)


BLOCKS = [
    "# Title\n", "## Section *one*\n", "Text with **bold**, _em_ and `code`.\n",
    "A [link](https://x.y \"T\") and ![img](a.png).\n", "- item\n- item with [ref]\n  - nested\n",
    "1. first\n2. second\n\n   continued\n", "> quote\n> > nested\n", "```python\nprint(1)\n```\n",
    "    indented\n", "| a | b |\n|---|--:|\n| 1 | 2 |\n", "Term\n: Definition\n", "[ref]: https://r.example\n",
    "Footnote[^1].\n", "[^1]: The note.\n", "<Note>\n", "</Note>\n", "<Badge /> inline <Badge /> tag.\n",
    "<div>\nhtml\n</div>\n", "- [ ] todo\n- [x] done\n", "~~strike~~ and ~one~\n", "Trailing  \nhard break\n",
    "Setext\n===\n", "---\n", "&amp; &copy; entities \\* escapes\n", "$x$ and {@ref} and [@cite]\n",
    "* star\n+ plus\n", "<!-- comment -->\n", "Auto <https://a.b> and <me@x.y>\n", "Tabs\tinside\ttext\n",
    "Ünïcödé 日本語 text\n",
]


def everyday(rng):
    text = "".join(rng.choice(["", "", "", "  ", "> ", "- ", "1. "]) + rng.choice(BLOCKS) + rng.choice(["", "\n"])
                   for _ in range(rng.randint(1, 12)))
    return text.replace("\n", "\r\n") if rng.random() < 0.5 else text


CORNER_PREFIX = ["", "", "> ", "- ", "  ", "   ", "    ", "\t", " \t", "1. ", ": ", "[^1]: ", "- [ ] ", "- [x] ",
                 "  - ", ">\t", "-\t", "  : "]
CORNER_BODY = ["a", "term", ":", ": d", "-", "- b", "[r]: /u", "[r]: /u 't'", "[^1]: n", "~~[r]~~", "~x~", "~~a~~",
               "[r]", "[r][]", "\\[r]", "|a|b|", "-|-", "a|b", "```", "~~~", "<div>", "<!--", "-->", "# h", "---", "",
               "", " ", "    ", "\t", "*e*", "[^1]", "<e>", "x\\", "x  "]


def corners(rng):
    return "".join("".join(rng.choice(CORNER_PREFIX) for _ in range(rng.randint(0, 2))) + rng.choice(CORNER_BODY)
                   + rng.choice(["\n", "\n", "\n", "\r\n", "\r"]) for _ in range(rng.randint(1, 8)))


def _parted(generate, count, seed):
    rng = random.Random(seed)
    documents = [generate(rng) for _ in range(count)]
    parted = {}
    for doc, mine in zip(documents, ours(documents)):
        diff = differences(doc, mine, reference(doc))
        if diff:
            parted[doc] = "\n".join(diff[:4])
    return parted


# The documents of the runs above on which we still part from the reference, by kind. Each
# reduces to one of two shapes (the shortest form in the comment); in both the reference's
# block state goes astray in a way we do not follow.
KNOWN = {
    # A definition list nested in a definition, then a block that closes both: the reference
    # puts the block after the outer list yet keeps that list open ("--\n:n\n\t:\n >").
    "* 2) [ref][]`code`>日本語'<\"[ref][]\n\\[[&amp;\n: - (\t\n\n- - -\r__*em*\n\n# > - ```rust\n\n--|--\n"
    ": definition\n\n\t:</span>[ ]**other\r\n  > ***\n\n2) ## [ref][]ß日本語\"\n\n> - ~~~\n": "adversarial",
    "|a|b|\r\n: d\r\n: : d\n \t: [r]\n    - ---\n  :   : x\\\r\n": "corners",
    "~x~\n: [r]: /u\r\n~~[r]~~\n  : 1. [r]\n  - -|-\r-\t[^1]: ~~a~~\n-\tx  \n": "corners",
    "- [x] \n- [ ]  \t*e*\n-\r\n-|-\n[r]\r\n: d\n   : d\n \t> # h\n": "corners",
    # In a list item, a line ending in `][` takes the next line into its link label, so that line
    # starts no block ("- [][\n  * ]").
    "__([[link](/url \"t\")\n\n: definition\r- > - <pre>\n- [x] <div>\n!*!<!-- c -->***\"|\r|---|:-:|\r\n## : "
    "\t**</span>ß\r- > - > 1. - [text][ref](`code`*em*日本語**)\n- [x] -![&amp;[^nope][ ]\\[\n    * : ~]__^\n"
    "    > - other:</Note>\n\n": "adversarial",
}


@pytest.mark.parametrize("generate, count, seed", [
    (adversarial, 20000, 1), (everyday, 20000, 2), (corners, 20000, 3),
], ids=["adversarial", "everyday", "corners"])
def test_generated_documents_match_the_oracle(generate, count, seed):
    parted = _parted(generate, COUNT or count, SEED or seed)
    unexpected = {doc: diff for doc, diff in parted.items() if doc not in KNOWN}
    assert not unexpected, "\n".join(unexpected.values())
    if not COUNT:
        assert set(parted) == {doc for doc, kind in KNOWN.items() if kind == generate.__name__}
