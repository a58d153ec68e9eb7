# A display that goes away under the running player (the X server ends, as at logging out)
# ends the player within 2 s with exit code 1 and a log line; the stored settings stay as they
# were. Full screen, as at logging out; a window goes through the same error handler.
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb
xvfb=${E2E_PIDS[-1]}
start_wm

fake_dist fullscreen
printf 'scale=3\nfullscreen=1\n' > "$d/res/conf"
cp "$d/res/conf" "$E2E_TMP/conf.before"
launch
player_window $pid >/dev/null
kill -KILL $xvfb
# A player stuck on the dead display ignores SIGTERM, so it is killed outright on failure.
(wait_until 2 ended $pid) || { kill -KILL $pid; fail "still running 2 s after the display ended"; }
exits_with 1
has_line "$d/res/log" "Error: the connection to the display was lost" || fail "no log line"
cmp -s "$E2E_TMP/conf.before" "$d/res/conf" || fail "res/conf changed"
pass "a lost display ends the player with exit code 1 and a log line"
