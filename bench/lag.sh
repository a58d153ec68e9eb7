#!/bin/bash
# How late the sound is against the picture: the real player with the fake component, whose
# every 30th frame sounds a distinct value, its sound written in real time by SDL's disk
# driver, on a private X server with a window manager, for each configuration of the speed
# table on a simulated display of 60.00 Hz and 59.94 Hz (presents held to its ticks, as
# vertical sync holds them) and without vertical sync; then a 50 fps game and one that
# reports 60 but gives 733.8 sample frames a frame, in the default configuration. Prints per
# run, after its first two seconds (tests/vsync/lag_probe.c), the frames presented a second,
# the lag of a frame's sound behind its present (median, minimum, maximum), the silent gaps
# in the sound, and the time from a key press (XTest) to the present of the first frame
# emulated with it.
#
#   bench/lag.sh BUILD_DIR [SECONDS] [ROWS]
#     ROWS  "all" (default), "table" (the configurations only) or "games" (the last two games)
# PLAYER_DIST=DIR measures the player and res/ of another build's dist (the probes and the
# fake component still come from BUILD_DIR); LATENCY=MS writes latency_ms into res/conf.
# OFFSCREEN=1 runs one configuration instead, a 3x window on SDL's offscreen driver without
# an X server (the cheapest drawing, so the loop holds its rate on a busy machine; no keys).
set -euo pipefail
build=$(cd "$1" && pwd); seconds=${2:-60}; rows=${3:-all}
dist=${PLAYER_DIST:-$build/dist}
export DIST_DIR=$dist BUILD_DIR=$build
source "$(dirname "$0")/../tests/support/e2e.sh"
configurations=$(dirname "$0")/configurations
if [ "${OFFSCREEN:-0}" = 1 ]; then
  export SDL_VIDEODRIVER=offscreen
  configurations=$E2E_TMP/configurations
  echo "window 3x on the offscreen driver, OpenGL, effect off;opengl;0;0" >"$configurations"
else
  start_xvfb
  start_wm
fi

# run NAME DRIVER FULLSCREEN SMOOTHING HZ [VAR=value...]: one run, one table row.
run() {
  local name=$1 driver=$2 fullscreen=$3 smoothing=$4 hz=$5; shift 5
  local dir=$E2E_TMP/lag
  rm -rf "$dir"
  make_dist "$dir"
  cp "$build/fake_core/libox_core.so" "$dir/"
  rm -f "$dir/res/splash"
  # "a" (scancode 4), which the probe presses, bound to button 0.
  printf 'scale=3\nfullscreen=%s\nsmoothing=%s\nbtn_0_0_0_type=1\nbtn_0_0_0_code=4\n' "$fullscreen" "$smoothing" \
    >"$dir/res/conf"
  [ -z "${LATENCY:-}" ] || echo "latency_ms=$LATENCY" >>"$dir/res/conf"
  local vsync=$hz; [ "$hz" = none ] && vsync=0
  ( cd "$dir" && env SDL_RENDER_DRIVER="$driver" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$dir/raw" \
      LD_PRELOAD="$build/vsync/liblag_probe.so $build/vsync/libvsync_preload.so" FAKE_VSYNC_HZ=$vsync \
      FAKE_CORE_MARK=30 LAG_OUT="$dir/lag" LAG_KEYS=1 "$@" \
      timeout --foreground -s TERM "$seconds" ./player >/dev/null 2>&1 || true )
  local gaps _
  read -r gaps _ _ < <("$build/vsync/count_gaps" "$dir/raw" 2>/dev/null)
  read -r _ lag_md lag_min lag_max lag_n _ key_md key_min key_max _ _ fps _ <"$dir/lag"
  awk -v n="$name" -v hz="$hz" -v p="$fps" -v md="$lag_md" -v mn="$lag_min" \
    -v mx="$lag_max" -v c="$lag_n" -v g="$gaps" -v kmd="$key_md" -v kmn="$key_min" -v kmx="$key_max" \
    'BEGIN { printf "| %s | %s | %s | %s ms (%s, %s) | %s | %s | %s ms (%s, %s) |\n",
                    n, hz, p, md, mn, mx, c, g, kmd, kmn, kmx }'
}

echo "| configuration | display Hz | frames per second | lag median (min, max) | marks | silent gaps | key to picture median (min, max) |"
echo "|---|---|---|---|---|---|---|"
defaults=""
while IFS=';' read -r name driver fullscreen smoothing; do
  case $name in '#'*) continue ;; esac
  defaults="$driver $fullscreen $smoothing"
  [ "$rows" = games ] && continue
  for hz in 60.00 59.94 none; do
    run "$name" "$driver" "$fullscreen" "$smoothing" $hz
  done
done <"$configurations"
[ "$rows" = table ] && exit 0
for hz in 60.00 none; do
  run "50 fps game, the defaults" $defaults $hz FAKE_CORE_FPS=50
done
for hz in 60.00 59.94 none; do
  run "reports 60, gives 733.8 a frame, the defaults" $defaults $hz FAKE_CORE_SAMPLES=733.8
done
