# The menu on the real player with the fake component, in one run: opened during the splash it
# hides the splash; Escape opens it and stops the game; each slot row shows when it was saved (a
# date, "Empty"); "Save" on slot 2 shows its preview, "Today" and the time, and "Load" at once,
# neither drawn over the preview, and "Load" resumes the game; "Reset" acts only after "OK?";
# after the window is resized from outside, the picture and the pointer follow its new size;
# the arrows reach "Window 2x" and Return makes the window 2x (the pointer resting), where the
# panel shows whole; "TV shape" draws the picture 4:3 in a window as wide; on "Change keys" a
# click on the first cell of button 4 and K bind K, which once the menu is closed presses button
# 4 of player 1; the right button opens the menu, whose "Quit" and its "OK?" end the player with
# exit code 0. (A hotkey's save refreshes the slot by the same routine; where OK? shows and Quit
# waiting for it: test_xgui and test_menu_nav; what a window item writes: test_menu; where each
# arrow goes and a held Return: test_menu_nav; K bound to no button by default: test_input; the
# binding written to res/conf at once: test_keys_page.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# The splash is kept: the menu opened at once (before a press can skip it) hides it. The
# flat picture is the same at every frame, so the menu over it must look the same later.
fake_dist menu
cp "$DIST_DIR/res/splash" "$d/res/splash"
echo state > "$d/res/0S"
touch -d '2 days ago' "$d/res/0S"
launch . FAKE_CORE_LOG="$log" FAKE_CORE_LOG_BUTTONS=1
wid=$(player_window $pid)
xdotool key Escape
menu_faded_in
shot menu_splash
xdotool key Escape   # closed, the splash goes on where it stopped
settle 40
shot splash
wait_until 60 emulated 4   # the splash is over once the game steps after its first burst
shot game
differ_around splash game slot1_preview || fail "the splash was skipped: the menu came too late"
xdotool key Escape
menu_faded_in
shot menu_game
differ_around menu_splash menu_game slot1_preview && fail "the splash shows through the menu"
xdotool key Escape
pass "the menu opened during the splash hides it"

# Each slot row shows when its state file was written, or "Empty" (as logged when it changes).
wait_for_line "$d/res/log" "slot 1: $(LC_ALL=C date -r "$d/res/0S" '+%-d %b %Y')"
wait_for_line "$d/res/log" "slot 3: Empty"

running || fail "the game does not run at start"
xdotool key Escape
menu_faded_in
running && fail "Escape did not open the menu"
pass "Escape opens the menu and the game stops while it shows"

shot unsaved
click_on slot2_save
# The state goes to a temporary file beside res/2S first, renamed into place after the save.
grep -q "^ox_state_save .*/res/2S\.[0-9a-f]*$" "$log" || fail "no state save for slot 2"
shot saved
differ_around unsaved saved slot2_picture || fail "slot 2 shows no preview after Save"
differ_around unsaved saved slot2_load || fail "slot 2 shows no Load after Save"
wait_for_line "$d/res/log" "slot 3: $(date -r "$d/res/2S" '+Today %H:%M')"
differ_around unsaved saved slot2_time || fail "slot 2's time did not change from Empty"
differ_around unsaved saved slot0_load && fail "slot 0 changed after a save on slot 2"
running && fail "Save closed the menu"
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
differ unlit load_lit || fail "Load does not light up under the pointer"
differ_inside saved unlit slot2_preview && fail "Save is drawn over the preview"
differ_inside load_lit unlit slot2_preview && fail "Load is drawn over the preview"
click_on slot2_load
# The component reads a copy of res/2S made beside it.
grep -q "^ox_state_load .*/res/2S\.[0-9a-f]*$" "$log" || fail "no state load for slot 2"
running || fail "Load did not close the menu"
pass "Save on slot 2 shows its preview, its time and Load at once; Load resumes the game"

resets() { grep -c '^ox_core_reset$' "$log" || true; }
loaded_resets=$(resets)   # loading the game resets once
xdotool key Escape
menu_faded_in
click_on reset   # only "OK?" shows
[ "$(resets)" = "$loaded_resets" ] || fail "reset without OK?"
click_on reset_ok
[ "$(resets)" = $((loaded_resets + 1)) ] || fail "OK? did not reset"
running || fail "the menu stayed open after the reset"
pass "Reset asks OK? and resets only after it"

xdotool windowsize "$wid" 1000 700
wait_until 20 eval '[ "$(window_size)" = "1000 700" ]'
menu_faded_in   # the menu closed by OK? fades out
shot resized
box=$(convert "$E2E_TMP/resized.png" -fill black +opaque '#336699' -format '%@' info:)   # the flat picture's
[ "$box" = "768x672+116+14" ] || fail "picture at $box in a 1000 x 700 window"
xdotool key Escape
menu_faded_in
click_on play
running || fail "Play missed after the resize"
pass "a window resized from outside shows the picture centred and takes clicks where the menu shows"

xdotool key Escape
wait_until 20 paused
# The first arrow only shows the focus, on "Play"; five more go down to "Window 2x".
xdotool key Down Down Down Down Down Down Return
wait_until 10 eval '[ "$(window_size)" = "512 448" ]'
pass "the arrows and Return choose Window 2x: the window is 512 x 448"

# The panel's side borders show in Window 2x (the 8:7 shape of 3x and 4x too): beside them,
# the game under the backdrop, unlike the panel's inside.
settle
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
grep -qx 'shape=1' "$d/res/conf" || fail "TV shape is not in res/conf"
xdotool key Escape
menu_faded_in
shot shaped
# The window holds the picture's one colour (33 66 99) alone, edge to edge.
colours=$(convert "$E2E_TMP/shaped.png" -format '%wx%h %k' info:)
[ "$colours" = "597x448 1" ] || fail "the picture does not fill the window: $colours"
[ "$(pixel shaped 0 0)" = "51 102 153" ] || fail "the TV-shaped window shows $(pixel shaped 0 0), not the picture"
xdotool key Escape
menu_faded_in
pass "TV shape draws the 256 x 224 picture 4:3 and the window's width follows: 597 x 448"

button_4_is() { [ "$(grep '^ox_button_set_state 0 4 ' "$log" | tail -n 1)" = "ox_button_set_state 0 4 $1" ]; }
click_on change_keys
click_on cell4_0   # the first cell of button 4
xdotool keydown k
settle
xdotool keyup k
xdotool key Escape   # with the capture taken, closes the menu
wait_until 20 last_pass_emulated
: > "$log"
xdotool keydown k
wait_until 20 button_4_is 1
xdotool keyup k
wait_until 20 button_4_is 0
pass "after closing the menu K drives button 4"

xdotool click 3
menu_faded_in
click_on quit
widget_click quit_ok
wait_until 20 ended $pid
exits_with 0 Quit
pass "the right button opens the menu; Quit and its OK? end the player with exit code 0"
