# The Windows player under Wine: it starts with the Windows paths in its log, shows the demo
# game, saves with Shift+F1 and loads with F1, keeps its settings through Alt+Return, opens
# the menu with Escape, ends with exit code 0 through the menu's Quit and with 1 when
# res\game is missing, and starts from a folder named outside the system's code page.
# Environment from CTest: DIST_DIR, SOURCE_DIR, WINEPREFIX.
source "$SOURCE_DIR/tests/support/e2e.sh"
# A wineserver stays bound to the display it started with: without a display from the
# caller, wait for any earlier one to end before starting a private X server.
if [ -z "${DISPLAY:-}" ]; then
  wineserver -w
  start_xvfb
fi
export SDL_AUDIODRIVER=dummy

# win_dist DIR: a private copy of the Windows dist in DIR.
win_dist() {
  mkdir -p "$1"
  cp -r "$DIST_DIR/player.exe" "$DIST_DIR/ox_core.dll" "$DIST_DIR/res" "$1/"
  rm -f "$1/res/conf" "$1/res/log" "$1"/res/[0-2][SP]
}
log_text() { cat "$d/res/log"; }
log_has() { log_text | grep -qxF -- "$1"; }

d=$E2E_TMP/ok
win_dist "$d"
printf 'scale=2\nfullscreen=0\n' >"$d/res/conf"
(cd "$d" && exec wine player.exe >"$d/stdout" 2>"$d/stderr" 9>&-) & pid=$!
E2E_PIDS+=($pid)
wait_until 120 log_has "entering loop"

win_dir=$(winepath -w "$d/" 2>/dev/null)
startup_logged "$d/res/log" "$win_dir"
pass "starts with its Windows paths and logs its start-up in order"

window_found() { xdotool search --name '^Sunny Meadow$' | head -n 1 | grep -q .; }
wait_until 60 window_found
wid=$(xdotool search --name '^Sunny Meadow$' | head -n 1)
wait_until 20 viewable "$wid"
# The splash stands still over a frozen game; once the picture moves, it is over.
wait_until 60 shows_picture splash
wait_until 120 moved_on splash game
pass "shows the demo game"

keys() { xdotool windowfocus --sync "$wid" key "$@"; }
keys shift+F1
wait_until 20 test -s "$d/res/0S"
wait_until 20 test -s "$d/res/0P"
keys F1 F2
wait_until 20 log_has "cannot load slot 1: the component refused ${win_dir}res\\1S"
log_text | grep -q "cannot load slot 0" && fail "slot 0 did not load: $(log_text | grep 'slot 0')"
pass "Shift+F1 saves slot 0 with its preview, F1 loads it, F2 finds slot 1 empty"

# Each switch rewrites the settings file whole.
conf_has() { grep -qx "$1" "$d/res/conf"; }
keys alt+Return
wait_until 20 conf_has fullscreen=1
keys alt+Return
wait_until 20 conf_has fullscreen=0
pass "Alt+Return switches full screen on and off, rewriting res\\conf each time"

shot running1
wait_until 10 moved_on running1 running2
keys Escape
# The game stops under the open menu: once the fade is over the picture stands still.
# A pause between two shots: standing still for a while is what is checked.
still() { shot still1 && sleep 0.3 && shot still2 && ! differ still1 still2; }
wait_until 20 still
differ running2 still2 || fail "the picture did not change when the menu opened"
pass "Escape opens the menu and stops the game"

shot menu
widget_click quit   # only "OK?" shows
wait_until 10 moved_on menu asking
widget_click quit_ok
wait_until 30 ended $pid
rc=0
wait $pid || rc=$?
[ $rc -eq 0 ] || fail "exit code $rc after Quit"
pass "Quit ends the player with exit code 0"

d=$E2E_TMP/missing
win_dist "$d"
rm "$d/res/game"
rc=0
(cd "$d" && wine player.exe >"$d/stdout" 2>"$d/stderr" 9>&-) || rc=$?
[ $rc -eq 1 ] || fail "exit code $rc without res\\game"
[ "$(log_text | tail -n 2 | head -n 1)" = "couldn't load game" ] || fail "log: $(log_text | tail -n 2)"
log_text | tail -n 1 | grep -q "^Error: the game cannot start: missing file .*res.game$" ||
  fail "no reason: $(log_text | tail -n 1)"
pass "ends with exit code 1 when res\\game is missing"

# Mended fault: in a folder named outside the system's code page every file was an invalid
# name, and the player ended with 1 before writing its log.
d="$E2E_TMP/Игра ゲーム"
win_dist "$d"
printf 'scale=2\nfullscreen=0\n' >"$d/res/conf"
(cd "$d" && exec wine player.exe >"$d/stdout" 2>"$d/stderr") & pid=$!
E2E_PIDS+=($pid)
within 120 log_has "entering loop" || fail "no start in a Cyrillic and Japanese folder: $(cat "$d/stderr")"
wineserver -k
pass "starts and loads its game in a folder named in Cyrillic and Japanese"
