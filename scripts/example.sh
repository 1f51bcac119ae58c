#!/usr/bin/env bash
# Sets up, installs the vyn package and prints the tree of an example
# document (default: examples/guide.vyn) as indented JSON.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
python3 -m pip install -q --no-build-isolation --root-user-action=ignore .
python3 - "${1:-examples/guide.vyn}" <<'PY'
import json, sys
import vyn
with open(sys.argv[1], encoding="utf-8") as f:
    print(json.dumps(vyn.parse(f.read()), indent=2, ensure_ascii=False))
PY
