# The menu with keys alone, the pointer never moved: Escape opens it, the arrows reach
# "Window 2x" and Return makes the window 2x and writes so; on the change-keys page Return on
# the first cell and then a key bind that key; "Back" and Return leave the page; "Quit" and
# Return twice end the player with exit code 0.
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

start_fake_player menu_keys
wid=$(player_window $pid)
conf=$d/res/conf
size() { xwininfo -id "$wid" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}'; }
paused() { settle; ! last_pass_emulated; }

xdotool key Escape
wait_until 10 paused
# The first arrow only shows the focus, on "Play"; four more go down to "Window 2x".
xdotool key Down Down Down Down Down Return
two_x() { [ "$(size)" = "512 448" ]; }
wait_until 10 two_x
grep -qx 'scale=2' "$conf" || fail "res/conf after Window 2x: $(cat "$conf")"
grep -qx 'fullscreen=0' "$conf" || fail "res/conf after Window 2x: $(cat "$conf")"
pass "the arrows and Return choose Window 2x: the window is 512 x 448 and res/conf says scale=2"

# Down to "Smooth", right to "Change keys" on its row; on the page the first arrow shows the
# focus on the first cell, and Return there asks for a key. Keys that arrive within one pass
# act on the page of that pass, so each page change is waited for.
xdotool key Down Down Down Right Return
settle
xdotool key Down Return
settle   # the capture has begun, so K is pressed after the ask, not held through it
xdotool keydown k
bound() { grep -qx 'btn_0_0_0_code=14' "$conf"; }
wait_until 10 bound
xdotool keyup k
grep -qx 'btn_0_0_0_type=1' "$conf" || fail "the first cell holds no key: $(grep '^btn_0_0_0' "$conf")"
pass "Return on the first cell and then K bind K, not Return"

# Up to the player toggles, right to "Back"; on the menu page again the first arrow shows the
# focus on "Play", two more reach "Quit", which asks OK? first.
xdotool key Up Right Return
settle
xdotool key Down Down Down Return
settle
ended $pid && fail "Quit ended the player without OK?"
xdotool key Return
rc=0
wait_until 20 ended $pid
wait $pid || rc=$?
[ $rc -eq 0 ] || fail "exit code $rc after Quit"
grep -q "Sanitizer" "$d/stderr" && fail "sanitizer report: $(cat "$d/stderr")"
pass "Back, then Quit with Return twice, end the player with exit code 0"
exit 0
