# A state save cut short by a kill while the new files go to the disk leaves the old state with
# its old preview. (Saves reported done with nothing written yet, as by a component that
# writes only afterwards: test_component's StateSave; saves the component refuses:
# e2e_notices.sh; a component with no buttons before its start: test_settings; a FIFO in place
# of a state: test_component and test_menu.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# Killed while the new preview goes to the disk, the state's copy already written: both new
# files are flushed before either is renamed, so the old pair stays. (A save cut short earlier,
# inside the component, has nothing renamed yet either.)
# A sanitizer build accepts a library preloaded ahead of its runtime only when told so.
preload_ok=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
start_fake_player killed LD_PRELOAD="$STALL_PRELOAD" ASAN_OPTIONS="$preload_ok" \
  STALL_FSYNC_MATCH=/res/0P. STALL_FSYNC_MARK="$E2E_TMP/held"
printf 'old\n' | tee "$d/res/0S" >"$d/res/0P"   # slot 0 holds an old pair
press_until shift+F1 test -e "$E2E_TMP/held"
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
[ "$(cat "$d/res/0S" "$d/res/0P")" = $'old\nold' ] || fail "killed: the slot changed"
grep -l "Sanitizer" "$E2E_TMP"/*/stderr && fail "sanitizer report"
pass "a kill while the preview goes to the disk leaves the old pair"
