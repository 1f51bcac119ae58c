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
# reduces to one of three shapes (the shortest form in the comments), where the reference's
# block state goes astray in a way we do not follow.
KNOWN = {
    # A definition list nested in a definition, then a block that closes both: the reference
    # puts the block after the outer list yet keeps that list open ("--\n:n\n\t:\n >").
    "* 2) [ref][]`code`>日本語'<\"[ref][]\n\\[[&amp;\n: - (\t\n\n- - -\r__*em*\n\n# > - ```rust\n\n--|--\n"
    ": definition\n\n\t:</span>[ ]**other\r\n  > ***\n\n2) ## [ref][]ß日本語\"\n\n> - ~~~\n": "adversarial",
    "|a|b|\r\n: d\r\n: : d\n \t: [r]\n    - ---\n  :   : x\\\r\n": "corners",
    "~x~\n: [r]: /u\r\n~~[r]~~\n  : 1. [r]\n  - -|-\r-\t[^1]: ~~a~~\n-\tx  \n": "corners",
    "- [x] \n- [ ]  \t*e*\n-\r\n-|-\n[r]\r\n: d\n   : d\n \t> # h\n": "corners",
    # A definition list that ends on a definition closes the block quote or footnote definition
    # around it too, and the reference leaves that container's end at 0, before its start; ours
    # ends where it is closed ("> a\n> : b\n"). The rest of these streams is the reference's.
    "# \n  \n![_[ref][]`=\r\n![\\=-&amp;__[text][ref]\n\n[^1]: note\n\t: )[ref][]\r": "adversarial",
    "- - [x] \n- [x] > - </div>\n\n\t日本語\\[&amp;[^1]héllo***\r+ ===\n\n-->\n\n>--|--\n- [ ] 1. - #`\\*"
    "\n[^1]: `[^1])\n       : *\n    - > </Note>\n[ref]: /url\r2) 2) >\n": "adversarial",
    "- b\n   [^1]: n\n      : \t\r\n-|-\n: - [ ] ---\r- >\t:\n": "corners",
    "  *e*\r \t~x~\n[^1]: - [x] term\n-\t[^1]: x  \n\t \t: d\n  x  \r\\[r]\r\n": "corners",
    "- [ ] -\t\n- [x]     \n[^1]: x\\\n\t    \n    :\n": "corners",
    ">     - b\n \r~~[r]~~\r\n[^1]: n\nx  \n\t  : ~~a~~\n": "corners",
    "|a|b|\r\n>\t[^1]\n\t\t-->\na|b\r  - [^1]: n\r[^1]: n\r  \t:\n": "corners",
    " \n \t- [ ] ~~~\r[r]: /u\r\n> |a|b|\r  term\r> : \n": "corners",
    ">\ta\n>   : \t\n>\t<div>\r\n \t-->\r\t\t \r\n    [r]: /u\r\n": "corners",
    "~~[r]~~\n<e>\r- b\n[r]\r\n \n> [r]: /u 't'\r    ~~~\n>   : -|-\r\n": "corners",
    "[^1]: ~~a~~\n \t: \t\n\t-\t- b\n|a|b|\n-\t   ~x~\n-\ta\r\n": "corners",
    "~~a~~\n>\t: d\n>\t:\n": "corners",
    ">  \tx  \r \tx  \n>\t: d\n": "corners",
    "- [ ] *e*\r\n- [^1]: -->\r \t  : - b\n    ~~~\r\n    \tx\\\n> a|b\n\n": "corners",
    "[^1]: \\[r]\n\n  \t: d\r\n": "corners",
    "- [x] [^1]: |a|b|\r\nx\\\n\t \t: d\r\n: d\n  - [x] [r][]\r- [x]     \r": "corners",
    "[^1]: [r]: /u\n-|-\r\t: d\n[r]\n": "corners",
    "[^1]: n\n\t: a\n": "corners",
    "- [ ] -|-\r[^1]: *e*\n\t: d\r[r]: /u 't'\n[r]: /u\n\n": "corners",
    "[^1]: n\r\n    : [r]\r\n\t\t\\[r]\r\n  |a|b|\n": "corners",
    "- [ ] ```\n\t  x  \n[^1]: : -|-\n- [ ] - x\\\ra\r\n \n[^1]: n\r \t: ---\r\n": "corners",
    "[^1]: [r]\r     :     \n": "corners",
    "[^1]: ```\n[^1]: n\r\n\t:\n": "corners",
    "[^1]: -->\r \t: :\n    - b\n: -->\n[r]: /u\n  -->\r>\t\t\r\n  -   : ~~a~~\r": "corners",
    "-\n  : *e*\n-\t[^1]: n\r     \t: d\r\\[r]\n<!--\n": "corners",
    " \t~~[r]~~\n> - [ ] ~~~\n>\t~~[r]~~\r\n  > ~x~\n\t\t*e*\r  > : d\r\n\t1. : d\n": "corners",
    "-   : -\n    a|b\r:\n  ~~[r]~~\n  [r]\r>\t \n[^1]: ~x~\n \t: d\n": "corners",
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
