# A display that goes away under the running player (the X server ends, as at logging out)
# ends the player within 2 s with exit code 1 and a log line; the stored settings stay as they
# were. Full screen, as at logging out; a window goes through the same error handler.
source "$SOURCE_DIR/tests/support/e2e.sh"

# gone PID: the process has ended (a zombie waiting for its parent counts as ended).
gone() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null || true)
  [ -z "$state" ] || [ "${state:0:1}" = Z ]
}

start_xvfb
xvfb=${E2E_PIDS[-1]}
start_wm
d=$E2E_TMP/fullscreen
make_dist "$d" fake
printf 'scale=3\nfullscreen=1\n' > "$d/res/conf"
cp "$d/res/conf" "$E2E_TMP/conf.before"
launch
player_window $pid >/dev/null
kill -KILL $xvfb
# A player stuck on the dead display ignores SIGTERM, so it is killed outright on failure.
(wait_until 2 gone $pid) || { kill -KILL $pid; fail "still running 2 s after the display ended"; }
exits_with 1
grep -qx "Error: the connection to the display was lost" "$d/res/log" || fail "no log line"
cmp -s "$E2E_TMP/conf.before" "$d/res/conf" || fail "res/conf changed"
pass "a lost display ends the player with exit code 1 and a log line"
exit 0
