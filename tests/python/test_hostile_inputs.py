"""What keeps hostile documents from multiplying their size in the result: objects shared where the
same value repeats, and the bounds past which a construct gives up its extra output. The cost of
each family is measured in bench/hostile.py, not here."""

from vyn import _vyn


def test_the_uses_of_a_link_definition_share_its_texts():
    dest = "/" + "u" * 1000
    tree = _vyn.parse(f'[a]: {dest} "t"\n\n[a] [a][] ![a] [A]\n\n[x]({dest} "t")\n')
    paragraphs = tree["children"]
    uses = [n for n in paragraphs[0]["children"] if n["type"] in ("link", "image")]
    assert len(uses) == 4
    assert all(n["url"] == dest and n["title"] == "t" for n in uses)
    assert all(n["url"] is uses[0]["url"] and n["title"] is uses[0]["title"] for n in uses)
    # An inline link holds its own text, equal but not shared.
    (inline,) = paragraphs[1]["children"]
    assert inline["url"] == dest and inline["url"] is not uses[0]["url"]


def test_the_code_blocks_of_a_document_share_one_highlight_budget():
    def block(group):
        return f"```a {{{group}}}\n```\n"

    # 100,000 lines and one per input byte in all: after the first group, 65 are left.
    text = block("1-99999") + block("1-66") + block("1-65") + block("1")
    assert 100000 + len(text) - 99999 == 65
    blocks = _vyn.parse(text)["children"]
    assert blocks[0]["highlight"] == list(range(1, 100000))
    assert "highlight" not in blocks[1] and blocks[1]["meta"] == "{1-66}"
    assert blocks[2]["highlight"] == list(range(1, 66))
    assert "highlight" not in blocks[3] and blocks[3]["meta"] == "{1}"


def test_a_repository_github_could_not_hold_makes_no_links():
    def links(text, repo=None):
        tree = _vyn.parse_with_transforms(text, ["github"], repo)
        return [n["url"] for n in _vyn.query_all(tree, "link")]

    longest = "o" * 39 + "/" + "r" * 100
    assert links("#1 @me", longest) == [f"https://github.com/{longest}/issues/1", "https://github.com/me"]
    for repo in ("o" * 40 + "/r", "o/" + "r" * 101, "o/r x", "o/r/x", "o_/r"):
        assert links("#1 @me deadbeef", repo) == [], repo
    assert links("---\ngithub: o/" + "r" * 400 + "\n---\n#1 #2\n") == []


def test_rows_keep_only_their_written_cells_once_the_parse_has_filled_its_budget():
    columns, rows = 200, 100
    text = "|x" * columns + "\n" + "|-" * columns + "\n" + "|y\n" * rows
    head, *body = _vyn.parse(text)["children"][0]["children"]
    assert len(head["children"]) == columns
    # 10,000 cells and one per 4 input bytes fill up short rows, in document order.
    budget = 10000 + len(text) // 4
    assert budget < rows * (columns - 1)
    filled = [len(row["children"]) - 1 for row in body]
    full = budget // (columns - 1)
    assert filled == [columns - 1] * full + [budget % (columns - 1)] + [0] * (rows - full - 1)
    assert all(row["children"][0]["children"][0]["value"] == "y" for row in body)
    end = body[0]["position"]["end"]
    assert body[0]["children"][-1] == {"children": [], "position": {"start": end, "end": end}, "type": "table_cell"}
