# The menu on the real player with the fake component: the right button opens it and stops the
# game (Escape: e2e_keys.sh), Shift+F1 shows slot 0's preview and "Load" in the open menu,
# "Save" on slot 2 shows its preview and "Load" at once and "Load" resumes the game, "Reset"
# acts only after "OK?"; after the window is resized from outside, the picture and the pointer
# follow its new size. (Quit: e2e_menu_keys.sh; where OK? shows: test_xgui.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

start_fake_player menu
wid=$(player_window $pid)

menu_faded_in() { settle 40; }   # waits out the menu's fade, 32 passes, so shots show it whole
# changed A B NAME: screenshots A and B differ around widget NAME (its box and a margin; a
# picture not shown yet: the middle of the picture to come).
changed() {
  local x y w h
  read -r x y w h <<<"$(widget "$3")"
  [ "$w" -gt 0 ] || { x=$((x - 90)); w=180; y=$((y - 70)); h=140; }
  read -r x0 y0 <<<"$(overlay_point $((x - 20)) $((y - 10)))"
  read -r x1 y1 <<<"$(overlay_point $((x + w + 20)) $((y + h + 10)))"
  local g=$((x1 - x0))x$((y1 - y0))+$x0+$y0
  convert "$E2E_TMP/$1.png" -crop "$g" +repage "$E2E_TMP/crop1.png"
  convert "$E2E_TMP/$2.png" -crop "$g" +repage "$E2E_TMP/crop2.png"
  differ crop1 crop2
}
slot_shown() { shot "$2" && changed "$1" "$2" "slot$3_picture" && changed "$1" "$2" "slot$3_load"; }   # A B N

running || fail "the game does not run at start"
xdotool click 3
menu_faded_in
running && fail "the right button did not open the menu"
pass "the right button opens the menu and the game stops while it shows"

shot before_hotkey
xdotool key shift+F1
wait_until 10 slot_shown before_hotkey hotkey 0
pass "Shift+F1 with the menu open shows slot 0's preview and Load at once"

shot unsaved
click_on slot2_save
# The state goes to a temporary file beside res/2S first, renamed into place after the save.
grep -q "^ox_state_save .*/res/2S\.[0-9a-f]*$" "$log" || fail "no state save for slot 2"
slot_shown unsaved saved 2 || fail "slot 2 shows no preview and Load after Save"
changed unsaved saved slot0_load && fail "slot 0 changed after a save on slot 2"
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
click_on reset   # only "OK?" shows
[ "$(resets)" = "$loaded_resets" ] || fail "reset without OK?"
click_on reset_ok
[ "$(resets)" = $((loaded_resets + 1)) ] || fail "OK? did not reset"
running || fail "the menu stayed open after the reset"
pass "Reset asks OK? and resets only after it"

xdotool windowsize "$wid" 1000 700
resized() { [ "$(window_size)" = "1000 700" ]; }
wait_until 20 resized
menu_faded_in   # the menu closed by OK? fades out
shot resized
box=$(convert "$E2E_TMP/resized.png" -fill black +opaque '#336699' -format '%@' info:)   # the flat picture's
[ "$box" = "768x672+116+14" ] || fail "picture at $box in a 1000 x 700 window"
xdotool click 3
menu_faded_in
click_on play
running || fail "Play missed after the resize"
pass "a window resized from outside shows the picture centred and takes clicks where the menu shows"
stop_player
