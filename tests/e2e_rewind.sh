# Rewind as a player uses it: holding Backspace steps the picture back to earlier frames
# (the fake component paints its frame count), letting go continues from there, and after a
# load the history from before it is still there to go back to; the ring's folder is removed
# at the end. (Saves too slow for it switch it off with a notice: e2e_notices.sh; where that
# limit lies: test_rewind.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# The ring lives in the user's runtime folder; one left there by a player that has gone (a
# kill, a crash) is removed at the start.
run=$E2E_TMP/run
mkdir -m 700 "$run"
gone=$(sh -c 'echo $$')
mkdir "$run/player-rewind-$gone-AbCdEf"
echo state > "$run/player-rewind-$gone-AbCdEf/0"
start_fake_player rewind FAKE_CORE_COLOR=frames XDG_RUNTIME_DIR="$run"
[ ! -e "$run/player-rewind-$gone-AbCdEf" ] || fail "the folder of a player that has gone was left"
wid=$(player_window $pid)
wait_until 30 shown_above 400
start=$(frame_shown)
xdotool keydown BackSpace
wait_until 20 shown_below $((start - 100))
xdotool keyup BackSpace
back=$(frame_shown)
wait_until 20 shown_above $((back + 30))
grep -q "^ox_state_load $run/player-rewind-$pid-[^/]*/[0-9]*$" "$log" || fail "no state of the ring loaded"
pass "holding Backspace steps back from frame $start to $back; letting go continues"

xdotool key shift+F1
wait_until 20 test -s "$d/res/0S"
saved=$(awk '{print $2}' "$d/res/0S")
# Far enough on that stepping back through the frames before the load (4 a pass) takes about a
# second, long enough for the screenshots to catch it.
wait_until 20 shown_above $((saved + 400))
xdotool key F1
wait_until 20 shown_below $((saved + 100))
xdotool keydown BackSpace
wait_until 20 shown_above $((saved + 150))
xdotool keyup BackSpace
pass "after loading slot 1 (frame $saved), rewinding returns to the frames before the load"
stop_player
! ls -d "$run"/player-rewind-$pid-* 2>/dev/null || fail "the ring's folder was left behind"

# On a shared machine another user (root here) plants, under the names earlier players took
# for the next process ids, links to a folder of the player's user. The player, run as an
# ordinary user without a runtime folder, keeps its ring in a fresh folder in /dev/shm, rewind
# stays on, and the linked folder's files stay. (Another user's folders under those names:
# test_scratch.)
setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null || { pass "skipped: no second user"; exit 0; }
fake_dist shared
chmod 755 "$E2E_TMP"
victim=$E2E_TMP/victim
mkdir "$victim"
for i in 0 1 2 3; do echo kept > "$victim/$i"; done
chown -R 65534:65534 "$d" "$victim"
planted=$E2E_TMP/planted
trap 'xargs -r rm -rf < "$planted"; cleanup_e2e' EXIT
# From one process, so that planting takes none of the ids it covers.
python3 - "$victim" "$planted" <<'PY'
import os, sys
victim, planted = sys.argv[1:]
last = int(open('/proc/sys/kernel/ns_last_pid').read())
with open(planted, 'w') as out:
    for pid in range(last + 1, last + 200):
        name = '/dev/shm/player-rewind-%d' % pid
        try:
            os.symlink(victim, name)
        except FileExistsError:
            continue
        out.write(name + '\n')
PY
PLAYER_COMMAND=(setpriv --reuid=65534 --regid=65534 --clear-groups "$d/player")
launch . FAKE_CORE_LOG="$log" XDG_RUNTIME_DIR=
unset PLAYER_COMMAND
covered=$(grep -cx "/dev/shm/player-rewind-$pid" "$planted" || true)
xargs -r rm -rf < "$planted"
wait_until 30 eval '[ $(emulate_count) -ge 100 ]'
stop_player "links planted"
grep -q "^rewind: up to 450 states in /dev/shm/player-rewind-$pid-" "$d/res/log" || fail "no ring of its own"
grep -q "^ox_state_save /dev/shm/player-rewind-$pid-[^/]*/[0-9]*$" "$log" || fail "no state kept"
[ "$(ls "$victim")" = "$(printf "0\n1\n2\n3")" ] || fail "the linked folder's files changed: $(ls "$victim")"
[ "$(cat "$victim/0")" = kept ] || fail "a linked folder's file was overwritten"
[ "$covered" = 1 ] || echo "note: process id $pid was not among those planted"
pass "links planted under the player's old folder names are left alone; rewind stays on"
