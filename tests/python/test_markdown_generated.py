"""Generated documents that mix every construct, compared event by event with pulldown-cmark
0.12.2 through pyromark. Each hypothesis example is a batch of documents run through one
markdown-events process, so 10,000 documents stay quick."""

import sys
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))

from markdown_oracle import differences, ours, reference, tool_path  # noqa: E402

pytest.importorskip("pyromark")
hypothesis = pytest.importorskip("hypothesis")
st = hypothesis.strategies

pytestmark = pytest.mark.skipif(not tool_path().exists(), reason="markdown-events is not built")

BATCH = 100
BATCHES = 100

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

def _parted(documents):
    """The documents where our events and the reference's part, with where they do."""
    parted = []
    for doc, mine in zip(documents, ours(documents)):
        diff = differences(doc, mine, reference(doc))
        if diff:
            parted.append("\n".join(diff[:4]))
    return parted


inline_run = st.lists(st.sampled_from(INLINE), max_size=8).map("".join)
line = st.one_of(
    st.tuples(st.lists(st.sampled_from(PREFIX), max_size=3).map("".join), inline_run, st.sampled_from(ENDING)).map("".join),
    st.tuples(st.lists(st.sampled_from(PREFIX), max_size=2).map("".join), st.sampled_from(WHOLE_LINE),
              st.sampled_from(ENDING)).map("".join),
)
document = st.lists(line, max_size=12).map("".join)


# A long tail of differences remains on these adversarial documents (about one in two hundred:
# lone CR line endings, definition lists and empty items inside other containers, blank lines of
# code and HTML blocks after partly used tabs). A batch may hold one or two; a change that breaks
# something common shows up as many more.
ALLOWED_PER_BATCH = 5


@hypothesis.settings(max_examples=BATCHES, deadline=None, database=None,
                     phases=[hypothesis.Phase.generate],
                     suppress_health_check=list(hypothesis.HealthCheck))
@hypothesis.given(st.lists(document, min_size=BATCH, max_size=BATCH))
def test_generated_documents_match_the_oracle(documents):
    parted = _parted(documents)
    assert len(parted) <= ALLOWED_PER_BATCH, "\n".join(parted)


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
block = st.tuples(st.sampled_from(["", "", "", "  ", "> ", "- ", "1. "]), st.sampled_from(BLOCKS),
                  st.sampled_from(["", "\n"])).map("".join)
realistic = st.tuples(st.lists(block, min_size=1, max_size=12).map("".join), st.booleans()).map(
    lambda pair: pair[0].replace("\n", "\r\n") if pair[1] else pair[0])


@hypothesis.settings(max_examples=30, deadline=None, database=None, phases=[hypothesis.Phase.generate],
                     suppress_health_check=list(hypothesis.HealthCheck))
@hypothesis.given(st.lists(realistic, min_size=BATCH, max_size=BATCH))
def test_documents_of_everyday_blocks_match_the_oracle(documents):
    """Everyday Markdown (whole blocks, nested a little): at most a rare difference."""
    parted = _parted(documents)
    assert len(parted) <= 1, "\n".join(parted)
