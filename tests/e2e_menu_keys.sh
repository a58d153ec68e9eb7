# The menu with keys alone, the pointer never moved: Escape opens it, the arrows reach
# "Window 2x" and Return makes the window 2x; "Quit" and Return twice, the first held, end the
# player with exit code 0. (What a window item writes: test_menu.cpp; OK? and a capture asked
# for by Return: test_menu_nav.cpp.)
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

# Two up from "Window 2x" is "Quit", which asks OK? first. Return held there for longer than
# the keyboard's repeat delay arms it once and confirms nothing (the span held is what is
# tested); the next press confirms.
xdotool key Up Up keydown Return
sleep 1.5
xdotool keyup Return
settle
ended $pid && fail "Return held on Quit ended the player"
xdotool key Return
wait_until 20 ended $pid
exits_with 0 Quit
pass "Quit with Return held, then pressed again, ends the player with exit code 0"
exit 0
