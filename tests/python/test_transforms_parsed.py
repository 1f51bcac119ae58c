"""The three transforms on parsed documents, through the module."""

import pytest

from vyn import _vyn


def ids(tree):
    return [heading.get("id") for heading in _vyn.query_all(tree, "heading")]


def slugged(text):
    return ids(_vyn.parse_with_transforms(text, ["auto-slug"]))


@pytest.mark.parametrize(
    "heading, slug",
    [
        ("Hello, World!", "hello-world"),
        ("2.1 Setup", "2-1-setup"),
        ("Q&A: Part #2", "q-a-part-2"),
        ("snake_case-name", "snake-case-name"),
        ("Über uns", "ber-uns"),
        ("Café", "caf"),
        ("Hello *big* world", "hello-big-world"),
        ("Use `foo` now", "use-now"),
        ("日本語", None),
        ("`only code`", None),
    ],
)
def test_headings_get_the_slug_of_their_text(heading, slug):
    assert slugged(f"# {heading}\n") == [slug]


def test_repeated_slugs_are_numbered_by_base_slug():
    assert slugged("# Intro\n\n# Intro\n\n# Intro\n") == ["intro", "intro-1", "intro-2"]
    assert slugged("# Intro\n\n# Intro 1\n\n# Intro\n") == ["intro", "intro-1", "intro-1"]


def test_a_second_auto_slug_changes_nothing():
    text = "# Intro\n\n# Intro\n\n# `code`\n"
    once = _vyn.parse_with_transforms(text, ["auto-slug"])
    assert _vyn.parse_with_transforms(text, ["auto-slug", "auto-slug"]) == once
    assert ids(once) == ["intro", "intro-1", None]


def test_headings_are_slugged_in_document_order_except_in_definition_lists():
    text = (
        "<Card>\n## Setup\n</Card>\n\n## Setup\n\n> ## Quote\n\n- ## Item\n\n"
        "Term\n: ## Hidden\n\n[^1]: ## Note\n\nx[^1]\n"
    )
    tree = _vyn.parse_with_transforms(text, ["auto-slug"])
    by_text = {_vyn.collect_text({**tree, "children": [h]}): h.get("id") for h in _vyn.query_all(tree, "heading")}
    assert by_text == {"Setup": "setup-1", "Quote": "quote", "Item": "item", "Hidden": None, "Note": "note"}
    assert ids(tree)[0] == "setup"


SAMPLE = "# Title\n\n<TableOfContents />\n\n## Intro\n\n### Setup\n\n#### Detail\n\n## Usage\n"


def toc_items(tree):
    (table,) = [node for node in tree["children"] if node["type"] == "component" and node["name"] == "TableOfContents"]
    (listing,) = table["children"]
    return [
        (item["children"][0]["children"][0]["value"], item["children"][0]["url"], item["depth"])
        for item in listing["children"]
    ]


def test_the_default_table_links_to_the_slugs():
    tree = _vyn.parse_with_defaults(SAMPLE)
    assert toc_items(tree) == [("Intro", "#intro", 2), ("Setup", "#setup", 3), ("Usage", "#usage", 2)]
    zero = {"column": 0, "line": 0, "offset": 0}
    table = tree["children"][1]
    assert table["position"] == {"end": zero, "start": zero}
    assert table["isInline"] is False and table["attributes"] == [] and "rawContent" not in table


def test_entries_show_the_heading_text_without_markup():
    tree = _vyn.parse_with_defaults("<TableOfContents />\n\n## Hello *big* world\n")
    assert toc_items(tree) == [("Hello big world", "#hello-big-world", 2)]


def test_toc_before_auto_slug_links_nowhere():
    before = _vyn.parse_with_transforms(SAMPLE, ["toc", "auto-slug"])
    after = _vyn.parse_with_transforms(SAMPLE, ["auto-slug", "toc"])
    assert [url for _, url, _ in toc_items(before)] == ["", "", ""]
    assert after == _vyn.parse_with_defaults(SAMPLE)
    assert before != after


