# Continuing where the player left off: a game ended by the desktop (SIGTERM) is saved into
# res/resumeS with its preview, the slots untouched; the next start continues at that very
# frame, with its notice. A damaged resume file starts the game anew, with a notice. A closed
# terminal or a logout (SIGHUP) and SIGQUIT end it as SIGTERM does; a second signal while the
# game is being kept ends it at once, but not the SIGHUP a closing session sends after SIGTERM.
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

start_fake_player resume
wait_until 30 eval '[ $(emulate_count) -ge 200 ]'
stop_player "first run"
test -s "$d/res/resumeS" || fail "no resume file"
test -s "$d/res/resumeP" || fail "no resume preview"
! ls "$d"/res/[0-2][SP] 2>/dev/null || fail "a slot was written"
quit_frame=$(awk '{print $2}' "$d/res/resumeS")

: > "$log"
launch . FAKE_CORE_LOG="$log"
wid=$(player_window $pid)
wait_for_line "$d/res/log" "notice: Continued — Reset starts over"
grep -q "^ox_state_load $d/res/resumeS\.[0-9a-f]*$" "$log" || fail "the resume file was not loaded"
xdotool key Pause
wait_until 20 paused
xdotool key shift+F1
wait_until 20 test -s "$d/res/0S"
frames_since=$(awk '/^ox_state_load/ { n = 0 } /^ox_core_emulate$/ { n++ } END { print n }' "$log")
[ "$(awk '{print $2}' "$d/res/0S")" = $((quit_frame + frames_since)) ] ||
  fail "continued at another frame than $quit_frame"
pass "a restart continues at the frame the game was quit at"
stop_player "second run"

echo "damaged" > "$d/res/resumeS"
launch . FAKE_CORE_LOG="$log"
wait_for_line "$d/res/log" "notice: Cannot continue the last game (the component refused): it starts anew"
grep -qx "ox_core_reset" "$log" || fail "the game was not started anew"
pass "a damaged resume file starts the game anew, with a notice"
stop_player "damaged resume file"

run=$E2E_TMP/run
mkdir -m 700 "$run"
# SIGHUP alone takes the same path: the one after SIGTERM below would end a player that did not
# handle it.
start_fake_player resume_QUIT XDG_RUNTIME_DIR="$run"
wait_until 30 eval '[ $(emulate_count) -ge 100 ]'
kill -QUIT $pid
exits_with 0 "SIGQUIT"
test -s "$d/res/resumeS" || fail "SIGQUIT: no resume file"
test -s "$d/res/resumeP" || fail "SIGQUIT: no resume preview"
! ls -d "$run"/player-rewind-$pid-* 2>/dev/null || fail "SIGQUIT: rewind's folder was left behind"
pass "SIGQUIT keeps the game and removes rewind's folder, exit code 0"

# second_signal SIGNAL: the player, ended by SIGTERM, gets SIGNAL while it saves the game.
second_signal() {
  start_fake_player "resume_$1" FAKE_CORE_SAVE=slow XDG_RUNTIME_DIR="$run"
  wait_until 30 eval '[ $(emulate_count) -ge 100 ]'
  kill -TERM $pid
  wait_until 20 grep -q "^ox_state_save .*resumeS" "$log"
  kill -$1 $pid
}
second_signal TERM
(wait_until 3 ended $pid) || fail "a second SIGTERM did not end the player at once"
exits_with 143 "second SIGTERM"
pass "a second SIGTERM while the game is being kept ends the player at once"
second_signal HUP   # as a closing session sends it right after SIGTERM
exits_with 0 "SIGHUP after SIGTERM"
test -s "$d/res/resumeS" || fail "SIGHUP after SIGTERM: no resume file"
pass "SIGHUP right after SIGTERM lets the game be kept"
