#!/bin/bash
# Runs fuzz targets built by the fuzz_targets target of a clang tree configured with
# PLAYER_FUZZ, each for SECONDS, from the seeds in tests/fuzz/corpus.
# Usage: tests/fuzz/run.sh SECONDS TARGET... (for example build-fuzz/fuzz/fuzz_*)
# Fails when a target finds a crash; the reproducer lands beside the target.
set -euo pipefail

SECONDS_PER_TARGET=$1
shift
SEEDS=$(cd "$(dirname "$0")" && pwd)/corpus
[ $# -gt 0 ] || { echo "no fuzz targets given" >&2; exit 1; }

# The loaders save and reload the settings on every input, so their inputs are kept shorter.
declare -A MAX_LEN=([fuzz_loaders]=4096)

status=0
for target in "$@"; do
    name=$(basename "$target")
    dir=$(cd "$(dirname "$target")" && pwd)
    # The seeds stay untouched; what the run finds goes to a working copy.
    work="$dir/corpus_$name"
    mkdir -p "$work"
    cp -n "$SEEDS"/* "$work"/ 2>/dev/null || true
    echo "== $name for ${SECONDS_PER_TARGET}s"
    if ! (cd "$dir" && ./"$name" -max_total_time="$SECONDS_PER_TARGET" -max_len="${MAX_LEN[$name]:-8192}" \
            -timeout=10 -print_final_stats=1 "$work" 2>&1 | tail -n 15); then
        echo "== $name failed"
        status=1
    fi
done
exit $status
