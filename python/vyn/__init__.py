"""VYN documents parsed into document trees."""

from vyn._vyn import (
    collect_text,
    parse,
    parse_with_defaults,
    parse_with_transforms,
    query_all,
    validate,
    version,
)

__all__ = [
    "parse",
    "parse_with_defaults",
    "parse_with_transforms",
    "validate",
    "collect_text",
    "query_all",
    "version",
]
