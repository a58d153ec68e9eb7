# The menu on the real player with the fake component: the right button opens it and stops the
# game (Escape: e2e_keys.sh), Shift+F1 shows slot 0's preview and "Load" in the open menu,
# "Save" on slot 2 shows its preview and "Load" at once, "Reset" acts only after "OK?"; after the
# window is resized from outside, the picture and the pointer follow its new size.
# ("Quit" behind "OK?": e2e_menu_keys.sh.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

start_fake_player menu
wid=$(player_window $pid)

click_on() { widget_click "$1"; settle; }   # NAME: a click on that widget, then a few passes
# menu_faded_in: waits out the menu's fade, 32 passes, so screenshots show it whole.
menu_faded_in() { settle 40; }
# crop_differs A B NAME: screenshots A and B differ around widget NAME (its box and a margin;
# a picture not shown yet: the middle of the picture to come).
crop_differs() {
  local x y w h
  widget "$3" >"$E2E_TMP/widget"
  read -r x y w h <"$E2E_TMP/widget"
  [ "$w" -gt 0 ] || { x=$((x - 90)); w=180; y=$((y - 70)); h=140; }
  read -r x0 y0 <<<"$(overlay_point $((x - 20)) $((y - 10)))"
  read -r x1 y1 <<<"$(overlay_point $((x + w + 20)) $((y + h + 10)))"
  local g=$((x1 - x0))x$((y1 - y0))+$x0+$y0
  convert "$E2E_TMP/$1.png" -crop "$g" +repage "$E2E_TMP/crop1.png"
  convert "$E2E_TMP/$2.png" -crop "$g" +repage "$E2E_TMP/crop2.png"
  differ crop1 crop2
}

running || fail "the game does not run at start"
xdotool click 3
menu_faded_in
running && fail "the right button did not open the menu"
pass "the right button opens the menu and the game stops while it shows"

shot before_hotkey
xdotool key shift+F1
wait_until 10 test -s "$d/res/0P"
slot0_shows_save() {
  shot hotkey
  crop_differs before_hotkey hotkey slot0_picture && crop_differs before_hotkey hotkey slot0_load
}
wait_until 10 slot0_shows_save
pass "Shift+F1 with the menu open shows slot 0's preview and Load at once"

shot unsaved
click_on slot2_save
# The state goes to a temporary file beside res/2S first, renamed into place after the save.
grep -q "^ox_state_save .*/res/2S\.[0-9a-f]*$" "$log" || fail "no state save for slot 2"
shot saved
crop_differs unsaved saved slot2_picture || fail "slot 2 shows no preview after Save"
crop_differs unsaved saved slot2_load || fail "slot 2 shows no Load after Save"
crop_differs unsaved saved slot0_load && fail "slot 0 changed after a save on slot 2"
running && fail "Save closed the menu"
click_on slot2_load
# The component reads a copy of res/2S made beside it.
grep -q "^ox_state_load .*/res/2S\.[0-9a-f]*$" "$log" || fail "no state load for slot 2"
running || fail "Load did not close the menu"
pass "Save on slot 2 shows its preview and Load at once; Load resumes the game"

resets() { grep -c '^ox_core_reset$' "$log" || true; }
loaded_resets=$(resets)   # loading the game resets once
xdotool key Escape
menu_faded_in
shot unarmed
click_on reset   # only "OK?" shows
shot armed
[ "$(resets)" = "$loaded_resets" ] || fail "reset without OK?"
crop_differs unarmed armed reset_ok || fail "no OK? beside Reset"
click_on reset_ok
[ "$(resets)" = $((loaded_resets + 1)) ] || fail "OK? did not reset"
running || fail "the menu stayed open after the reset"
pass "Reset asks OK? and resets only after it"

# picture_box NAME: "WxH+X+Y" of the fake component's flat picture in screenshot NAME.
picture_box() { convert "$E2E_TMP/$1.png" -fill black +opaque '#336699' -format '%@' info:; }
xdotool windowsize "$wid" 1000 700
wait_until 20 test "$(window_size)" = "1000 700"
settle
menu_faded_in   # the menu closed by OK? fades out
shot resized
[ "$(picture_box resized)" = "768x672+116+14" ] || fail "picture at $(picture_box resized) in a 1000 x 700 window"
xdotool click 3
menu_faded_in
click_on play
running || fail "Play missed after the resize"
pass "a window resized from outside shows the picture centred and takes clicks where the menu shows"

stop_player
exit 0
