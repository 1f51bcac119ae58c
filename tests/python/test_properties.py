"""Random trees and schemas never crash the functions that read them."""

from hypothesis import HealthCheck, given, settings
from hypothesis import strategies as st

from trees import attribute, block, component, pos, root, text
from vyn import _vyn

KIND_NAMES = ["text", "paragraph", "heading", "component", "link", "citation", "root", "Text", "error"]
PROP_TYPES = ["string", "number", "boolean", "enum", "object", "array", "variable", "any", "str"]

scalars = st.one_of(
    st.none(),
    st.booleans(),
    st.integers(min_value=-(2**70), max_value=2**70),
    st.floats(allow_nan=True, allow_infinity=True),
    st.text(max_size=8),
    st.sampled_from(KIND_NAMES + PROP_TYPES),
    st.just(b"bytes"),
)
values = st.recursive(
    scalars,
    lambda inner: st.one_of(
        st.lists(inner, max_size=4),
        st.tuples(inner, inner),
        st.dictionaries(st.text(max_size=6) | st.sampled_from(["type", "children", "position", "props"]), inner, max_size=4),
    ),
    max_leaves=20,
)

SAMPLE_TREE = root([
    block("heading", [text("Intro #1")], depth=2, id="intro"),
    component("Card", [attribute("title", "x"), attribute("n", 3)], [block("paragraph", [text("body")])]),
    block("list", [block("list_item", [text("item")])], ordered=False),
])


def paths(value, prefix=()):
    """Every place inside a nested value, as a key path."""
    yield prefix
    if isinstance(value, dict):
        for key, element in value.items():
            yield from paths(element, prefix + (key,))
    elif isinstance(value, list):
        for index, element in enumerate(value):
            yield from paths(element, prefix + (index,))


def replaced(value, path, new):
    if not path:
        return new
    copy = dict(value) if isinstance(value, dict) else list(value)
    copy[path[0]] = replaced(value[path[0]], path[1:], new)
    return copy


SAMPLE_PATHS = list(paths(SAMPLE_TREE))

mutated_trees = st.builds(
    lambda path, new: replaced(SAMPLE_TREE, path, new), st.sampled_from(SAMPLE_PATHS), values
)

prop_schemas = st.one_of(
    values,
    st.fixed_dictionaries(
        {"type": st.sampled_from(PROP_TYPES) | values},
        optional={"required": st.booleans() | values, "values": st.lists(st.text(max_size=3)) | values, "default": values},
    ),
)
component_schemas = st.one_of(
    values,
    st.fixed_dictionaries(
        {"props": st.dictionaries(st.sampled_from(["title", "n", "x"]), prop_schemas, max_size=3)},
        optional={
            "self_closing": st.booleans(),
            "allowed_children": st.lists(st.sampled_from(["Card", "Tab"])) | values,
        },
    ),
)
schemas = st.one_of(
    values,
    st.fixed_dictionaries(
        {"components": st.dictionaries(st.sampled_from(["Card", "Tab"]), component_schemas, max_size=2) | values},
        optional={
            "strict": st.booleans() | values,
            "global_props": st.lists(st.tuples(st.text(max_size=3), prop_schemas)) | values,
        },
    ),
)


def settles(call):
    """Runs a call that may fail only by ValueError or TypeError."""
    try:
        return call()
    except (ValueError, TypeError):
        return None


@settings(max_examples=300, suppress_health_check=[HealthCheck.too_slow])
@given(tree=st.one_of(mutated_trees, values), schema=schemas)
def test_validate_gives_findings_or_an_error(tree, schema):
    result = settles(lambda: _vyn.validate(tree, schema))
    if result is not None:
        for diagnostic in result:
            assert list(diagnostic) == ["column", "component", "line", "message", "severity"]


@settings(max_examples=300)
@given(tree=st.one_of(mutated_trees, values), node_type=st.sampled_from(KIND_NAMES))
def test_reading_functions_give_a_result_or_an_error(tree, node_type):
    found = settles(lambda: _vyn.query_all(tree, node_type))
    if found is not None:
        assert all(node["type"] == node_type for node in found)
    text_result = settles(lambda: _vyn.collect_text(tree))
    assert text_result is None or isinstance(text_result, str)


def test_the_sample_tree_reads():
    assert _vyn.collect_text(SAMPLE_TREE) == "Intro #1bodyitem"
    assert len(_vyn.query_all(SAMPLE_TREE, "text")) == 3
