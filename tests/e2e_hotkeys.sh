# Hotkeys on the real player under a window manager: Alt+Return switches full screen and
# back to the centred window, Pause freezes the game, Shift+F2 saves slot 1 with its preview
# picture and F2 brings the saved moment back.
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb
start_wm

d=$E2E_TMP/hot
make_dist "$d"
rm -f "$d/res/splash"   # the game steps from the first frame
printf 'scale=2\nfullscreen=0\nsmoothing=0\n' > "$d/res/conf"
"$d/player" >"$d/stdout" 2>"$d/stderr" & pid=$!
E2E_PIDS+=($pid)
wait_for_line "$d/res/log" "entering loop"
wid=$(player_window $pid)
xdotool windowactivate --sync "$wid" 2>/dev/null || true
sleep 0.5

# geometry: "W H X Y" of the window's drawing area on the screen.
geometry() {
  xwininfo -id "$wid" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print w, h, x, y}'
}
expect_window() {   # W H: that size, centred on the 1920 x 1080 screen within 40 pixels
  local g; g=$(geometry)
  read -r w h x y <<<"$g"
  [ "$w $h" = "$1 $2" ] || fail "$3: window is ${w}x$h, expected $1x$2"
  local cx=$(( (1920 - $1) / 2 )) cy=$(( (1080 - $2) / 2 ))
  [ $(( x > cx ? x - cx : cx - x )) -le 40 ] && [ $(( y > cy ? y - cy : cy - y )) -le 40 ] ||
    fail "$3: window at $x,$y, expected about $cx,$cy"
}
shot() { import -window "$wid" "$E2E_TMP/$1.png"; }
differing() { compare -metric AE "$E2E_TMP/$1.png" "$E2E_TMP/$2.png" null: 2>&1 | cut -d' ' -f1 || true; }

expect_window 512 448 "start"
xdotool key alt+Return
sleep 1
expect_window 1920 1080 "after Alt+Return"
grep -qx 'fullscreen=1' "$d/res/conf" || fail "full screen not saved"
xdotool key alt+Return
sleep 1
expect_window 512 448 "after the second Alt+Return"
grep -qx 'fullscreen=0' "$d/res/conf" || fail "window mode not saved"
pass "Alt+Return switches full screen and back to the centred 2x window"

xdotool key Pause
sleep 0.3
shot paused1; sleep 0.5; shot paused2
[ "$(differing paused1 paused2)" = 0 ] || fail "the picture moves while paused"
pass "Pause stops the game"

xdotool key shift+F2
sleep 0.5
[ -s "$d/res/1S" ] || fail "Shift+F2 wrote no res/1S"
[ -s "$d/res/1P" ] || fail "Shift+F2 wrote no res/1P"
read -r magic width height bits < <(python3 -c '
import struct, sys
b = open(sys.argv[1], "rb").read(30)
print(b[:2].decode("latin1"), *struct.unpack("<iiH", b[18:28])[:2], struct.unpack("<H", b[28:30])[0])' "$d/res/1P")
[ "$magic $width $height $bits" = "BM 256 224 24" ] ||
  fail "preview is '$magic $width $height $bits', expected a 24-bit BMP of 256 x 224"
pass "Shift+F2 writes res/1S and a 24-bit 256 x 224 res/1P"

shot saved
xdotool key Pause; sleep 1; xdotool key Pause
sleep 0.3
shot moved
[ "$(differing saved moved)" != 0 ] || fail "the game did not run on after the save"
xdotool key F2
sleep 0.5
shot loaded
[ "$(differing saved loaded)" = 0 ] || fail "F2 did not bring back the saved picture ($(differing saved loaded) pixels differ)"
pass "F2 returns to the saved moment"

kill -TERM $pid
wait $pid || fail "exit code $? after SIGTERM"
grep -q "Sanitizer" "$d/stderr" && fail "sanitizer report: $(cat "$d/stderr")"
exit 0
