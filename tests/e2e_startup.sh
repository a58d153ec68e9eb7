# The real player starts, shows the demo game, writes its log lines in order, ends cleanly on
# SIGTERM, and ends with exit code 1 when the game is refused. Optional pictures
# that cannot be read: e2e_picture_files.sh.
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# Normal start in a window (scale 2): picture shown, log lines in order.
d=$E2E_TMP/ok
make_dist "$d"
printf 'scale=2\nfullscreen=0\n' > "$d/res/conf"
launch /tmp
wid=$(player_window $pid)
# The splash stands still over a frozen game; once the picture moves, it is over.
wait_until 20 shows_picture splash
wait_until 240 moved_on splash shot   # 300 frames, slow under the sanitizers
stop_player
startup_logged "$d/res/log" "$d/"
after_sound_init=$(grep -A1 -x "sound init" "$d/res/log" | tail -n 1)
[ "$after_sound_init" = "sound stream set to 60 FPS" ] || fail "after sound init: $after_sound_init"
cmp -s "$d/stdout" "$d/res/log" || fail "standard output differs from the log file"
pass "starts, shows the game, logs in order, exits 0"

# Start-up failures end with exit code 1 right after their step's log line, nothing leaked:
# a refused game, a missing overlay picture. A font that cannot be read:
# e2e_picture_files.sh; libpng's reason in the log: test_picture.cpp; a missing game: the
# Windows tree's e2e_wine.sh, through the same start-up code.
damage() {
  case $1 in
    refused) echo "not a game" > "$2/res/game" ;;
    no_overlay) rm "$2/res/overlay" ;;
  esac
}
for case in "refused:couldn't load game" "no_overlay:xgui_init"; do
  name=${case%%:*} last=${case#*:}
  d=$E2E_TMP/$name
  make_dist "$d"
  damage "$name" "$d"
  rc=0
  "$d/player" >"$d/stdout" 2>"$d/stderr" || rc=$?
  [ $rc -eq 1 ] || fail "$name: exit code $rc"
  [ "$(tail -n 1 "$d/res/log")" = "$last" ] || fail "$name: last log line $(tail -n 1 "$d/res/log")"
  grep -q "Sanitizer" "$d/stderr" && fail "$name: sanitizer report: $(cat "$d/stderr")"
  pass "$name ends with exit code 1 after '$last'"
done
