# A state save that the component refuses or that is cut short inside it leaves the old state
# with its old preview. (Files in place of res/conf, planted links and interleaved saves are
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

# --- A refused state save keeps the old preview and says why.
start_fake_player refused FAKE_CORE_SAVE=fail
old_slot
press_until shift+F1 grep -q '^cannot save slot 0' "$d/res/log"
kill -TERM "$pid"
wait "$pid" 2>/dev/null || true
[ "$(cat "$d/res/0P")" = "old picture" ] || fail "a refused save replaced the preview"
[ "$(temporaries)" = 0 ] || fail "temporary files left: $(ls "$d/res")"
pass "a refused state save keeps the old preview, leaves no temporary file and is logged"

# --- A save cut short inside the component leaves the old pair.
start_fake_player crash FAKE_CORE_SAVE=exit
old_slot
press_until shift+F1 ended "$pid"
[ "$(cat "$d/res/0S")" = "old state" ] || fail "the state changed although the save was cut short"
[ "$(cat "$d/res/0P")" = "old picture" ] || fail "the preview changed although the save was cut short"
pass "a save cut short leaves the old state with its old preview"

grep -l "Sanitizer" "$E2E_TMP"/*/stderr && fail "sanitizer report"
exit 0
