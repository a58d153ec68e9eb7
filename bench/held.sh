#!/bin/bash
# The rate the real player holds: the player with the shipped game, its sound paced in real
# time by SDL's disk writer, on a private X server with a window manager, for each
# configuration of the speed table. Prints the passes per second after the first second (one
# pass is one video frame; the game's rate is 60), the audio queue level the player read
# (median, minimum, maximum, in ms), how often it read it empty and how often it topped a
# nearly dry queue up with silence (each a short gap in the sound).
#
#   bench/held.sh BUILD_DIR [SECONDS]
#
# The splash is left out, so every pass emulates a frame from the start. The lag probe holds the
# disk driver's writes to a 44100 Hz clock (tests/vsync/lag_probe.c: on its own the driver
# plays small buffers a few per cent fast).
set -euo pipefail
build=$(cd "$1" && pwd); seconds=${2:-60}
export DIST_DIR=$build/dist BUILD_DIR=$build
source "$(dirname "$0")/../tests/support/e2e.sh"
start_xvfb
start_wm

echo "| configuration | passes per second | queue median (min, max) | read empty | topped up with silence |"
echo "|---|---|---|---|---|"
while IFS=';' read -r name driver fullscreen smoothing; do
  case $name in '#'*) continue ;; esac
  dir=$E2E_TMP/held
  rm -rf "$dir"
  make_dist "$dir"
  rm -f "$dir/res/splash"
  printf 'scale=3\nfullscreen=%s\nsmoothing=%s\n' "$fullscreen" "$smoothing" >"$dir/res/conf"
  ( cd "$dir" && SDL_RENDER_DRIVER=$driver SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null \
      LD_PRELOAD="$build/vsync/liblag_probe.so $build/bench/libqueue_level.so" QUEUE_LEVEL_OUT=$dir/level \
      timeout --foreground -s TERM "$seconds" ./player >/dev/null 2>&1 || true )
  read -r median min max empties passes top_ups <"$dir/level"
  echo "| $name | $passes | $median ms ($min, $max) | $empties | $top_ups |"
done <"$(dirname "$0")/configurations"
