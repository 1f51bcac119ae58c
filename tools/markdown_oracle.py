"""Shared by the Markdown oracle tests and tools/compare-markdown-events.py: runs our
markdown-events tool and pyromark (pulldown-cmark 0.12.2) and writes both event streams in the
same text form, `[event text, start, end]` with byte offsets."""

import json
import os
import subprocess
from pathlib import Path

OPTIONS = 0x101E  # tables, footnotes, strikethrough, task lists, definition lists


def tool_path():
    build = Path(os.environ.get("VYN_BUILD_DIR", "build"))
    return build / "tools" / "markdown-events"


def ours(documents, options=OPTIONS):
    """Our events for each document, through one batch run of the tool."""
    result = subprocess.run(
        [str(tool_path()), "--batch", "--options", str(options)],
        input=json.dumps(documents).encode(),
        capture_output=True,
        check=True,
    )
    # One line a document; str.splitlines would also part at U+2028, U+0085 and the like in a payload.
    return [json.loads(line) for line in result.stdout.decode().split("\n")[:-1]]


def _quoted(s):
    return json.dumps(s, ensure_ascii=False)


def _tag(tag, end):
    if isinstance(tag, str):
        return tag
    ((name, value),) = tag.items()
    if name == "Heading":
        return f"Heading({value['level'] if isinstance(value, dict) else value})"
    if name == "BlockQuote":
        return f"BlockQuote({value})"
    if name == "CodeBlock":
        return "CodeBlock(Indented)" if value == "Indented" else f"CodeBlock(Fenced({_quoted(value['Fenced'])}))"
    if name == "List":
        if end:
            return f"List({'true' if value else 'false'})"
        return "List(None)" if value is None else f"List(Some({value}))"
    if name == "FootnoteDefinition":
        return f"FootnoteDefinition({_quoted(value)})"
    if name == "Table":
        return f"Table([{', '.join(value)}])"
    if name in ("Link", "Image"):
        parts = [_quoted(value[k]) for k in ("dest_url", "title", "id")]
        return f"{name}({value['link_type']}, {', '.join(parts)})"
    raise ValueError(f"unknown tag {tag!r}")


def event_text(event):
    if isinstance(event, str):
        return event
    ((kind, value),) = event.items()
    if kind in ("Start", "End"):
        return f"{kind}({_tag(value, kind == 'End')})"
    if kind == "TaskListMarker":
        return f"TaskListMarker({'true' if value else 'false'})"
    return f"{kind}({_quoted(value)})"


def reference(document, options=OPTIONS):
    """pulldown-cmark 0.12.2's events for one document, via pyromark; None where it panics
    (pulldown-cmark 0.12.2 has inputs that crash it; there is nothing to compare with)."""
    import pyromark

    try:
        events = pyromark.events_with_range(document, options=options)
    except BaseException as panic:  # pyo3_runtime.PanicException derives from BaseException
        if type(panic).__name__ != "PanicException":
            raise
        return None
    return [[event_text(event), span["start"], span["end"]] for event, span in events]


def _same_but_zero_end(a, b):
    return a == b or (a[:2] == b[:2] and b[2] == 0)


def ends_at_zero_only(mine, theirs):
    """Whether two streams part only where pulldown-cmark ends a container at offset 0, before
    its start (a block quote, footnote definition or list closed with the definition list inside it),
    which ours ends where it closes."""
    return len(mine) == len(theirs) and all(_same_but_zero_end(a, b) for a, b in zip(mine, theirs))


def drops_blocks_only(mine, theirs):
    """Whether pulldown-cmark's stream is ours with whole blocks or runs of text left out: where
    it loses input, ours keeps it. It drops the blocks after a paragraph that link reference
    definitions left empty in a tight list item, all but the first of the blocks read into a
    definition list closed from within, and the rest of a block in which a link's reference label
    closes. Each run of events only ours has must open and close the same containers. The events
    both have may part where pulldown-cmark ends a container at 0, as in `ends_at_zero_only`."""
    if len(theirs) >= len(mine):
        return False
    matched = depth = 0
    for event in mine:
        if depth == 0 and matched < len(theirs) and _same_but_zero_end(event, theirs[matched]):
            matched += 1
            continue
        depth += event[0].startswith("Start(") - event[0].startswith("End(")
        if depth < 0:
            return False
    return matched == len(theirs) and depth == 0


def differences(document, mine, theirs):
    """Human-readable lines for where two event streams part."""
    if theirs is None or mine == theirs:
        return []
    lines = [f"document {document!r}"]
    for i in range(max(len(mine), len(theirs))):
        a = mine[i] if i < len(mine) else None
        b = theirs[i] if i < len(theirs) else None
        if a != b:
            lines.append(f"  event {i}: ours {a} reference {b}")
    return lines
