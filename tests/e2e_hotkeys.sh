# Hotkeys on the demo game under a window manager: Alt+Return switches full screen and back to
# the centred window, Pause freezes the game. (The menu's Fullscreen: test_menu; the background
# around the picture: test_gl_path; Shift+F1 and F1 bring a saved frame back: e2e_rewind.sh.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb
start_wm

new_dist hot
rm -f "$d/res/splash"   # the game steps from the first frame
echo smoothing=0 >> "$d/res/conf"
launch
wid=$(player_window $pid)
# Pictures below the band at the top where notices ("Paused") show.
shot() { import -window "$wid" "$E2E_TMP/$1.png" && mogrify -chop 0x50 "$E2E_TMP/$1.png"; }
xdotool windowactivate --sync "$wid" 2>/dev/null || true

near() { [ $(($1 - $2)) -le 40 ] && [ $(($2 - $1)) -le 40 ]; }   # A B: within 40 pixels
# window_is W H: the window has that size, centred on the 1920 x 1080 screen.
window_is() {
  local w h x y
  read -r w h x y <<<"$(window_place)"
  [ "$w $h" = "$1 $2" ] && near "$x" $(((1920 - w) / 2)) && near "$y" $(((1080 - h) / 2))
}

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
pass "Pause stops the game"
stop_player
