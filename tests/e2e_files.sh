# A state save that the component refuses, reports done without writing, or that is cut short
# (inside the component, or by a kill while the new files go to the disk) leaves the old
# state with its old preview; a component that reports no buttons before its start costs no
# binding line; a FIFO put in place of a state while it loads never stalls the
# player. (Files in place of res/conf, planted links and interleaved saves are
# checked by the unit tests of the settings, the state slots and the whole-file replacement.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

temporaries() { find "$d/res" -name '*.*' ! -name '*.md' | wc -l; }
# press_until KEYS COMMAND...: presses KEYS in the player's window until COMMAND succeeds
# (a key sent while the window is still being mapped can be lost); fails after 10 tries.
press_until() {
  local keys=$1; shift
  for _ in $(seq 10); do
    xdotool key --window "$(player_window $pid)" $keys 2>/dev/null || true
    within 2 "$@" && return 0
  done
  fail "no effect of $keys: $*"
}
old_slot() {
  echo "old state" > "$d/res/0S"
  echo "old picture" > "$d/res/0P"
}

# --- A save refused, or reported done with nothing written (or written only later), keeps
# the old pair, leaves no temporary file and says why.
for mode in fail empty late; do
  start_fake_player $mode FAKE_CORE_SAVE=$mode
  old_slot
  why='^cannot save slot 0: the component wrote no state'
  [ $mode = fail ] && why='^cannot save slot 0'
  press_until shift+F1 grep -q "$why" "$d/res/log"
  stop_player $mode
  [ "$(cat "$d/res/0S") $(cat "$d/res/0P")" = "old state old picture" ] || fail "$mode: the slot changed"
  # A late write is the component's own, still under way.
  [ $mode = late ] || [ "$(temporaries)" = 0 ] || fail "$mode: temporary files left: $(ls "$d/res")"
done
pass "a save refused or reported done with nothing written keeps the old pair, tidily, and says why"

# --- A save cut short inside the component leaves the old pair.
start_fake_player crash FAKE_CORE_SAVE=exit
old_slot
press_until shift+F1 ended "$pid"
[ "$(cat "$d/res/0S")" = "old state" ] || fail "the state changed although the save was cut short"
[ "$(cat "$d/res/0P")" = "old picture" ] || fail "the preview changed although the save was cut short"
pass "a save cut short leaves the old state with its old preview"

# --- Killed while the new preview goes to the disk: both new files are flushed before
# either is renamed, so the old pair stays.
# A sanitizer build accepts a library preloaded ahead of its runtime only when told so.
preload_ok=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
start_fake_player killed LD_PRELOAD="$STALL_PRELOAD" ASAN_OPTIONS="$preload_ok" \
  STALL_FSYNC_MATCH=/res/0P. STALL_FSYNC_MARK="$E2E_TMP/held"
old_slot
press_until shift+F1 test -e "$E2E_TMP/held"
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
[ "$(cat "$d/res/0S") $(cat "$d/res/0P")" = "old state old picture" ] || fail "a kill mid-save mixed the pair"
pass "a kill while the preview goes to the disk leaves the old pair"

# --- A component that reports no buttons before its start: a save keeps every binding line.
d=$E2E_TMP/count
make_dist "$d" fake
bindings() { grep '^btn_' "$1"; }
{ printf 'scale=3\nfullscreen=0\n'; bindings "$SOURCE_DIR/tests/data/conf_two_players"; } >"$d/res/conf"
launch . FAKE_CORE_BUTTONS_BEFORE_INIT=0
press_until alt+Return grep -qx fullscreen=1 "$d/res/conf"
stop_player count
[ "$(bindings "$d/res/conf")" = "$(bindings "$SOURCE_DIR/tests/data/conf_two_players")" ] ||
  fail "binding lines lost: $(bindings "$d/res/conf" | head -3)"
pass "a component that reports no buttons before its start costs no binding line"

# --- A FIFO renamed over the state between the player's check and the component's open.
start_fake_player fifo FAKE_CORE_FIFO_OVER="$E2E_TMP/fifo/res/0S"
echo "FAKESTATE 5" > "$d/res/0S"
press_until F1 grep -q '^ox_state_load' "$log"
within 10 passes_reached $(( $(pass_count) + 3 )) || fail "the loop stalled in the state's load"
stop_player fifo
pass "a FIFO swapped in for a state never stalls the loop"

grep -l "Sanitizer" "$E2E_TMP"/*/stderr && fail "sanitizer report"
exit 0
