"""Every module function at the deepest input its bounds allow, on a thread
with a 1 MB stack, as Python programs create with threading.stack_size; and
one level past each bound, which must give the bound's error.

Each case runs in a child interpreter, so that a stack overflow fails its test
instead of ending the test run. Under AddressSanitizer frames are several
times larger: set VYN_DEPTH_STACK_SIZE (in bytes, for example 8388608) there.
"""

import json
import os
import pathlib
import subprocess
import sys

import pytest

import deep

HERE = pathlib.Path(__file__).resolve().parent
STACK_SIZE = int(os.environ.get("VYN_DEPTH_STACK_SIZE", 1 << 20))

CHILD = """
import json, sys, threading
import deep

case = deep.BY_NAME[sys.argv[1]]
found = {}

def run():
    for label, level in (("deepest", case.deepest), ("past", case.deepest + 1)):
        found[label] = sorted(deep.outcome(case.run, level))

threading.stack_size(int(sys.argv[2]))
thread = threading.Thread(target=run)
thread.start()
thread.join()
print(json.dumps(found))
"""


def run_on_small_stack(name):
    environment = dict(os.environ, PYTHONPATH=os.pathsep.join([str(HERE), *sys.path]))
    child = subprocess.run([sys.executable, "-c", CHILD, name, str(STACK_SIZE)], capture_output=True, text=True,
                           env=environment, timeout=600)
    assert child.returncode == 0, f"{name}: exit {child.returncode}\n{child.stderr[-2000:]}"
    return json.loads(child.stdout)


@pytest.mark.parametrize("name", [case.name for case in deep.CASES])
def test_the_deepest_input_runs_and_one_level_more_meets_the_bound(name):
    case = deep.BY_NAME[name]
    found = run_on_small_stack(name)
    assert not deep.shows(found["deepest"], case.sign), found["deepest"][:3]
    assert deep.shows(found["past"], case.sign), found["past"][:3]


def test_the_deepest_parsed_trees_read_back():
    # What the parser made of the deepest documents, formulas and frontmatter
    # included, and of those one level past a bound, reads back everywhere.
    for case in deep.CASES:
        if not case.name.startswith("parse of "):
            continue
        for level in (case.deepest, case.deepest + 1):
            tree = case.run(level)
            for read in deep.READERS.values():
                read(tree)
