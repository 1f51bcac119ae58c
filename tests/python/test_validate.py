"""validate: schema dicts, findings and their dict form."""

import pytest

from trees import attribute, block, component, pos, root, text
from vyn import _vyn

PROP_TYPES = "`string`, `number`, `boolean`, `enum`, `object`, `array`, `variable`, `any`"


def at(line, column):
    return pos((line, column, 0), (line, column + 1, 1))


def messages(tree, schema):
    return [d["message"] for d in _vyn.validate(tree, schema)]


def test_a_diagnostic_has_five_keys_in_sorted_order():
    tree = root([component("Card", [attribute("x", 1, at(3, 7))], position=at(3, 1))])
    schema = {"components": {"Card": {"props": {}}}, "strict": True}
    assert _vyn.validate(tree, schema) == [
        {"column": 7, "component": "Card", "line": 3, "message": "unknown prop `x` on <Card>", "severity": "warning"}
    ]
    assert list(_vyn.validate(tree, schema)[0]) == ["column", "component", "line", "message", "severity"]


def test_an_empty_schema_finds_nothing_unless_strict():
    tree = root([component("Card", children=[component("Inner")]), block("paragraph", [component("Chip")])])
    assert _vyn.validate(tree, {"components": {}}) == []
    assert messages(tree, {"components": {}, "strict": True}) == ["unknown component <Card>", "unknown component <Chip>"]


def test_a_variable_reference_read_from_a_dict_is_an_object():
    variable = {"path": "site.title", "position": pos()}
    tree = root([component("X", [attribute(name, variable) for name in ("o", "a", "v", "s")])])
    props = {"o": {"type": "object"}, "a": {"type": "any"}, "v": {"type": "variable"}, "s": {"type": "string"}}
    assert messages(tree, {"components": {"X": {"props": props}}}) == [
        "prop `v` on <X> expects variable, got object",
        "prop `s` on <X> expects string, got object",
    ]


def test_findings_come_in_step_order_then_children():
    schema = {
        "components": {
            "Tabs": {"props": {}, "allowed_children": ["Tab"]},
            "Tab": {
                "props": {"title": {"type": "string", "required": True}, "b": {"type": "enum", "required": True}},
                "self_closing": True,
            },
            "Icon": {"props": {"k": {"type": "enum", "values": ["a", "b"]}}},
        },
        "strict": True,
        "global_props": [["id", {"type": "string"}], ["id", {"type": "number"}]],
    }
    tree = root([
        component("Tabs", children=[
            component("Tab", [attribute("title", 3), attribute("id", 1), attribute("zz", None)], [text("x")]),
            component("Card"),
            block("paragraph", [component("Icon", [attribute("k", "c"), attribute("k", 3)])]),
        ]),
    ])
    assert messages(tree, schema) == [
        "<Tab> must be self-closing (no children)",
        "missing required prop `b`",
        "prop `title` on <Tab> expects string, got number",
        "prop `id` on <Tab> expects string, got number",
        "unknown prop `zz` on <Tab>",
        "<Card> is not allowed as a child here",
        "unknown component <Card>",
        'prop `k` on <Icon> must be one of [a, b], got "c"',
        "prop `k` on <Icon> expects string (enum), got number",
    ]


def test_schema_records_read_from_arrays():
    schema = [{"X": [{"p": ["number", True]}, True, None]}, False, [["g", ["string"]]]]
    tree = root([component("X", [attribute("g", 1)], [text("x")])])
    assert messages(tree, schema) == [
        "<X> must be self-closing (no children)",
        "missing required prop `p`",
        "prop `g` on <X> expects string, got number",
    ]


@pytest.mark.parametrize("form", ["enum", {"enum": None}])
def test_a_prop_type_is_a_name_or_a_single_key_map(form):
    tree = root([component("X", [attribute("k", "c")])])
    schema = {"components": {"X": {"props": {"k": {"type": form, "values": ["a"]}}}}}
    assert messages(tree, schema) == ['prop `k` on <X> must be one of [a], got "c"']


def comp(**fields):
    return {"components": {"X": {"props": {}, **fields}}}


def prop(**fields):
    return {"components": {"X": {"props": {"p": {"type": "string", **fields}}}}}


