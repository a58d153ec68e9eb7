# The menu with keys alone, the pointer never moved: Escape opens it, the arrows reach
# "Window 2x" and Return makes the window 2x; on "Quit" a first Return asks OK? and a second
# ends the player with exit code 0. (What a window item writes: test_menu; where each arrow
# goes, OK? and a held Return: test_menu_nav.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

start_fake_player menu_keys
wid=$(player_window $pid)
xdotool key Escape
wait_until 10 paused
# The first arrow only shows the focus, on "Play"; four more go down to "Window 2x".
xdotool key Down Down Down Down Down Return
two_x() { [ "$(window_size)" = "512 448" ]; }
wait_until 10 two_x
pass "the arrows and Return choose Window 2x: the window is 512 x 448"

xdotool key Up Up Return   # two up from "Window 2x" is "Quit"
settle
ended $pid && fail "one Return on Quit ended the player"
xdotool key Return
wait_until 20 ended $pid
exits_with 0 Quit
pass "Quit and Return twice end the player with exit code 0"
