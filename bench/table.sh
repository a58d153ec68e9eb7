#!/bin/bash
# The speed table: each configuration of the player next to the floor program (bench_floor)
# measured in the same run, on a private X server with a window manager (so full screen is
# 1920 x 1080), printed as a markdown table.
#
#   bench/table.sh BUILD_DIR [FRAMES] [RUNS]
#
# FRAMES (600) frames are timed per configuration, for the player (bench_player: frames per
# second held, CPU per frame of all its threads without the component's share) and for the
# floor; the time from exec to the first present is the median of RUNS (5) starts of the
# real player and of the floor. Timings are only comparable within one run: on a shared
# machine, read the ratios.
set -euo pipefail
build=$(cd "$1" && pwd); frames=${2:-600}; runs=${3:-5}
export DIST_DIR=$build/dist BUILD_DIR=$build
source "$(dirname "$0")/../tests/support/e2e.sh"
start_xvfb
start_wm
export SDL_AUDIODRIVER=dummy

# field TEXT LABEL: the number after "LABEL:" in TEXT.
field() { sed -n "s/^$2: \([0-9.]*\).*/\1/p" <<<"$1"; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# first_player DRIVER FULLSCREEN SMOOTHING: median ms from exec to the player's first present.
first_player() {
  local dir=$E2E_TMP/first out=$E2E_TMP/first_ms
  for _ in $(seq "$runs"); do
    rm -rf "$dir"
    make_dist "$dir"
    printf 'scale=3\nfullscreen=%s\nsmoothing=%s\n' "$2" "$3" >"$dir/res/conf"
    rm -f "$out"
    ( cd "$dir" && SDL_RENDER_DRIVER=$1 BENCH_FIRST_PRESENT_OUT=$out \
        LD_PRELOAD=$build/bench/libfirst_present.so BENCH_EXEC_T0=$EPOCHREALTIME \
        timeout 20 ./player >/dev/null 2>&1 || true )
    cat "$out" 2>/dev/null || echo 0
  done | median
}

# first_floor DRIVER FULLSCREEN: median ms from exec to the floor's first present.
first_floor() {
  for _ in $(seq "$runs"); do
    local text
    text=$(SDL_RENDER_DRIVER=$1 BENCH_EXEC_T0=$EPOCHREALTIME "$build/bench/bench_floor" 1 "$2")
    field "$text" "first present after exec"
  done | median
}

echo "| configuration | frames per second held (of 60) | player CPU per frame | floor | ratio |" \
     "first frame after exec (floor) |"
echo "|---|---|---|---|---|---|"
while IFS=';' read -r name driver fullscreen smoothing; do
  case $name in '#'*) continue ;; esac
  floor=$(SDL_RENDER_DRIVER=$driver "$build/bench/bench_floor" "$frames" "$fullscreen")
  player=$(cd "$build/bench" && SDL_RENDER_DRIVER=$driver ./bench_player "$frames" "$fullscreen" "$smoothing")
  floor_cpu=$(field "$floor" "CPU per frame, all threads")
  fps=$(field "$player" "frames per second held")
  cpu=$(field "$player" "player CPU per frame, all threads (renderer workers too), without the component")
  first=$(first_player "$driver" "$fullscreen" "$smoothing")
  first_f=$(first_floor "$driver" "$fullscreen")
  awk -v n="$name" -v fps="$fps" -v c="$cpu" -v f="$floor_cpu" -v t="$first" -v tf="$first_f" \
    'BEGIN { printf "| %s | %.1f | %.1f ms | %.1f ms | %.1f | %.0f ms (%.0f ms) |\n", n, fps, c, f, c / f, t, tf }'
done <"$(dirname "$0")/configurations"
