# The Windows player under Wine, from a folder named outside the system's code page: it starts
# with the Windows paths in its log, shows the demo game, saves with Shift+F1 and loads with F1,
# stops the game under the menu Escape opens, ends with exit code 0 through the menu's Quit and
# through the session's end, and with 1 when res\game is missing. (Settings rewritten whole:
# the portable test_file_replace and test_file_replace_win here, Alt+Return itself:
# e2e_away.sh.)
# Environment from CTest: DIST_DIR, SOURCE_DIR, WINEPREFIX.
source "$SOURCE_DIR/tests/support/e2e.sh"
# A wineserver stays bound to the display it started with: without a display from the
# caller, wait for any earlier one to end before starting a private X server.
if [ -z "${DISPLAY:-}" ]; then
  wineserver -w
  start_xvfb
fi
export SDL_AUDIODRIVER=dummy
PLAYER_COMMAND=(wine player.exe)
LAUNCH_SECONDS=120

# Mended fault: in a folder named outside the system's code page every file was an invalid
# name, and the player ended with 1 before writing its log.
new_dist "Игра ゲーム"
launch "$d"
win_dir=$(winepath -w "$d/" 2>/dev/null)
startup_logged "$d/res/log" "$win_dir"
pass "starts in a folder named in Cyrillic and Japanese with its Windows paths and logs its start-up in order"

wid=$(titled_window 'Sunny Meadow')
# The splash stands still over a frozen game; once the picture moves, it is over.
wait_until 60 shows_picture splash
wait_until 120 moved_on splash game
pass "shows the demo game"

keys() { xdotool windowfocus --sync "$wid" key "$@"; }
keys shift+F1
wait_until 20 test -s "$d/res/0S"
wait_until 20 test -s "$d/res/0P"
keys F1 F2
wait_until 20 has_line "$d/res/log" "cannot load slot 2: the file is missing (${win_dir}res\\1S)"
grep -q "cannot load slot 1" "$d/res/log" && fail "slot 1 did not load: $(grep 'slot 1' "$d/res/log")"
pass "Shift+F1 saves slot 1 with its preview, F1 loads it, F2 finds slot 2 empty"

keys Escape
wait_until 20 still   # the game stops under the open menu, once the fade is over
widget_click quit   # only "OK?" shows
wait_until 10 moved_on still2 asking
widget_click quit_ok
wait_until 30 ended $pid
exits_with 0 Quit
pass "Escape opens the menu and stops the game; its Quit ends the player with exit code 0"

# The session's end (a logoff, a shutdown) keeps the game as Quit does and removes rewind's
# folder; a folder of a player that has gone is removed at the start.
temp=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')" 2>/dev/null)
mkdir -p "$temp/player-rewind-99999-AbCdEf"
echo state > "$temp/player-rewind-99999-AbCdEf/0"
new_dist session_end
launch "$d"
[ ! -e "$temp/player-rewind-99999-AbCdEf" ] || fail "the folder of a player that has gone was left"
wineboot --end-session
wait_until 60 ended $pid
exits_with 0 "the session's end"
test -s "$d/res/resumeS" || fail "no resume file at the session's end"
! ls -d "$temp"/player-rewind-* 2>/dev/null || fail "rewind's folder was left at the session's end"
pass "the session's end keeps the game and removes rewind's folder, exit code 0"

new_dist missing
rm "$d/res/game"
run_to_end
[ $rc -eq 1 ] || fail "exit code $rc without res\\game"
said="Error: the game cannot start: missing file $(winepath -w "$d/res/game" 2>/dev/null)"
[ "$(tail -n 2 "$d/res/log")" = "couldn't load game"$'\n'"$said" ] || fail "log: $(tail -n 2 "$d/res/log")"
pass "ends with exit code 1 when res\\game is missing"
