# Files under attack on the real player: a FIFO in place of res/conf does not stall the start,
# planted links are never written through, a state save that fails or is cut short leaves the
# old state with its old preview, and two copies saving in one folder never tear res/conf.
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# fresh_dist NAME [reference]: a private dist without splash in $d, windowed at 3x.
fresh_dist() {
  d=$E2E_TMP/$1
  if [ "${2:-}" = reference ]; then make_dist "$d"; else make_dist "$d" fake; fi
  rm -f "$d/res/splash"
  printf 'scale=3\nfullscreen=0\n' > "$d/res/conf"
}
# run_player [VAR=value...]: starts $d/player; sets pid.
run_player() {
  env FAKE_CORE_LOG="$d/core.log" "$@" "$d/player" >"$d/stdout" 2>"$d/stderr" & pid=$!
  E2E_PIDS+=($pid)
}
gone() { ! kill -0 "$1" 2>/dev/null; }
temporaries() { find "$d/res" -name '*.*' ! -name '*.md' | wc -l; }
# press_until KEYS COMMAND...: presses KEYS in the player's window until COMMAND succeeds
# (a key sent while the window is still being mapped can be lost); fails after 10 tries.
press_until() {
  local keys=$1; shift
  for _ in $(seq 10); do
    xdotool key --window "$(player_window $pid)" $keys 2>/dev/null || true
    for _ in $(seq 10); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  done
  fail "no effect of $keys: $*"
}
stop_player() {
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# --- A FIFO in place of res/conf is refused at once.
fresh_dist fifo
rm "$d/res/conf"
mkfifo "$d/res/conf"
run_player
wait_for_line "$d/res/log" "entering loop" 20
stop_player
pass "a FIFO in place of res/conf does not stall the start"

# --- Planted links at the names the old temporary files had.
fresh_dist links reference
for name in conf.new 0S.tmp 0P.tmp; do
  echo "precious $name" > "$E2E_TMP/victim_$name"
  ln -s "$E2E_TMP/victim_$name" "$d/res/$name"
done
run_player
wait_for_line "$d/res/log" "entering loop"
press_until shift+F1 test -f "$d/res/0P"
press_until alt+Return grep -q '^smoothing=' "$d/res/conf"
stop_player
for name in conf.new 0S.tmp 0P.tmp; do
  [ "$(cat "$E2E_TMP/victim_$name")" = "precious $name" ] || fail "written through the link at res/$name"
done
pass "links planted beside res/conf, res/0S and res/0P are not written through"

# --- A refused state save keeps the old preview and says why.
fresh_dist refused
echo "old state" > "$d/res/0S"
echo "old picture" > "$d/res/0P"
run_player FAKE_CORE_SAVE=fail
wait_for_line "$d/res/log" "entering loop"
press_until shift+F1 grep -q '^cannot save slot 0' "$d/res/log"
stop_player
[ "$(cat "$d/res/0P")" = "old picture" ] || fail "a refused save replaced the preview"
[ "$(temporaries)" = 0 ] || fail "temporary files left: $(ls "$d/res")"
pass "a refused state save keeps the old preview, leaves no temporary file and is logged"

# --- A save cut short inside the component leaves the old pair.
fresh_dist crash
echo "old state" > "$d/res/0S"
echo "old picture" > "$d/res/0P"
run_player FAKE_CORE_SAVE=exit
wait_for_line "$d/res/log" "entering loop"
press_until shift+F1 gone "$pid"
[ "$(cat "$d/res/0S")" = "old state" ] || fail "the state changed although the save was cut short"
[ "$(cat "$d/res/0P")" = "old picture" ] || fail "the preview changed although the save was cut short"
pass "a save cut short leaves the old state with its old preview"

# --- Two copies in one folder, each saving res/conf 100 times.
fresh_dist two
printf 'scale=3\nfullscreen=0\nsmoothing=0\n' > "$d/res/conf"
run_player
pid_a=$pid
wait_for_line "$d/res/log" "entering loop"
wid_a=$(player_window $pid_a)
printf 'scale=2\nfullscreen=0\nsmoothing=1\n' > "$d/res/conf"
: > "$d/res/log"
run_player
pid_b=$pid
wait_for_line "$d/res/log" "entering loop"
wid_b=$(player_window $pid_b)

# settings_of: res/conf without its fullscreen line, the one setting both copies change.
settings_of() { grep -v '^fullscreen=' "$d/res/conf"; }
pid=$pid_a
press_until alt+Return grep -qx 'smoothing=0' "$d/res/conf"
copy_a=$(settings_of)
pid=$pid_b
press_until alt+Return grep -qx 'smoothing=1' "$d/res/conf"
copy_b=$(settings_of)
[ "$copy_a" != "$copy_b" ] || fail "the two copies' settings cannot be told apart"
# Both copies are sent their key at the same moment, so their saves overlap.
for round in $(seq 2 100); do
  xdotool key --window "$wid_a" alt+Return & key_a=$!
  xdotool key --window "$wid_b" alt+Return & key_b=$!
  wait "$key_a" "$key_b"
  now=$(settings_of)
  [ "$now" = "$copy_a" ] || [ "$now" = "$copy_b" ] || fail "round $round: res/conf is torn: $(head -c 300 "$d/res/conf")"
done
kill -TERM "$pid_a" "$pid_b"
wait "$pid_a" 2>/dev/null || true
wait "$pid_b" 2>/dev/null || true
now=$(settings_of)
[ "$now" = "$copy_a" ] || [ "$now" = "$copy_b" ] || fail "res/conf is torn at the end"
[ "$(temporaries)" = 0 ] || fail "temporary files left: $(ls "$d/res")"
pass "two copies saving 100 times each never tear res/conf"

grep -l "Sanitizer" "$E2E_TMP"/*/stderr && fail "sanitizer report"
exit 0
