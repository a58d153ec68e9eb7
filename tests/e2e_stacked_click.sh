# One click in the band where the hit boxes of "Window 2x" and "Window 3x" overlap (overlay
# y 548), on the real player in a 3x window with the menu open: only "Window 2x" acts, so
# res/conf is replaced once, with scale=2. (Both acting, in either order, shows in the count
# of writes or in the scale left; the window's sizes would only repeat that.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

start_fake_player stacked
wid=$(player_window $pid)

# Whole-file replacements of res/conf, counted from outside.
trace=$E2E_TMP/renames
strace -f -e trace=rename,renameat,renameat2 -o "$trace" -p $pid 2>"$E2E_TMP/strace.err" &
strace_pid=$!
E2E_PIDS+=($strace_pid)
wait_until 10 grep -q attached "$E2E_TMP/strace.err"

xdotool key Escape
wait_until 10 paused
# Window pixel (60, 341) of the 768 x 672 window maps to overlay point (439, 548).
xdotool mousemove --window "$wid" 60 341
settle   # the click lands where the pointer has been seen
xdotool click 1
rewritten() { ! grep -qx 'scale=3' "$d/res/conf"; }
wait_until 10 rewritten
xdotool key Escape   # the game running again shows that the click's pass is over
wait_until 10 running

conf_writes=$(grep -c 'res/conf"' "$trace" || true)
[ "$conf_writes" = 1 ] || fail "res/conf replaced $conf_writes times by one click: $(cat "$trace")"
grep -qx 'scale=2' "$d/res/conf" || fail "res/conf after the click: $(cat "$d/res/conf")"
pass "one click between Window 2x and Window 3x writes res/conf once, with scale=2"

# Detached first: the leak checker of a sanitizer build refuses to run under a tracer.
kill $strace_pid
wait $strace_pid || true
stop_player
exit 0
