"""Python values to the module's JSON values: what trees and schemas may hold."""

import collections.abc
import math

import pytest

from trees import Pairs, attribute, component, root
from vyn import _vyn


class Triple(collections.abc.Sequence):
    """A sequence that is neither a list nor a tuple."""

    def __getitem__(self, index):
        return (1, "two", None)[index]

    def __len__(self):
        return 3


def round_trip(value):
    """The value as it comes back after conversion, read as an attribute value."""
    tree = root([component("C", [attribute("v", value)])])
    (found,) = _vyn.query_all(tree, "component")
    return found["attributes"][0]["value"]


@pytest.mark.parametrize(
    "value, expected",
    [
        (None, None),
        (True, True),
        (0, 0),
        (2**64 - 1, 2**64 - 1),
        (-(2**63), -(2**63)),
        (1.5, 1.5),
        (math.nan, None),
        (math.inf, None),
        (-math.inf, None),
        ("é\u2028", "é\u2028"),
        ((1, (2,)), [1, [2]]),
        ({3}, [3]),
        (frozenset(["a"]), ["a"]),
        (range(3), [0, 1, 2]),
        (Triple(), [1, "two", None]),
        (Pairs(b=1, a=(2,)), {"a": [2], "b": 1}),
        ({"b": 1, "B": 2, "a": {"z": [], "y": {}}}, {"B": 2, "a": {"y": {}, "z": []}, "b": 1}),
    ],
)
def test_values_convert_by_the_table(value, expected):
    result = round_trip(value)
    assert result == expected
    assert type(result) is type(expected)
    if isinstance(expected, dict):
        assert list(result) == sorted(result)


def test_a_shared_part_is_not_a_cycle():
    shared = [1, 2]
    assert round_trip([shared, shared, {"a": shared}]) == [[1, 2], [1, 2], {"a": [1, 2]}]


def self_containing_list():
    value = []
    value.append(value)
    return value


def self_containing_dict():
    value = {}
    value["me"] = [value]
    return value


def nested(depth):
    value = []
    for _ in range(depth):
        value = [value]
    return value


@pytest.mark.parametrize(
    "value, message",
    [
        (2**64, "JSON number out of range"),
        (-(2**63) - 1, "JSON number out of range"),
        (10**40, "JSON number out of range"),
        (b"abc", "unsupported type bytes"),
        (bytearray(b"abc"), "unsupported type bytearray"),
        (object(), "unsupported type object"),
        ({1: "a"}, "dict keys must have type str"),
        ({("k",): "a"}, "dict keys must have type str"),
        (self_containing_list(), "value contains itself"),
        (self_containing_dict(), "value contains itself"),
        (nested(100_000), "value nested more than 2048 levels deep"),
    ],
)
def test_values_without_a_json_form_are_value_errors(value, message):
    with pytest.raises(ValueError) as caught:
        round_trip(value)
    assert str(caught.value) == message
    with pytest.raises(ValueError) as caught:
        _vyn.collect_text(value)
    assert str(caught.value) == message


def depth(value):
    levels = 0
    while isinstance(value, list):
        levels, value = levels + 1, value[0] if value else None
    return levels


def test_the_depth_bound_counts_container_levels():
    # The tree holds the attribute value five containers deep.
    assert depth(round_trip(nested(2048 - 6))) == 2048 - 5
    with pytest.raises(ValueError, match="nested more than 2048"):
        round_trip(nested(2048 - 5))


def test_a_lone_surrogate_is_a_value_error():
    with pytest.raises(ValueError, match="surrogates not allowed"):
        round_trip("\ud800")


def test_python_errors_inside_a_mapping_become_value_errors():
    class Broken(Pairs):
        def __getitem__(self, key):
            raise KeyError("gone")

    with pytest.raises(ValueError, match="gone"):
        round_trip(Broken(a=1))
