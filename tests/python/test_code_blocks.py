"""Code blocks through parse: the language and the options read out of a
fence's info string."""

import pytest

from vyn import _vyn


def code_block(info):
    [node] = _vyn.parse("```{}\nx\n```\n".format(info))["children"]
    assert node["type"] == "code_block" and node["value"] == "x\n"
    return {key: node[key] for key in node if key not in ("position", "type", "value")}


CASES = [
    ("yaml title='config.yml' {1,3-5} showLineNumbers",
     {"lang": "yaml", "title": "config.yml", "highlight": [1, 3, 4, 5], "showLineNumbers": True}),
    ("py {2}  a   b", {"lang": "py", "highlight": [2], "meta": "a b"}),
    ("py a   b", {"lang": "py", "meta": "a   b"}),
    ("js {3-1}", {"lang": "js", "meta": "{3-1}"}),
    ("js {}", {"lang": "js", "meta": "{}"}),
    ("js {1,x}", {"lang": "js", "meta": "{1,x}"}),
    ("js {-2}", {"lang": "js", "meta": "{-2}"}),
    ("js {1-2-3}", {"lang": "js", "meta": "{1-2-3}"}),
    ("js {4294967296}", {"lang": "js", "meta": "{4294967296}"}),
    # More line numbers than one group may stand for (100,000).
    ("js {1-100001}", {"lang": "js", "meta": "{1-100001}"}),
    ("js {5, 1-3, 3}", {"lang": "js", "highlight": [1, 2, 3, 5]}),
    ("js {+3}", {"lang": "js", "highlight": [3]}),
    ("js { 2 , 4 }", {"lang": "js", "highlight": [2, 4]}),
    ("js {1,,2}", {"lang": "js", "highlight": [1, 2]}),
    ("py diff extra", {"lang": "py", "diff": True, "meta": "extra"}),
    ("py diffx", {"lang": "py", "meta": "diffx"}),
    ("py showLineNumbers\tdiff", {"lang": "py", "showLineNumbers": True, "diff": True}),
    ("py title=main", {"lang": "py", "meta": "title=main"}),
    ("py title='a' title='b'", {"lang": "py", "title": "b"}),
    ("py title='a'{1}", {"lang": "py", "title": "a", "highlight": [1]}),
    ("py title='My file.txt'", {"lang": "py", "title": "My file.txt"}),
    ("py title='a\\b'", {"lang": "py", "title": "a\\b"}),
    ("py title='\u00e9\\\u00e9'", {"lang": "py", "title": "\u00e9\\\u00e9"}),
    ("py title='open", {"lang": "py", "meta": "title='open"}),
    ("py caption=\"two words\" {7}", {"lang": "py", "caption": "two words", "highlight": [7]}),
    # The library resolves backslash escapes in the info string before the
    # options are read: "It\'s" arrives as "It's" and the quote ends the caption.
    ("py caption='It\\'s'", {"lang": "py", "caption": "It", "meta": "s'"}),
    ("py title='\\\\'", {"lang": "py", "meta": "title='\\'"}),
    ("", {}),
    ("yaml", {"lang": "yaml"}),
    ("yaml  {2}", {"lang": "yaml", "highlight": [2]}),
]


@pytest.mark.parametrize("info, fields", CASES)
def test_info_strings(info, fields):
    assert code_block(info) == fields


def test_indented_block_has_no_language():
    [node] = _vyn.parse("    x = 1\n")["children"]
    assert node == {
        "position": {"end": {"column": 1, "line": 2, "offset": 10}, "start": {"column": 5, "line": 1, "offset": 4}},
        "type": "code_block",
        "value": "x = 1\n",
    }


def test_code_is_kept_as_written():
    [node] = _vyn.parse("```\n$x$ [@k] {$v} &amp;\n```")["children"]
    assert node["value"] == "$x$ [@k] {$v} &amp;\n"
    assert (node["position"]["start"]["offset"], node["position"]["end"]["offset"]) == (0, 27)
