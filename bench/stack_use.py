"""Machine stack used by each module function on deep inputs, per level of
nesting, to size the depth bounds against a thread with a small stack.

Run from the repository root after a build:
    PYTHONPATH=build/python python3 bench/stack_use.py [case-name-fragment]

Each call runs on a thread whose stack is a painted buffer of our own; the
bytes overwritten after the call are the deepest the stack reached. Every case
is measured at two depths, and the difference over the levels between them is
the cost of one level of that shape (a node level, a math level or a JSON
level), beside the whole use at the deeper one. The inputs are the same
shapes as tests/python/test_depth.py builds.
"""

import ctypes
import ctypes.util
import mmap
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "tests" / "python"))

import deep  # noqa: E402
from vyn import _vyn  # noqa: E402

STACK = 64 << 20
PAINT = 0xA5

libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
START = ctypes.CFUNCTYPE(ctypes.c_void_p, ctypes.c_void_p)


def stack_used(call):
    """Bytes of stack that `call()` reached on a fresh thread."""
    memory = mmap.mmap(-1, STACK)
    anchor = ctypes.c_char.from_buffer(memory)
    base = ctypes.addressof(anchor)
    ctypes.memset(base, PAINT, STACK)
    attributes = ctypes.create_string_buffer(128)
    libc.pthread_attr_init(attributes)
    libc.pthread_attr_setstack(attributes, ctypes.c_void_p(base), ctypes.c_size_t(STACK))
    failure = []

    def run(_):
        try:
            call()
        except ValueError:  # a clean error: the stack it took still counts
            pass
        except BaseException as error:  # reported after the join
            failure.append(error)
        return None

    start = START(run)
    thread = ctypes.c_ulong()
    if libc.pthread_create(ctypes.byref(thread), attributes, start, None) != 0:
        raise OSError(ctypes.get_errno(), "pthread_create")
    libc.pthread_join(thread, None)
    libc.pthread_attr_destroy(attributes)
    painted = ctypes.string_at(base, STACK)
    used = STACK - (len(painted) - len(painted.lstrip(bytes([PAINT]))))
    del painted, anchor
    memory.close()
    if failure:
        raise failure[0]
    return used


def main(selected):
    baseline = stack_used(lambda: _vyn.parse("x"))
    print(f"baseline (parse of one letter): {baseline} bytes\n")
    print(f"{'case':58} {'levels':>7} {'bytes':>9} {'per level':>10}")
    for case in deep.CASES:
        if selected and selected not in case.name:
            continue
        low, high = case.deepest // 2, case.deepest
        used_low = stack_used(lambda: case.run(low))
        used_high = stack_used(lambda: case.run(high))
        per_level = (used_high - used_low) / (high - low)
        print(f"{case.name:58} {high:7} {used_high:9} {per_level:10.0f}")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "")
