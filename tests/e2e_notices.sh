# On-screen notices as the player sees them, on the GL path and through the SDL renderer: a
# save, a failed save, an empty slot, saves too slow for rewind, Pause and a screenshot (F12,
# whose file is the picture at its size; one that fails) each put their line over the game, and
# it fades away, and never reaches the slot's preview. The text is the one logged as drawn; the
# pixels show it is drawn over the game, and in full screen in the band above the picture.
# (Where the box goes at each window size: test_xgui.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# band_ink [CROP]: white (font) pixels in that part of a shot "band" of the window, by default
# the notice's band at the top of the 768 x 672 window, where the fake component's picture
# (33 66 99) has none.
band_ink() {
  shot band
  [ "$(convert "$E2E_TMP/band.png" -crop "${1:-768x45+0+17}" -colorspace gray -threshold 90% \
    -format '%[fx:maxima]' info:)" = 1 ]
}
notice_shown() {   # TEXT: logged, drawn, then faded out
  wait_for_line "$d/res/log" "notice: $1"
  wait_until 10 band_ink
  wait_until 10 eval '! band_ink'
}

start_fake_player notices_gl XDG_PICTURES_DIR="$E2E_TMP/pictures"
wid=$(player_window $pid)
xdotool key shift+F2
wait_for_line "$d/res/log" "notice: Saved to slot 2"
xdotool key shift+F2   # saved again with the first notice on screen
wait_until 20 eval '[ "$(grep -c "^notice: Saved to slot 2$" "$d/res/log")" = 2 ]'
notice_shown "Saved to slot 2"
[ "$(convert "$d/res/1P" -format '%k' info:)" = 1 ] || fail "the preview holds more than the game's one colour"
xdotool key F3
notice_shown "Slot 3 is empty"
pass "GL path: save and empty-slot notices drawn and faded"
xdotool key Pause
wait_for_line "$d/res/log" "notice: Paused"
wait_until 10 band_ink
sleep 3   # held while paused: still there after the time a notice lasts
band_ink || fail "the Paused notice did not stay while paused"
pass "Paused is held while paused"
xdotool key F12
wait_for_line "$d/res/log" "notice: Screenshot saved"
shots=("$E2E_TMP/pictures/Sunny Meadow/"*.png)
[ ${#shots[@]} = 1 ] && [ -s "${shots[0]}" ] || fail "no screenshot in the title's folder: ${shots[*]}"
shot_size=$(convert "${shots[0]}" -format '%wx%h %k' info:)
[ "$shot_size" = "256x224 1" ] || fail "the screenshot is not the picture at its size: $shot_size"
pass "F12 saves the picture at its 256 x 224 as a PNG in the title's folder of the pictures folder"
# Full screen on 1080 lines: the 4x picture (1024 x 896) leaves a band of 92 lines above it,
# where the notice goes, leaving the picture's top rows as the game drew them.
xdotool key Pause
start_wm
press_until alt+Return eval '[ "$(window_size)" = "1920 1080" ]'
placed_4x() { shot full && [ "$(pixel full 448 92)" = "51 102 153" ] && [ "$(pixel full 448 91)" != "51 102 153" ]; }
wait_until 10 placed_4x   # drawn at the new size
xdotool key shift+F2
wait_until 10 band_ink 1024x92+448+0
[ "$(convert "$E2E_TMP/band.png" -crop 1024x24+448+92 -format '%k' info:)" = 1 ] ||
  fail "the notice lies across the picture's top edge"
pass "full screen: the notice sits in the band above the picture"
stop_player

# Saves slower than a quarter of a frame (outside the failing slot saves) switch rewind off.
: > "$E2E_TMP/blocked"   # a file where the pictures folder should be
start_fake_player notices_sdl SDL_RENDER_DRIVER=software FAKE_CORE_SAVE=fail FAKE_CORE_SAVE_MS=20 \
  XDG_PICTURES_DIR="$E2E_TMP/blocked"
wid=$(player_window $pid)
notice_shown "Rewind is off: saving the game is too slow"
# Pressing the rewind control while it is off says why again.
xdotool keydown BackSpace
wait_until 20 eval '[ "$(grep -c "^notice: Rewind is off: saving the game is too slow$" "$d/res/log")" = 2 ]'
xdotool keyup BackSpace
xdotool key shift+F1
notice_shown "Cannot save slot 1: the component refused to save its state"
xdotool key F12
notice_shown "Cannot save screenshot: Not a directory"
pass "SDL path: rewind switched off by slow saves (again on Backspace), a failed save and a failed screenshot," \
  "each name their reason"
stop_player
