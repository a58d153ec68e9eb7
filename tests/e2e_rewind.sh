# Rewind as a player uses it: holding Backspace steps the picture back to earlier frames
# (the fake component paints its frame count), letting go continues from there, and after a
# load the history from before it is still there to go back to; the ring's folder is removed
# at the end. (Saves too slow for it switch it off with a notice: e2e_notices.sh; where that
# limit lies: test_rewind.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# The ring lives in the user's runtime folder; one left there by a player that has gone (a
# kill, a crash) is removed at the start.
run=$E2E_TMP/run
mkdir -m 700 "$run"
gone=$(sh -c 'echo $$')
mkdir "$run/player-rewind-$gone-AbCdEf"
echo state > "$run/player-rewind-$gone-AbCdEf/0"
start_fake_player rewind FAKE_CORE_COLOR=frames XDG_RUNTIME_DIR="$run"
[ ! -e "$run/player-rewind-$gone-AbCdEf" ] || fail "the folder of a player that has gone was left"
wid=$(player_window $pid)
wait_until 30 shown_above 400
start=$(frame_shown)
xdotool keydown BackSpace
wait_until 20 shown_below $((start - 100))
xdotool keyup BackSpace
back=$(frame_shown)
wait_until 20 shown_above $((back + 30))
grep -q "^ox_state_load $run/player-rewind-$pid-[^/]*/[0-9]*$" "$log" || fail "no state of the ring loaded"
pass "holding Backspace steps back from frame $start to $back; letting go continues"

xdotool key shift+F1
wait_until 20 test -s "$d/res/0S"
saved=$(awk '{print $2}' "$d/res/0S")
# Far enough on that stepping back through the frames before the load (4 a pass) takes about a
# second, long enough for the screenshots to catch it.
wait_until 20 shown_above $((saved + 400))
xdotool key F1
wait_until 20 shown_below $((saved + 100))
xdotool keydown BackSpace
wait_until 20 shown_above $((saved + 150))
xdotool keyup BackSpace
pass "after loading slot 1 (frame $saved), rewinding returns to the frames before the load"
stop_player
! ls -d "$run"/player-rewind-$pid-* 2>/dev/null || fail "the ring's folder was left behind"
