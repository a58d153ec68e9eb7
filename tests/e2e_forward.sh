# Fast-forward and run-ahead end to end with the fake component, counted in its log: holding
# Tab runs about four frames a pass (a pass ends with the stream's one ox_audio_render) under
# the "Fast forward" notice; saves slower than half a frame switch run-ahead off with a notice,
# and its state is loaded back no more. (Frames a pass with run-ahead, the slot keeping the real
# frame, the sound: test_forward, through the same loop step; where the cost lies: its table.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# frames_a_pass PASSES: the fake component's frames per loop pass over the next PASSES passes,
# times ten.
frames_a_pass() {
  local e0 p0
  e0=$(emulate_count)
  p0=$(pass_count)
  wait_until 60 passes_reached $((p0 + $1))
  echo $(( ($(emulate_count) - e0) * 10 / ($(pass_count) - p0) ))
}

start_fake_player forward
wid=$(player_window $pid)
settle 10
plain=$(frames_a_pass 60)
[ "$plain" -le 11 ] || fail "$plain tenths of a frame a pass without Tab"
xdotool keydown Tab
wait_until 20 grep -q "notice: Fast forward" "$d/res/log"
fast=$(frames_a_pass 60)
xdotool keyup Tab
[ "$fast" -ge 35 ] || fail "$fast tenths of a frame a pass with Tab held"
pass "frames a pass (tenths): $plain, Tab held $fast"
stop_player


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
