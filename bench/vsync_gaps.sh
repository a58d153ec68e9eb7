#!/bin/bash
# Silent gaps in the sound with vertical sync: runs the player with the fake component (a
# constant signal) and presents held to a simulated display, for each display rate given,
# and prints the passes per second held and the silent gaps after the first second.
#
#   bench/vsync_gaps.sh BUILD_DIR SECONDS FPS HZ...
# NICE=-10 runs the player at that priority (root only), to measure past other work on a
# shared machine.
set -euo pipefail
build=$(cd "$1" && pwd); seconds=$2; fps=$3; shift 3
work=$(mktemp -d /tmp/vsync_gaps.XXXXXX)
trap 'rm -rf "$work"' EXIT
for hz in "$@"; do
  d=$work/$hz
  mkdir -p "$d"
  cp -r "$build/dist/player" "$build/dist/res" "$d/"
  cp "$build/fake_core/libox_core.so" "$d/"
  rm -f "$d/res/splash" "$d/res/conf" "$d/res/log" "$d"/res/[0-2][SP]
  printf 'scale=3\nfullscreen=0\n' > "$d/res/conf"
  start=$(date +%s.%N)
  SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$d/raw" \
    LD_PRELOAD="$build/vsync/libvsync_preload.so" FAKE_VSYNC_HZ=$hz FAKE_CORE_FPS=$fps \
    FAKE_CORE_LOG="$d/calls" nice -n "${NICE:-0}" timeout -s TERM "$seconds" "$d/player" \
    >/dev/null 2>&1 || true
  end=$(date +%s.%N)
  passes=$(grep -c '^ox_audio_render' "$d/calls" || true)
  read -r gaps longest frames < <("$build/vsync/count_gaps" "$d/raw" 2>/dev/null)
  awk -v p="$passes" -v s="$start" -v e="$end" -v hz="$hz" -v fps="$fps" -v g="$gaps" -v l="$longest" \
    -v f="$frames" 'BEGIN { printf "%s fps on %s Hz: %.2f passes/s, %d gaps (longest %.0f ms) in %.0f s of sound\n",
                             fps, hz, p / (e - s), g, l / 44.1, f / 44100 }'
  rm -f "$d/raw" "$d/calls"
done
