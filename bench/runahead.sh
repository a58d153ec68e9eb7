#!/bin/bash
# Run-ahead against a game's own lag: the real player with the fake component in the mode whose
# picture answers a key two frames after the frame that read it (FAKE_CORE_INPUT_LAG=2, as real
# games do; INPUT_LAG=N sets another), in a 3x window on OpenGL without the TV effect, on a private X server, for
# run-ahead 0, 1 and 2 on a simulated display of 60.00 Hz and without vertical sync. Prints per
# run the frames presented a second and the time from a key press (XTest, every 0.7 s) to the
# present of the first picture that shows it (tests/vsync/lag_probe.c), after the first two
# seconds, and the same in frames: the presents after the one of the pass that gave the
# component the key (what the game's lag adds, less what run-ahead hides; on a busy machine
# the milliseconds grow, the frames do not).
#
#   bench/runahead.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$(cd "$1" && pwd); seconds=${2:-30}
export DIST_DIR=$build/dist BUILD_DIR=$build
source "$(dirname "$0")/../tests/support/e2e.sh"
start_xvfb
start_wm

head="| run-ahead | display Hz | frames per second | key to picture median (min, max) |"
echo "$head frames of the game's lag shown (median, min, max) | presses |"
echo "|---|---|---|---|---|---|"
for ahead in 0 1 2; do
  for hz in 60.00 none; do
    dir=$E2E_TMP/ahead
    rm -rf "$dir"
    make_dist "$dir"
    cp "$build/fake_core/libox_core.so" "$dir/"
    rm -f "$dir/res/splash"
    # "a" (scancode 4), which the probe presses, bound to button 0.
    printf 'scale=3\nfullscreen=0\nsmoothing=0\nrunahead=%s\nbtn_0_0_0_type=1\nbtn_0_0_0_code=4\n' "$ahead" \
      >"$dir/res/conf"
    vsync=$hz; [ "$hz" = none ] && vsync=0
    ( cd "$dir" && env SDL_RENDER_DRIVER=opengl SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$dir/raw" \
        LD_PRELOAD="$build/vsync/liblag_probe.so $build/vsync/libvsync_preload.so" FAKE_VSYNC_HZ=$vsync \
        FAKE_CORE_INPUT_LAG=${INPUT_LAG:-2} LAG_OUT="$dir/lag" LAG_KEYS=1 \
        timeout --foreground -s TERM "$seconds" ./player >/dev/null 2>&1 || true )
    read -r _ _ _ _ _ _ _ _ _ _ _ fps _ _ _ _ _ _ _ _ _ _ shown_md shown_min shown_max shown_n _ f_md f_min f_max _ <"$dir/lag"
    grep -q "run-ahead is off" "$dir/res/log" && fps="$fps (switched off)"
    echo "| $ahead | $hz | $fps | $shown_md ms ($shown_min, $shown_max) | $f_md ($f_min, $f_max) | $shown_n |"
  done
done
