# The real player starts from another folder, shows the demo game, writes its log lines in
# order, names the TV effect's files and reads the menu's sounds found beside it, ends cleanly
# on SIGTERM, and ends with exit code 1, saying why, when the game is refused or a file it
# needs cannot be read; its window shows only once the first frame is drawn, and a failed
# start's message box alone. A FIFO in place of an optional file is logged and never holds up
# the start, nor does a standard output nobody reads; shader files that cannot be read are
# logged. (The order of the places looked in for the shaders, the effect's look, a missing
# pixel shader's line, and the plain picture when they fail: test_gl_path.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# Normal start in a window (scale 2): picture shown, log lines in order.
new_dist ok
launch /tmp
wid=$(player_window $pid)
# The splash stands still over a frozen game; once the picture moves, it is over.
wait_until 20 shows_picture splash
wait_until 240 moved_on splash shot   # 300 frames, slow under the sanitizers
stop_player
startup_logged "$d/res/log" "$d/"
has_line "$d/res/log" "TV effect shaders: $d/res/crtv, $d/res/crtf" || fail "the shader files are not named"
grep -q "^sound $d/res/s_hover [1-9]" "$d/res/log" || fail "the menu's hover sound was not read"
grep -q "^sound $d/res/s_select [1-9]" "$d/res/log" || fail "the menu's select sound was not read"
# Xvfb gives SDL no refresh rate, and a loop that never waits for a present measures none.
has_line "$d/res/log" "display rate not known yet: the loop follows the presents until it is measured" ||
  fail "the loop does not say that the display's rate is not known"
cmp -s "$d/stdout" "$d/res/log" || fail "standard output differs from the log file"
pass "starts, shows the game, logs in order, exits 0"

fake_dist optional
rm "$d/res/crtv" "$d/res/crtf" "$d/res/back"
mkfifo "$d/res/crtf" "$d/res/back" "$d/res/splash" "$d/res/0P"
# Shaders are read from here; the standard output is closed after its first line, as by `| head -1`.
(cd "$d" && exec "$d/player" 2>"$d/stderr" > >(head -n 1 >/dev/null) 9>&-) & pid=$!
wait_for_line "$d/res/log" "entering loop"
for line in "not a regular file: res/crtf" "Error: Can't load vertex shader" \
  "not a regular file: $d/res/"{back,splash,0P}; do
  has_line "$d/res/log" "$line" || fail "no line '$line' in the log"
done
stop_player "closed stdout"
pass "a closed standard output, a missing shader file and FIFOs for optional files are logged and hold up nothing"

# Start-up failures end with exit code 1: the step's own line, then one naming the file and the
# reason, whose words the message box shows (on standard error here). The fake component's
# static object shows the component shut down before the exit routines destroyed it. A missing
# game under Wine: the Windows tree's e2e_wine.sh.
cases=(
  "refused|couldn't load game|the component refused $E2E_TMP/refused/res/game"
  "no_overlay|xgui_init|missing file $E2E_TMP/no_overlay/res/overlay"
  "font|not a regular file: $E2E_TMP/font/res/font|not a regular file: $E2E_TMP/font/res/font"
  "huge_screen|couldn't load game|screen size 40000 x 30000 from the component is refused, 256 x 224 kept"
)
for case in "${cases[@]}"; do
  IFS='|' read -r name step reason <<<"$case"
  new_dist "$name" fake
  case $name in
    refused) make_dist "$d"; echo "not a game" > "$d/res/game" ;;
    no_overlay) rm "$d/res/overlay" ;;
    font) rm "$d/res/font"; mkfifo "$d/res/font" ;;
  esac
  run_to_end FAKE_CORE_STATIC=1 FAKE_CORE_LOADED_SCREEN=40000x30000
  [ $rc -eq 1 ] || fail "$name: exit code $rc"
  said="Error: the game cannot start: $reason"
  [ "$(tail -n 2 "$d/res/log")" = "$step"$'\n'"$said" ] || fail "$name: log ends $(tail -n 2 "$d/res/log")"
  grep -qxF "message box: $said" "$d/stderr" || fail "$name: message box: $(cat "$d/stderr")"
  grep -q "Sanitizer" "$d/stderr" && fail "$name: sanitizer report: $(cat "$d/stderr")"
  pass "$name ends with exit code 1 after '$step', saying why"
done

# The window shows once, titled and with its first frame: nothing shows while the game loads
# (the fake component holds the player there), and the first window seen is the game's. A
# start that fails shows its message box alone, and ends once the box is closed.
fake_dist shown
hold=$E2E_TMP/hold
(cd "$d" && exec env FAKE_CORE_LOAD_HOLD="$hold" "$d/player" >"$d/stdout" 2>"$d/stderr" 9>&-) & pid=$!
E2E_PIDS+=($pid)
wait_until 20 test -e "$hold"
visible() { xdotool search --onlyvisible "$@" 2>/dev/null || true; }
[ -z "$(visible --pid $pid)" ] || fail "a window shows while the game loads"
rm "$hold"
wait_until 20 eval '[ -n "$(visible --pid $pid)" ]'
wid=$(visible --pid $pid | head -n 1)
shot first
[ "$(xdotool getwindowname "$wid")" = "Sunny Meadow" ] || fail "the window shows untitled"
[ "$(pixel first 384 336)" = "51 102 153" ] || fail "the window shows before its first frame"
stop_player
pass "the window shows once the first frame is drawn, with the game's title"

new_dist box fake
rm "$d/res/font"
(cd "$d" && exec env -u PLAYER_MESSAGE_BOX_TEXT "$d/player" >"$d/stdout" 2>"$d/stderr" 9>&-) & pid=$!
E2E_PIDS+=($pid)
# The top-level windows shown (the box is one of them; xdotool's search misses it).
top_shown() {
  local id
  for id in $(xwininfo -root -children | awk '$1 ~ /^0x/ { print $1 }'); do
    if viewable "$id"; then echo "$id"; fi
  done
}
# A player waiting on its box ignores SIGTERM: a failing check ends it for good.
box_fail() { kill -KILL "$pid"; fail "$1"; }
within 20 eval '[ -n "$(top_shown)" ]' || box_fail "no message box"
box=$(top_shown)
[ "$(echo "$box" | wc -l)" = 1 ] || box_fail "another window shows beside the message box"
xdotool windowfocus --sync "$box" key Return
exits_with 1 "the message box closed"
pass "a start that fails shows its message box alone"
