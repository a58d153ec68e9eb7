# Hotkeys on the real player under a window manager: Alt+Return switches full screen and
# back to the centred window, Pause freezes the game, Shift+F2 saves slot 1 with its preview
# picture and F2 brings the saved moment back. (The menu's Fullscreen: test_menu; the
# background around the picture: test_gl_path.)
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
near() { [ $(($1 - $2)) -le 40 ] && [ $(($2 - $1)) -le 40 ]; }   # A B: within 40 pixels
# window_is W H: the window has that size, centred on the 1920 x 1080 screen.
window_is() {
  local w h x y
  read -r w h x y <<<"$(geometry)"
  [ "$w $h" = "$1 $2" ] && near "$x" $(((1920 - w) / 2)) && near "$y" $(((1080 - h) / 2))
}
shows() { shot now; ! differ "$1" now; }   # SHOT: the window shows that picture

wait_until 20 window_is 512 448
xdotool key alt+Return
wait_until 20 window_is 1920 1080
grep -qx 'fullscreen=1' "$d/res/conf" || fail "full screen not saved"
xdotool key alt+Return
wait_until 20 window_is 512 448
grep -qx 'fullscreen=0' "$d/res/conf" || fail "window mode not saved"
pass "Alt+Return switches full screen and back to the centred 2x window"

xdotool key Pause
wait_until 20 still
xdotool key shift+F2
wait_until 20 test -s "$d/res/1S"
wait_until 20 test -s "$d/res/1P"   # its picture: test_preview.cpp
shot saved
xdotool key Pause
wait_until 20 moved_on saved now
xdotool key Pause
xdotool key F2
wait_until 20 shows saved
pass "Pause stops the game; Shift+F2 writes res/1S and res/1P; F2 returns to the saved moment"
stop_player