@pytest.mark.parametrize(
    "schema, message",
    [
        ({}, "missing field `components`"),
        ({"components": []}, "invalid type: sequence, expected a map"),
        ({"components": {"X": {}}}, "missing field `props`"),
        ({"components": {"X": {"props": {"p": {}}}}}, "missing field `type`"),
        ({"components": {}, "global_props": {}}, "invalid type: map, expected a sequence"),
        ({"components": {}, "global_props": [["g"]]}, "invalid length 1, expected a tuple of size 2"),
        ({"components": {}, "global_props": [[]]}, "invalid length 0, expected a tuple of size 2"),
        ({"components": {}, "global_props": [["g", {"type": "any"}, 1]]}, "invalid length 3, expected fewer elements in array"),
        ({"components": {}, "global_props": [[1, {"type": "any"}]]}, "invalid type: integer `1`, expected a string"),
        ({"components": {}, "global_props": ["g"]}, 'invalid type: string "g", expected a tuple of size 2'),
        ({"components": {}, "strict": None}, "invalid type: null, expected a boolean"),
        (comp(self_closing=1), "invalid type: integer `1`, expected a boolean"),
        (comp(allowed_children="Tab"), 'invalid type: string "Tab", expected a sequence'),
        (comp(allowed_children=[1]), "invalid type: integer `1`, expected a string"),
        (comp(description=False), "invalid type: boolean `false`, expected a string"),
        (prop(type="str"), f"unknown variant `str`, expected one of {PROP_TYPES}"),
        (prop(type="String"), f"unknown variant `String`, expected one of {PROP_TYPES}"),
        (prop(type={"str": None}), f"unknown variant `str`, expected one of {PROP_TYPES}"),
        (prop(type={}), "invalid value: map, expected map with a single key"),
        (prop(type={"string": None, "number": None}), "invalid value: map, expected map with a single key"),
        (prop(type={"string": 1}), "invalid type: integer `1`, expected unit"),
        (prop(type=3), "invalid type: integer `3`, expected string or map"),
        (prop(type=["string"]), "invalid type: sequence, expected string or map"),
        (prop(required=None), "invalid type: null, expected a boolean"),
        (prop(values=[2.5]), "invalid type: floating point `2.5`, expected a string"),
        ("schema", 'invalid type: string "schema", expected struct Schema'),
        ([], "invalid length 0, expected struct Schema with 3 elements"),
        ([{}, False, [], 1], "invalid length 4, expected fewer elements in array"),
        ({"components": {"X": []}}, "invalid length 0, expected struct ComponentSchema with 4 elements"),
        ({"components": {"X": [{}, False, None, None, 1]}}, "invalid length 5, expected fewer elements in array"),
        ({"components": {"X": {"props": {"p": []}}}}, "invalid length 0, expected struct PropSchema with 5 elements"),
        ({"components": {"X": {"props": {"p": 7}}}}, "invalid type: integer `7`, expected struct PropSchema"),
    ],
)
def test_schemas_that_do_not_read_are_value_errors(schema, message):
    with pytest.raises(ValueError) as caught:
        _vyn.validate(root(), schema)
    assert str(caught.value) == message


def test_defaults_and_descriptions_are_read_and_ignored():
    schema = {"components": {"X": {"props": {"p": {"type": "any", "default": {"a": [1]}, "description": "d"}},
                                    "description": None}}}
    assert _vyn.validate(root([component("X")]), schema) == []


def test_the_first_problem_in_argument_order_is_reported():
    bad_tree, bad_schema = {"type": "root"}, {"components": 1}
    cases = [
        ((b"ast", b"schema"), "unsupported type bytes"),
        ((bad_tree, {1: 2}), "dict keys must have type str"),
        ((bad_tree, bad_schema), "missing field `children`"),
        ((root(), bad_schema), "invalid type: integer `1`, expected a map"),
    ]
    for args, message in cases:
        with pytest.raises(ValueError) as caught:
            _vyn.validate(*args)
        assert str(caught.value) == message


def test_validate_binds_its_arguments():
    with pytest.raises(TypeError) as caught:
        _vyn.validate(root())
    assert str(caught.value) == "validate() missing 1 required positional argument: 'schema'"
    assert _vyn.validate(schema={"components": {}}, ast=root()) == []
