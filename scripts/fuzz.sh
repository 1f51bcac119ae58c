#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UBSan) in
# build-fuzz, seeds their corpora and runs one of them for a given time on one
# core. Corpora, seeds and findings stay in fuzz/work (not committed).
#   scripts/fuzz.sh [text|tree] [seconds] [more libFuzzer flags...]
# See fuzz/README.md.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:-text}
seconds=${2:-600}
shift $(($# < 2 ? $# : 2))
case $target in
  text) max_len=16384 ;;
  tree) max_len=65536 ;;
  *)
    echo "usage: scripts/fuzz.sh [text|tree] [seconds] [libFuzzer flags...]" >&2
    exit 2
    ;;
esac

# clang and its libFuzzer runtime; the rest comes with scripts/setup.sh.
if ! command -v clang++ >/dev/null || ! [ -f "$(clang++ -print-runtime-dir)/libclang_rt.fuzzer-x86_64.a" ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang libclang-rt-14-dev >/dev/null
fi

build=build-fuzz
work=fuzz/work
CC=clang CXX=clang++ cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVYN_FUZZ=ON \
  -DPython3_EXECUTABLE="$(command -v python3)" >/dev/null
cmake --build $build -j4 --target fuzz-$target fuzz-seed-trees

mkdir -p $work/corpus-$target $work/findings-$target $work/seeds-tree
python3 fuzz/seeds.py $work/seeds-text
dict=fuzz/text.dict
if [ "$target" = tree ]; then
  # Trees of the smaller documents, and the keys and kind names readers look for.
  find $work/seeds-text -type f -size -1025c -print0 | xargs -0 $build/fuzz/fuzz-seed-trees $work/seeds-tree
  cp tests/python/fixtures/*.json $work/seeds-tree/
  dict=$work/tree.dict
  grep -ohE '"[A-Za-z_]{2,}"' src/ast/*.[ch]pp src/schema/*.[ch]pp | sort -u | sed -E 's/^"(.*)"$/"\\"\1\\""/' >$dict
fi

export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
exec $build/fuzz/fuzz-$target -dict=$dict -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
  -malloc_limit_mb=4096 -max_len=$max_len -artifact_prefix=$work/findings-$target/ -print_final_stats=1 "$@" \
  $work/corpus-$target $work/seeds-$target
