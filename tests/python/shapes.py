"""One-line shapes of parsed nodes, so that a table row can state a whole
expected subtree: each node's payload and its byte span."""

from vyn import _vyn

SKIPPED = {"type", "position", "children", "tree"}


def shape(nodes):
    return " ".join(shape_node(node) for node in nodes)


def shape_node(node):
    span = "@{}-{}".format(node["position"]["start"]["offset"], node["position"]["end"]["offset"])
    if node["type"] == "text":
        return repr(node["value"]) + span
    fields = ",".join("{}={!r}".format(key, node[key]) for key in sorted(node) if key not in SKIPPED)
    out = node["type"] + ("{" + fields + "}" if fields else "")
    if "children" in node:
        out += "(" + shape(node["children"]) + ")"
    return out + span


def parsed(text):
    """The shape of a document's top-level nodes."""
    return shape(_vyn.parse(text)["children"])
