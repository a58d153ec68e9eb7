# A component that reports negative or absurd sizes or counts must not crash the player: it
# runs, and ends cleanly. (A frame rate of 0: test_pacing; too many buttons: test_input; a
# line repeated every frame held to a few a second: test_log, wired here for the absurd
# raster; a screen size no machine has after loading: e2e_startup.sh.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# run_case NAME VAR=value...: the fake component so configured, run for more than 10 frames (or
# MIN_FRAMES) in its shown window; the player is left running.
run_case() {
  local name=$1
  shift
  start_fake_player "$name" SDL_AUDIODRIVER=dummy "$@"
  wid=$(player_window $pid)
  wait_until 60 emulated "${MIN_FRAMES:-10}"
}
end_case() { stop_player "$1"; pass "$1"; }

# Negative sizes and counts, and a screen larger than the display, which gets a window that fits
# the display; the component's own objects are still there when it is shut down.
run_case odd_sizes FAKE_CORE_SCREEN=5000x5000 FAKE_CORE_RASTER=-1x224 FAKE_CORE_BUTTONS=-3 FAKE_CORE_STATIC=1
read -r w h <<<"$(window_size)"
[ "$w" -le 1920 ] && [ "$h" -le 1080 ] || fail "window $w x $h for a screen of 5000 x 5000"
end_case "negative sizes and counts, and a screen larger than the display"

# A screen of 0 x 0 before loading is logged, and the game's own size is taken after it; a
# preview has the size the game has now.
run_case screen_after_load FAKE_CORE_SCREEN=0x0 FAKE_CORE_LOADED_SCREEN=256x240 FAKE_CORE_RASTER=256x224
has_line "$d/res/log" "Error: screen size 0 x 0 from the component is refused, 0 x 0 kept" || fail "no 0 x 0 line"
xdotool key shift+F1
wait_until 20 test -s "$d/res/0P"
[ "$(identify -format '%wx%h' "$d/res/0P")" = 256x240 ] || fail "preview $(identify -format '%wx%h' "$d/res/0P")"
end_case "a screen size that changes with loading is followed"

# An absurd raster every other frame is refused and logged a few times a second, while the
# good frames between still show.
t0=$SECONDS
MIN_FRAMES=150 run_case absurd_raster FAKE_CORE_RASTER_FLIP=100000x100000
lines=$(grep -c '^Error: raster 100000 x 100000' "$d/res/log" || true)
[ "$lines" -ge 1 ] || fail "the absurd raster is not logged"
[ "$lines" -le $((3 * (SECONDS - t0 + 2))) ] || fail "$lines lines for the absurd raster in $((SECONDS - t0)) s"
shows_picture absurd || fail "no picture between absurd rasters"
end_case "an absurd raster is refused and logged a few times"
