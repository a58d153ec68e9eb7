# Rebinding on the real player with the fake component: open the menu, go to "Change keys",
# click the first cell of button 4, press K; once the menu is closed K presses button 4 of
# player 1. (The binding written to res/conf at once: test_keys_page.cpp.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

start_fake_player keys FAKE_CORE_LOG_BUTTONS=1
wid=$(player_window $pid)
button_4_is() { [ "$(grep '^ox_button_set_state 0 4 ' "$log" | tail -n 1)" = "ox_button_set_state 0 4 $1" ]; }

# K held while Escape opens the menu: once the game has stopped, the player has seen K too.
xdotool keydown k
xdotool key Escape
wait_until 20 paused
xdotool keyup k
grep -qx 'ox_button_set_state 0 4 1' "$log" && fail "K pressed button 4 before it was bound"
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
stop_player
