#!/bin/bash
# The game's rate on displays of other rates and on a slow drawing: the real player with the
# fake component (every 30th frame's sound marked), its sound written in real time by SDL's
# disk driver, presents held to a simulated display (tests/vsync), on a private X server with
# a window manager. Prints per row, after its first two seconds (tests/vsync/lag_probe.c),
# the game's frames a second, presents a second, the lag of a frame's sound behind its
# picture (median and maximum), the silent gaps in the sound, and presents that showed no new
# frame (repeated) or left frames unshown (skipped), and the device buffers the sound card
# (the probe's real-time writer) wrote late: a machine too busy for the sound's own thread.
#
#   bench/pacing.sh BUILD_DIR [SECONDS]
# PLAYER_DIST=DIR measures the player and res/ of another build's dist (the probes and the
# fake component still come from BUILD_DIR). LOGS=FILE appends each row's log lines about the
# display, the drawing and the sound queue to FILE.
set -euo pipefail
build=$(cd "$1" && pwd); seconds=${2:-20}
dist=${PLAYER_DIST:-$build/dist}
export DIST_DIR=$dist BUILD_DIR=$build
source "$(dirname "$0")/../tests/support/e2e.sh"
start_xvfb
start_wm

# row FPS HZ DRAWING: one run, one table row. DRAWING: "window" (3x, OpenGL, effect off) or
# "tv" (full screen, OpenGL, TV effect).
row() {
  local fps=$1 hz=$2 drawing=$3 dir=$E2E_TMP/pacing fullscreen=0 smoothing=0 label="window 3x"
  [ "$drawing" = tv ] && { fullscreen=1; smoothing=1; label="full screen, TV effect"; }
  rm -rf "$dir"
  make_dist "$dir"
  cp "$build/fake_core/libox_core.so" "$dir/"
  rm -f "$dir/res/splash"
  printf 'scale=3\nfullscreen=%s\nsmoothing=%s\n' "$fullscreen" "$smoothing" >"$dir/res/conf"
  ( cd "$dir" && env SDL_RENDER_DRIVER=opengl SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$dir/raw" \
      LD_PRELOAD="$build/vsync/liblag_probe.so $build/vsync/libvsync_preload.so" FAKE_VSYNC_HZ="$hz" \
      FAKE_CORE_MARK=30 FAKE_CORE_FPS="$fps" LAG_OUT="$dir/lag" \
      timeout --foreground -s TERM "$seconds" ./player >/dev/null 2>&1 || true )
  local gaps _ md mx presents late game repeated skipped
  read -r gaps _ _ < <("$build/vsync/count_gaps" "$dir/raw" 2>/dev/null)
  read -r _ md _ mx _ _ _ _ _ _ _ presents _ _ late _ game _ repeated _ skipped _ <"$dir/lag"
  echo "| $fps fps | $hz Hz | $label | $game | $presents | $md ms | $mx ms | $gaps | $repeated | $skipped | $late |"
  if [ -n "${LOGS:-}" ]; then
    echo "$fps fps, $hz Hz, $label:" >>"$LOGS"
    grep -E '^(display|drawing|sound)' "$dir/res/log" | grep -v '^sound /' | sed 's/^/  /' >>"$LOGS" || true
  fi
}

echo "| game | display | drawing | game frames a second | presents a second | lag median | lag max" \
     "| silent gaps | repeated | skipped | card late |"
echo "|---|---|---|---|---|---|---|---|---|---|---|"
for hz in 60.00 59.94 75 120 144 165 240; do row 60 $hz window; done
row 50 60 window
row 50 60 tv
row 50 50 window
row 60 50 window
row 60 30 tv
