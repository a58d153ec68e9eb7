# The menu with keys alone, the pointer never moved: Escape opens it, the arrows reach
# "Window 2x" and Return makes the window 2x and writes so; "Quit" and Return twice end the
# player with exit code 0. (A capture asked for by Return: test_menu_nav.cpp.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

start_fake_player menu_keys
wid=$(player_window $pid)
conf=$d/res/conf

xdotool key Escape
wait_until 10 paused
# The first arrow only shows the focus, on "Play"; four more go down to "Window 2x".
xdotool key Down Down Down Down Down Return
two_x() { [ "$(window_size)" = "512 448" ]; }
wait_until 10 two_x
grep -qx 'scale=2' "$conf" || fail "res/conf after Window 2x: $(cat "$conf")"
pass "the arrows and Return choose Window 2x: the window is 512 x 448 and res/conf says scale=2"

# Two up from "Window 2x" is "Quit", which asks OK? first.
xdotool key Up Up Return
settle
ended $pid && fail "Quit ended the player without OK?"
xdotool key Return
rc=0
wait_until 20 ended $pid
wait $pid || rc=$?
[ $rc -eq 0 ] || fail "exit code $rc after Quit"
grep -q "Sanitizer" "$d/stderr" && fail "sanitizer report: $(cat "$d/stderr")"
pass "Quit with Return twice ends the player with exit code 0"
exit 0
