#!/bin/bash
# Builds the fuzz targets of the settings and input files with clang and libFuzzer and runs
# each for SECONDS (default 20). Usage: tests/fuzz/run.sh [SECONDS] [BUILD_DIR]
# Fails when a target finds a crash; the reproducer lands in BUILD_DIR.
set -euo pipefail

SECONDS_PER_TARGET=${1:-20}
SRC=$(cd "$(dirname "$0")/../.." && pwd)
OUT=${2:-${BUILD_DIR:-/tmp}/fuzz-settings}
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)  # the targets run from inside it

CXX=${CXX_FUZZ:-clang++}
FLAGS=(-std=c++17 -g -O1 -fno-exceptions -fsanitize=fuzzer,address,undefined
       -fno-sanitize-recover=undefined -I"$SRC")
LOADERS=("$SRC"/config/conf_file.cpp "$SRC"/config/settings.cpp "$SRC"/config/gameinfo.cpp
         "$SRC"/input/binding.cpp "$SRC"/input/defaults.cpp "$SRC"/input/labels.cpp
         "$SRC"/input/key_names.cpp "$SRC"/input/capture.cpp "$SRC"/app/paths.cpp
         "$SRC"/app/file_read.cpp "$SRC"/app/file_replace.cpp
         "$SRC"/tests/fuzz/stub_core.cpp)

"$CXX" "${FLAGS[@]}" "$SRC"/tests/fuzz/fuzz_conf_readers.cpp "${LOADERS[@]}" -o "$OUT"/fuzz_conf_readers
"$CXX" "${FLAGS[@]}" "$SRC"/tests/fuzz/fuzz_loaders.cpp "${LOADERS[@]}" -o "$OUT"/fuzz_loaders

status=0
# The loaders save and reload the settings on every input, so their inputs are kept shorter.
declare -A MAX_LEN=([fuzz_conf_readers]=8192 [fuzz_loaders]=4096)
for target in fuzz_conf_readers fuzz_loaders; do
    # The seeds stay untouched; what the run finds goes to a working copy.
    work="$OUT/corpus_$target"
    mkdir -p "$work"
    cp -n "$SRC"/tests/fuzz/corpus/* "$work"/ 2>/dev/null || true
    echo "== $target for ${SECONDS_PER_TARGET}s"
    if ! (cd "$OUT" && ./"$target" -max_total_time="$SECONDS_PER_TARGET" -max_len="${MAX_LEN[$target]}" \
            -timeout=10 -print_final_stats=1 "$work" 2>&1 | tail -n 15); then
        status=1
    fi
done
exit $status