@pytest.mark.parametrize(
    "text",
    [
        "## Intro\n",
        "<TableOfContents>x</TableOfContents>\n\n## Intro\n",
        "- <TableOfContents />\n\n## Intro\n",
        "<Card>\n<TableOfContents />\n</Card>\n\n## Intro\n",
        "<TableOfContents />\n\n# Only a title\n",
    ],
)
def test_without_a_usable_placeholder_the_tree_is_unchanged(text):
    assert _vyn.parse_with_transforms(text, ["toc"]) == _vyn.parse(text)


def test_each_application_fills_one_placeholder():
    text = "<TableOfContents />\n\n## Intro\n\n<TableOfContents></TableOfContents>\n"
    once = _vyn.parse_with_transforms(text, ["toc"])
    twice = _vyn.parse_with_transforms(text, ["toc", "toc"])
    assert once["children"][2]["children"] == []
    assert twice["children"][2] == twice["children"][0] == once["children"][0]
    assert _vyn.parse_with_transforms(text, ["toc", "toc", "toc"]) == twice


def test_a_heading_in_a_definition_description_is_listed_without_a_link():
    tree = _vyn.parse_with_defaults("<TableOfContents />\n\nTerm\n: ## Hidden\n\n## Shown\n")
    assert toc_items(tree) == [("Hidden", "", 2), ("Shown", "#shown", 2)]


def links(tree):
    return [(link["url"], link["children"][0]["value"]) for link in _vyn.query_all(tree, "link")]


def test_github_references_become_links():
    tree = _vyn.parse_with_transforms("See #12, @bob and deadbeef.\n", ["github"], "acme/tools")
    assert links(tree) == [
        ("https://github.com/acme/tools/issues/12", "#12"),
        ("https://github.com/bob", "@bob"),
        ("https://github.com/acme/tools/commit/deadbeef", "deadbee"),
    ]
    (paragraph,) = tree["children"]
    assert [node["type"] for node in paragraph["children"]] == ["text", "link", "text", "link", "text", "link", "text"]


def test_github_pieces_are_placed_from_the_start_of_their_text():
    tree = _vyn.parse_with_transforms("x\n\n> > See #12.\n", ["github"], "a/b")
    (link,) = _vyn.query_all(tree, "link")
    text_before = [t for t in _vyn.query_all(tree, "text") if t["value"] == "See "][0]
    assert text_before["position"]["start"] == {"column": 5, "line": 3, "offset": 7}
    assert link["position"] == {
        "end": {"column": 12, "line": 3, "offset": 14},
        "start": {"column": 9, "line": 3, "offset": 11},
    }


@pytest.mark.parametrize(
    "frontmatter, repo, url",
    [
        ("github: acme/tools\n", None, "https://github.com/acme/tools/issues/5"),
        ("github: acme/tools\n", "", "https://github.com/acme/tools/issues/5"),
        ("github: acme/tools\n", "a/b", "https://github.com/a/b/issues/5"),
        ("github: ''\n", None, "https://github.com//issues/5"),
        ("github: 42\n", None, None),
        ("title: x\n", None, None),
        (None, None, None),
    ],
)
def test_the_repository_comes_from_repo_or_the_frontmatter(frontmatter, repo, url):
    text = ("---\n" + frontmatter + "---\n" if frontmatter else "") + "Fixes #5.\n"
    tree = _vyn.parse_with_transforms(text, ["github"], repo)
    if url is None:
        assert tree == _vyn.parse(text)
    else:
        assert links(tree) == [(url, "#5")]


def test_text_in_links_and_code_is_never_linked():
    text = "[#1](u) ![#5](i.png) `#2` $#3$\n\n```\n#4\n```\n"
    assert _vyn.parse_with_transforms(text, ["github"], "a/b") == _vyn.parse(text)


@pytest.mark.parametrize(
    "text",
    [
        "*#1*\n",
        "~~#1~~\n",
        "# #1\n",
        "> #1\n",
        "- #1\n",
        "| a |\n|---|\n| #1 |\n",
        "Term\n: #1\n",
        "x[^n]\n\n[^n]: #1\n",
        "<div>\n#1\n</div>\n",
        "<Note>\n#1\n</Note>\n",
        "a <Chip>#1</Chip> b\n",
    ],
)
def test_text_in_containers_is_linked(text):
    assert links(_vyn.parse_with_transforms(text, ["github"], "a/b")) == [("https://github.com/a/b/issues/1", "#1")]
