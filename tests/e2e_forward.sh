# Run-ahead switched off end to end with the fake component, counted in its log: saves slower
# than half a frame switch it off with a notice, and its state is loaded back no more. (Frames a
# pass with run-ahead and fast-forward, the slot keeping the real frame, the sound and the
# "Fast forward" notice: test_forward, through the same loop step; where the cost lies: its
# table.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# With run-ahead a pass ends with one load of its state.
ahead_passes() { grep -c '^ox_state_load .*/ahead$' "$log" || true; }

# Saves of 10 ms: the extra frames with their save and load take more than half a frame.
fake_dist slow
echo "runahead=1" >>"$d/res/conf"
launch . FAKE_CORE_LOG="$log" FAKE_CORE_SAVE_MS=10
wait_for_line "$d/res/log" "notice: Less lag is off: the game is too slow for it"
loads=$(ahead_passes)
[ "$loads" -gt 0 ] || fail "run-ahead never ran before it switched off"
settle 20
[ "$(ahead_passes)" = "$loads" ] || fail "the state was loaded back after run-ahead switched off"
stop_player
pass "run-ahead with saves of 10 ms switched itself off after $loads passes"
