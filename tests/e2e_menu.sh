# The menu on the real player with the fake component, in one run: opened during the splash it
# hides the splash; "Save" on slot 2 shows its preview, its time and "Load" at once, neither lit
# item drawn over the preview, and "Load" resumes the game; "Reset" acts only after "OK?"; after
# the window is resized from outside, the picture and the pointer follow its new size; in Window
# 2x the panel shows whole, and "TV shape" draws the picture 4:3 in a window as wide; the right
# button opens the menu, whose "Quit" and its "OK?" end the player with exit code 0. (The
# decisions behind these have their unit tables: Escape opens the menu and stops the game:
# test_events and test_menu; the slot's date: test_menu; where OK? shows and Quit waiting for it:
# test_xgui and test_menu_nav; an item lit under the pointer: test_xgui; Reset waiting for
# OK?: test_menu_nav; what each item writes, Load closing the menu, and nothing on the page
# over a preview: test_menu; a state saved through a temporary file: test_component; where
# each arrow goes, a held Return, and a binding made with the keys: test_menu_nav; the panel
# whole in every window: test_xgui; the window of "TV shape" at each scale:
# test_window_placement.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb
open_menu() { xdotool key Escape; menu_faded_in; }   # Escape, then the menu shown whole

# The splash is kept: the menu opened at once (before a press can skip it) hides it. The
# flat picture is the same at every frame, so the menu over it must look the same later. The
# splash lasts 300 frames of the game's time, which a busy machine can spend before the menu
# opens (the game then owes those frames): the player is started again then.
fake_dist menu
cp "$DIST_DIR/res/splash" "$d/res/splash"
splash_on() { [ "$(emulate_count)" -le 4 ]; }   # the game has not stepped beyond its first burst
for try in 1 2 3; do
  : >"$log"
  launch . FAKE_CORE_LOG="$log"
  wid=$(player_window $pid)
  open_menu
  shot menu_splash
  splash_on && break
  stop_player
  rm -f "$d/res/resumeS" "$d/res/resumeP"
done
splash_on || fail "the menu never opened during the splash"
xdotool key Escape   # closed, the splash goes on where it stopped
wait_until 60 emulated 4   # the splash is over once the game steps after its first burst
open_menu
shot menu_game
differ_around menu_splash menu_game slot1_preview && fail "the splash shows through the menu"
pass "the menu opened during the splash hides it"

shot unsaved
click_on slot2_save
shot saved
differ_around unsaved saved slot2_picture || fail "slot 2 shows no preview after Save"
differ_around unsaved saved slot2_load || fail "slot 2 shows no Load after Save"
wait_for_line "$d/res/log" "slot 3: $(date -r "$d/res/2S" '+Today %H:%M')"
differ_around unsaved saved slot2_time || fail "slot 2's time did not change from Empty"
# Save lit (the pointer rests on it), then Load lit, then neither: the preview never changes.
read -r px py <<<"$(overlay_point 960 200)"
xdotool mousemove --window "$wid" "$px" "$py"
settle
shot unlit
read -r px py _ <<<"$(widget slot2_load)"
read -r px py <<<"$(overlay_point $((px + 2)) $((py + 2)))"
xdotool mousemove --window "$wid" "$px" "$py"
settle
shot load_lit
differ_inside saved unlit slot2_preview && fail "Save is drawn over the preview"
differ_inside load_lit unlit slot2_preview && fail "Load is drawn over the preview"
click_on slot2_load
# The component reads a copy of res/2S made beside it.
grep -q "^ox_state_load .*/res/2S\.[0-9a-f]*$" "$log" || fail "no state load for slot 2"
pass "Save on slot 2 shows its preview, its time and Load at once; Load resumes the game"

resets() { grep -c '^ox_core_reset$' "$log" || true; }
# The start resets the loaded game once (which also reads its frame rate again); a slot's load
# resets nothing.
[ "$(resets)" = 1 ] || fail "the start and a slot's load reset the game $(resets) times"
[ "$(grep -c '^ox_core_init ' "$log")" = 1 ] || fail "the component was not started once"
open_menu
click_on reset   # only "OK?" shows
click_on reset_ok
[ "$(resets)" = 2 ] || fail "OK? did not reset"
running || fail "the menu stayed open after the reset"
pass "the start resets the game once; Reset asks OK? and resets only after it"

xdotool windowsize "$wid" 1000 700
wait_until 20 eval '[ "$(window_size)" = "1000 700" ]'
menu_faded_in   # the menu closed by OK? fades out
shot resized
box=$(convert "$E2E_TMP/resized.png" -fill black +opaque '#336699' -format '%@' info:)   # the flat picture's
[ "$box" = "768x672+116+14" ] || fail "picture at $box in a 1000 x 700 window"
open_menu
click_on play
running || fail "Play missed after the resize"
pass "a window resized from outside shows the picture centred and takes clicks where the menu shows"

# The panel's side borders show in Window 2x (the 8:7 shape of 3x and 4x too): beside them,
# the game under the backdrop, unlike the panel's inside.
open_menu
click_on window2
wait_until 10 eval '[ "$(window_size)" = "512 448" ]'
menu_faded_in
shot panel
channel_gap() {   # X1 X2 (window columns, at the height of overlay y 600): the largest channel gap
  local y a b
  read -r _ y <<<"$(overlay_point 960 600)"
  a=$(pixel panel "$1" "$y")
  b=$(pixel panel "$2" "$y")
  awk -v a="$a" -v b="$b" 'BEGIN { split(a, p); split(b, q); m = 0
    for (i = 1; i <= 3; i++) { d = p[i] - q[i]; if (d < 0) d = -d; if (d > m) m = d }; print m }'
}
read -r inside_left _ <<<"$(overlay_point 360 600)"
read -r inside_right _ <<<"$(overlay_point 1560 600)"
[ "$(channel_gap 1 "$inside_left")" -gt 10 ] || fail "the panel's left border is cut off"
[ "$(channel_gap 510 "$inside_right")" -gt 10 ] || fail "the panel's right border is cut off"
pass "in a window of Window 2x, the panel shows whole"

click_on tv_shape
wait_until 10 eval '[ "$(window_size)" = "597 448" ]'
open_menu
shot shaped
# The window holds the picture's one colour (33 66 99) alone, edge to edge.
colours=$(convert "$E2E_TMP/shaped.png" -format '%wx%h %k' info:)
[ "$colours" = "597x448 1" ] || fail "the picture does not fill the window: $colours"
pass "TV shape draws the 256 x 224 picture 4:3 and the window's width follows: 597 x 448"

xdotool click 3
menu_faded_in
click_on quit
widget_click quit_ok
wait_until 20 ended $pid
exits_with 0 Quit
pass "the right button opens the menu; Quit and its OK? end the player with exit code 0"
