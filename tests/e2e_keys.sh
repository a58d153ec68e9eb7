# The menu and a binding with keys on the real player, the fake component behind it: Escape
# opens the menu, the arrows reach "Window 2x" and Return makes the window 2x (the pointer never
# moved); on "Change keys" a click on the first cell of button 4 and K bind K, which once the
# menu is closed presses button 4 of player 1. (What a window item writes: test_menu; where
# each arrow goes, OK? and a held Return: test_menu_nav; K bound to no button by default:
# test_input; the binding written to res/conf at once: test_keys_page.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

start_fake_player keys FAKE_CORE_LOG_BUTTONS=1
wid=$(player_window $pid)
button_4_is() { [ "$(grep '^ox_button_set_state 0 4 ' "$log" | tail -n 1)" = "ox_button_set_state 0 4 $1" ]; }

xdotool key Escape
wait_until 20 paused
# The first arrow only shows the focus, on "Play"; four more go down to "Window 2x".
xdotool key Down Down Down Down Down Return
wait_until 10 eval '[ "$(window_size)" = "512 448" ]'
pass "the arrows and Return choose Window 2x: the window is 512 x 448"

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
