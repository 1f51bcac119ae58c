"""Tree dicts built by hand, in the dictionary form the module reads."""

import collections.abc


class Pairs(collections.abc.Mapping):
    """A mapping that is not a dict."""

    def __init__(self, **items):
        self._items = items

    def __getitem__(self, key):
        return self._items[key]

    def __iter__(self):
        return iter(self._items)

    def __len__(self):
        return len(self._items)


def point(line=1, column=1, offset=0):
    return {"column": column, "line": line, "offset": offset}


def pos(start=(1, 1, 0), end=(1, 1, 0)):
    return {"end": point(*end), "start": point(*start)}


def text(value, position=None):
    return {"position": position or pos(), "type": "text", "value": value}


def block(kind, children=(), **fields):
    return {"children": list(children), "position": pos(), "type": kind, **fields}


def attribute(name, value, position=None):
    return {"name": name, "position": position or pos(), "value": value}


def component(name, attributes=(), children=(), position=None):
    return {
        "attributes": list(attributes),
        "children": list(children),
        "isInline": False,
        "name": name,
        "position": position or pos(),
        "type": "component",
    }


def root(children=(), frontmatter=None):
    return {"children": list(children), "frontmatter": frontmatter, "position": pos(), "type": "root"}
