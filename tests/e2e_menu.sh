# The menu on the real player with the fake component, in one run: "Save" on slot 2 shows its
# preview, its time and "Load" at once, and "Load" resumes the game; "Reset" acts only after
# "OK?"; after the window is resized from outside, the picture and the pointer follow its new
# size; the right button opens the menu, whose "Quit" and its "OK?" end the player with exit
# code 0. (The decisions behind these have their unit tables: Escape opens the menu and stops
# the game: test_events and test_menu; the splash never under the menu and the slot's date:
# test_notice and test_menu; where OK? shows and Quit waiting for it: test_xgui and
# test_menu_nav; what each item writes, and nothing on the page over a preview: test_menu; where
# each arrow goes, a held Return, and a binding made with the keys: test_menu_nav; the panel
# whole in every window: test_xgui; the window of "TV shape": test_window_placement.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

fake_dist menu
launch . FAKE_CORE_LOG="$log"
wid=$(player_window $pid)
xdotool key Escape
menu_faded_in

shot unsaved
click_on slot2_save
# The state goes to a temporary file beside res/2S first, renamed into place after the save.
grep -q "^ox_state_save .*/res/2S\.[0-9a-f]*$" "$log" || fail "no state save for slot 2"
shot saved
differ_around unsaved saved slot2_picture || fail "slot 2 shows no preview after Save"
differ_around unsaved saved slot2_load || fail "slot 2 shows no Load after Save"
differ_around unsaved saved slot2_time || fail "slot 2's time did not change from Empty"
running && fail "Save closed the menu"
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

xdotool click 3
menu_faded_in
click_on quit
widget_click quit_ok
wait_until 20 ended $pid
exits_with 0 Quit
pass "the right button opens the menu; Quit and its OK? end the player with exit code 0"
