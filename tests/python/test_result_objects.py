"""The objects `parse` returns: each dict and list a place of its own, shared ints counted right."""

import collections
import sys

from vyn import _vyn

# Texts, inline code with and without a language, a link definition whose texts its uses share,
# containers; long enough that offsets run far past the ints the interpreter keeps.
LINE = "Some *text* with `code`{rust} and `plain code`, a [link][d] and [again][d].\n\n"
DOCUMENT = "---\ntitle: x\n---\n\n" + LINE * 150 + "- item `a`\n  - nested\n\n[d]: /url 'title'\n"


def walk(value):
    yield value
    children = value.values() if isinstance(value, dict) else value if isinstance(value, list) else ()
    for child in children:
        yield from walk(child)


def nodes_of(tree, kind):
    return [value for value in walk(tree) if isinstance(value, dict) and value.get("type") == kind]


def test_every_dict_and_list_is_its_own():
    tree = _vyn.parse(DOCUMENT)
    containers = [value for value in walk(tree) if isinstance(value, (dict, list))]
    assert len({id(value) for value in containers}) == len(containers)
    first, second = nodes_of(tree, "text")[:2]
    first["position"]["start"]["line"] = -1
    assert second["position"]["start"]["line"] != -1


def test_an_int_holds_one_reference_per_place_it_fills():
    tree = _vyn.parse(DOCUMENT)
    places = collections.Counter()
    ints = {}
    for value in walk(tree):
        if type(value) is int and value > 256:  # smaller ones are the interpreter's own
            places[id(value)] += 1
            ints[id(value)] = value
    assert max(places.values()) > 1  # some are shared
    # Counted against an int that nothing else holds, as the others are held here.
    control = int("7" * 30)
    ints[id(control)] = control
    places[id(control)] = 0
    del control
    extra = {key: sys.getrefcount(value) - places[key] for key, value in ints.items()}
    assert set(extra.values()) == {min(extra.values())}

def test_the_writers_agree_on_the_kinds_built_whole():
    tree = _vyn.parse(DOCUMENT)
    for kind in ("text", "code_inline"):
        found = nodes_of(tree, kind)
        assert {"lang" in node for node in found} == ({False, True} if kind == "code_inline" else {False})
        # query_all reads the tree back and writes each node key by key.
        assert _vyn.query_all(tree, kind) == found


def test_texts_keep_every_character_wherever_it_falls_in_the_word_sized_steps():
    for size in range(1, 20):
        for at in range(-1, size):
            # `at` is where one character outside ASCII stands (none for -1).
            text = "".join("é" if k == at else chr(ord("a") + k) for k in range(size))
            for document, kind in ((text + "\n", "text"), (f"`{text}`\n", "code_inline")):
                (node,) = nodes_of(_vyn.parse(document), kind)
                assert node["value"] == text
