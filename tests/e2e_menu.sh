# The menu on the real player with the fake component: the right button opens it and stops the
# game (Escape: e2e_keys.sh), Shift+F1 shows slot 0's preview and "Load" in the open menu,
# "Save" on slot 2 shows its preview and "Load" at once, "Reset" acts only after "OK?".
# ("Quit" behind "OK?": e2e_menu_keys.sh.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

start_fake_player menu
wid=$(player_window $pid)

# click_at X Y: left click at overlay point (X, Y); a text widget is hit inside its first line.
click_at() { overlay_click "$1" "$2"; settle; }
# menu_faded_in: waits out the menu's fade, 32 passes, so screenshots show it whole.
menu_faded_in() { settle 40; }
# crop_differs A B X Y W H: the overlay rectangle differs between screenshots A and B.
crop_differs() {
  read -r x0 y0 <<<"$(overlay_point "$3" "$4")"
  read -r x1 y1 <<<"$(overlay_point $(($3 + $5)) $(($4 + $6)))"
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
  crop_differs before_hotkey hotkey 490 830 180 140 && crop_differs before_hotkey hotkey 440 770 130 60
}
wait_until 10 slot0_shows_save
pass "Shift+F1 with the menu open shows slot 0's preview and Load at once"

shot unsaved
click_at 1440 1004   # "Save" of slot 2 (right-aligned at 1480)
# The state goes to a temporary file beside res/2S first, renamed into place after the save.
grep -q "^ox_state_save .*/res/2S\.[0-9a-f]*$" "$log" || fail "no state save for slot 2"
shot saved
crop_differs unsaved saved 1250 830 180 140 || fail "slot 2 shows no preview after Save"
crop_differs unsaved saved 1190 770 130 60 || fail "slot 2 shows no Load after Save"
crop_differs unsaved saved 440 770 130 60 && fail "slot 0 changed after a save on slot 2"
running && fail "Save closed the menu"
click_at 1220 804   # "Load" of slot 2
# The component reads a copy of res/2S made beside it.
grep -q "^ox_state_load .*/res/2S\.[0-9a-f]*$" "$log" || fail "no state load for slot 2"
running || fail "Load did not close the menu"
pass "Save on slot 2 shows its preview and Load at once; Load resumes the game"

resets() { grep -c '^ox_core_reset$' "$log" || true; }
loaded_resets=$(resets)   # loading the game resets once
xdotool key Escape
menu_faded_in
shot unarmed
click_at 440 324   # "Reset": only "OK?" shows
shot armed
[ "$(resets)" = "$loaded_resets" ] || fail "reset without OK?"
crop_differs unarmed armed 570 300 140 60 || fail "no OK? beside Reset"
click_at 628 324   # "OK?"
[ "$(resets)" = $((loaded_resets + 1)) ] || fail "OK? did not reset"
running || fail "the menu stayed open after the reset"
pass "Reset asks OK? and resets only after it"

stop_player
exit 0
