# Hotkeys on the real player under a window manager: Alt+Return switches full screen and
# back to the centred window (and the menu's "Fullscreen" shows the same background around
# the picture), Pause freezes the game, Shift+F2 saves slot 1 with its preview
# picture and F2 brings the saved moment back.
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb
start_wm

d=$E2E_TMP/hot
make_dist "$d"
rm -f "$d/res/splash"   # the game steps from the first frame
printf 'scale=2\nfullscreen=0\nsmoothing=0\n' > "$d/res/conf"
launch
wid=$(player_window $pid)
# Pictures below the band at the top where notices ("Saved to slot 2") show.
shot() { import -window "$wid" "$E2E_TMP/$1.png" && mogrify -chop 0x50 "$E2E_TMP/$1.png"; }
xdotool windowactivate --sync "$wid" 2>/dev/null || true

# geometry: "W H X Y" of the window's drawing area on the screen.
geometry() {
  xwininfo -id "$wid" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print w, h, x, y}'
}
window_is() {   # W H [WHAT]: that size, centred on the 1920 x 1080 screen within 40 pixels (WHAT names
  # the moment in a timeout)
  local w h x y cx=$(( (1920 - $1) / 2 )) cy=$(( (1080 - $2) / 2 ))
  read -r w h x y <<<"$(geometry)"
  [ "$w $h" = "$1 $2" ] && [ $(( x > cx ? x - cx : cx - x )) -le 40 ] &&
    [ $(( y > cy ? y - cy : cy - y )) -le 40 ]
}
expect_window() { wait_until 20 window_is "$@"; }
shows() { shot now; ! differ "$1" now; }   # SHOT: the window shows that picture
# still: the picture holds for half a second; that span of time is what is tested.
still() { shot still1; sleep 0.5; shot still2; ! differ still1 still2; }

# corner: the colour of the window's top-left pixel; steady_corner: the same in two shots.
corner() { shot corner && convert "$E2E_TMP/corner.png" -format '%[pixel:p{5,5}]' info:; }
steady_corner() { [ "$(corner)" = "$(corner)" ]; }
corner_is() { [ "$(corner)" = "$1" ]; }

expect_window 512 448 "start"
xdotool key alt+Return
expect_window 1920 1080 "after Alt+Return"
wait_until 20 steady_corner
background=$(corner)
grep -qx 'fullscreen=1' "$d/res/conf" || fail "full screen not saved"
xdotool key alt+Return
expect_window 512 448 "after the second Alt+Return"
grep -qx 'fullscreen=0' "$d/res/conf" || fail "window mode not saved"
pass "Alt+Return switches full screen and back to the centred 2x window"

xdotool key Pause
wait_until 20 still
pass "Pause stops the game"

xdotool key shift+F2
wait_until 20 test -s "$d/res/1S"
wait_until 20 test -s "$d/res/1P"   # its picture: test_preview.cpp
pass "Shift+F2 writes res/1S and res/1P"

shot saved
xdotool key Pause
wait_until 20 moved_on saved now
xdotool key Pause
xdotool key F2
wait_until 20 shows saved
pass "F2 returns to the saved moment"

xdotool key Escape
widget_click fullscreen
expect_window 1920 1080 "after the menu's Fullscreen"
xdotool key Escape
(wait_until 20 corner_is "$background") || fail "the background shows $(corner), not $background"
pass "the menu's Fullscreen shows the background around the picture"

stop_player
exit 0
