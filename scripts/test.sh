#!/usr/bin/env bash
# Sets up, builds and runs every test suite: the C++ suites (ctest) and the
# Python suites (pytest), the latter also under python3.13 where the machine
# has one beside python3. Exits non-zero if anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."

is_313() { [ "$("$1" -c 'import sys; print(sys.version_info[:2] == (3, 13))' 2>/dev/null)" = True ]; }
py313=""
if ! is_313 python3; then
  for candidate in python3.13 /root/.pyenv/versions/3.13*/bin/python3.13; do
    if command -v "$candidate" >/dev/null 2>&1 && is_313 "$candidate"; then
      py313=$(command -v "$candidate")
      break
    fi
  done
fi

scripts/setup.sh python3 ${py313:+"$py313"} || exit 1
jobs=$(nproc)
failed=0

cmake -S . -B build -G Ninja -DVYN_TESTS=ON -DVYN_WERROR=ON -DPython3_EXECUTABLE="$(command -v python3)" >/dev/null &&
  cmake --build build -j "$jobs" || exit 1
ctest --test-dir build -j "$jobs" --output-on-failure || failed=1
PYTHONPATH=build/python VYN_BUILD_DIR=build python3 -m pytest -q tests/python || failed=1

echo "== C++ suites under AddressSanitizer and UBSan"
# ReadYaml.LimitsOnSizeAndCounts reads YAML of 64 to 256 MB, which takes many minutes under
# AddressSanitizer; the build above runs it.
cmake -S . -B build-asan -G Ninja -DVYN_TESTS=ON -DVYN_SANITIZE=ON -DVYN_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPython3_EXECUTABLE="$(command -v python3)" >/dev/null &&
  cmake --build build-asan -j "$jobs" || exit 1
ctest --test-dir build-asan -j "$jobs" --output-on-failure -E 'ReadYaml\.LimitsOnSizeAndCounts' || failed=1

if [ -n "$py313" ]; then
  echo "== Python suites under $("$py313" --version)"
  cmake -S . -B build-py3.13 -G Ninja -DVYN_WERROR=ON -DPython3_EXECUTABLE="$py313" >/dev/null &&
    cmake --build build-py3.13 -j "$jobs" --target _vyn || exit 1
  PYTHONPATH=build-py3.13/python VYN_BUILD_DIR=build "$py313" -m pytest -q tests/python || failed=1
fi

exit $failed
