# A component that reports zero or absurd sizes, a frame rate of 0 or too many buttons must
# not crash the player or make it divide by zero: it runs, and ends cleanly. (A screen size no
# machine has after loading ends the start: e2e_startup.sh; an absurd scale in res/conf: the
# settings' unit tests.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# emulated N: the component has run more than N frames, or the player has ended.
emulated() { [ "$(grep -c '^ox_core_emulate$' "$log" || true)" -gt "$1" ] || ended "$pid"; }
# logged TEXT: how many lines of the player's log begin with TEXT.
logged() { grep -c "^$1" "$d/res/log" || true; }

# run_case NAME VAR=value...: runs the fake component so configured for some frames, leaving
# the player running; end_case stops it and checks the exit.
run_case() {
  local name=$1; shift
  start_fake_player "$name" SDL_AUDIODRIVER=dummy "$@"
  wait_until 60 emulated "${MIN_FRAMES:-10}"
}
end_case() { stop_player "$1"; pass "$1"; }

run_case zero_rate FAKE_CORE_FPS=0
end_case zero_rate
run_case odd_counts FAKE_CORE_RASTER=-1x224 FAKE_CORE_BUTTONS=-3
end_case odd_counts
run_case many_buttons FAKE_CORE_BUTTONS=40 FAKE_CORE_LOG_BUTTONS=1
end_case many_buttons
# The component's own objects are still there when it is shut down.
run_case static_object FAKE_CORE_STATIC=1
end_case static_object

# A screen of 0 x 0 before loading is logged, and the game's own size is taken after it; a
# preview has the size the game has now.
run_case screen_after_load FAKE_CORE_SCREEN=0x0 FAKE_CORE_LOADED_SCREEN=256x240 FAKE_CORE_RASTER=256x224
grep -qx "Error: screen size 0 x 0 from the component is refused, 0 x 0 kept" "$d/res/log" || fail "no 0 x 0 line"
wid=$(player_window $pid)
xdotool key shift+F1
wait_until 20 test -s "$d/res/0P"
[ "$(identify -format '%wx%h' "$d/res/0P")" = 256x240 ] || fail "preview $(identify -format '%wx%h' "$d/res/0P")"
end_case "a screen size that changes with loading is followed"

# A screen larger than the display gets a window no larger than the display.
run_case big_screen FAKE_CORE_SCREEN=5000x5000
wid=$(player_window $pid)
read -r w h <<<"$(window_size)"
[ "$w" -le 1920 ] && [ "$h" -le 1080 ] || fail "window $w x $h for a screen of 5000 x 5000"
end_case "a screen larger than the display gets a window that fits it"

# A raster that changes every frame is logged a few times a second, and an absurd one is refused
# while the good frames between still show.
# few_lines TEXT: at most 3 lines a second since $t0 begin with TEXT (one a frame before).
few_lines() { [ "$(logged "$1")" -le $(( 3 * (SECONDS - t0 + 2) )) ]; }
t0=$SECONDS
MIN_FRAMES=150 run_case raster_flip FAKE_CORE_RASTER_FLIP=256x240
few_lines 'update viewport resolution' || fail "$(logged 'update viewport') size lines in $((SECONDS - t0)) s"
end_case "a raster changing every frame logs a few lines"
t0=$SECONDS
MIN_FRAMES=150 run_case absurd_raster FAKE_CORE_RASTER_FLIP=100000x100000
wid=$(player_window $pid)
[ "$(logged 'Error: raster 100000 x 100000')" -ge 1 ] || fail "the absurd raster is not logged"
few_lines 'Error: raster' || fail "$(logged 'Error: raster') lines for the absurd raster in $((SECONDS - t0)) s"
shows_picture absurd || fail "no picture between absurd rasters"
end_case "an absurd raster is refused and logged a few times"
