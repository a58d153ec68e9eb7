# Under a window manager, as a user does it: a key press ends the splash early; another window
# taking the focus pauses the game until the focus comes back, unless "Pause in background" is
# turned off on the menu page; Alt+Return switches full screen and back to the centred window,
# and the settings keep the mode; the display going away under the full-screen player (the X
# server ends, as at logging out) ends it within 2 s with exit code 1 and a log line, the stored
# settings as they were (a window goes through the same error handler). (Pause itself:
# e2e_resume.sh and e2e_notices.sh; the menu's Fullscreen: test_menu; the background around the
# picture: test_gl_path.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb
xvfb=${E2E_PIDS[-1]}
start_wm

fake_dist away
cp "$DIST_DIR/res/splash" "$d/res/"
launch . FAKE_CORE_LOG="$log"
wid=$(player_window $pid)
past_splash() { xdotool key space; [ "$(emulate_count)" -gt 20 ]; }   # past the splash's first burst
wait_until 3 past_splash
pass "a key press ends the splash"

xdotool windowactivate --sync "$wid"
wait_until 20 running
start_other_window
xdotool windowactivate --sync "$other"
wait_until 20 paused
xdotool windowactivate --sync "$wid"
wait_until 20 running
pass "focus taken by another window pauses the game; its return continues it"

xdotool key Escape
settle
widget_click focus_pause
wait_until 20 grep -qx 'focus_pause=0' "$d/res/conf"
xdotool key Escape
xdotool windowactivate --sync "$other"
wait_until 20 running
pass "with Pause in background off (saved in res/conf) the game runs on behind another window"

xdotool windowactivate --sync "$wid"
wait_until 20 window_centred 768 672
# Full screen, the window again, then full screen for the display to go away under it.
for mode in "1920 1080|1" "768 672|0" "1920 1080|1"; do
  IFS='|' read -r size fullscreen <<<"$mode"
  xdotool key alt+Return
  wait_until 20 window_centred $size
  wait_until 20 grep -qx "fullscreen=$fullscreen" "$d/res/conf"
done
pass "Alt+Return switches full screen and back to the centred window, and res/conf keeps the mode"

cp "$d/res/conf" "$E2E_TMP/conf.before"
kill -KILL $xvfb
# A player stuck on the dead display ignores SIGTERM, so it is killed outright on failure.
(wait_until 2 ended $pid) || { kill -KILL $pid; fail "still running 2 s after the display ended"; }
exits_with 1
has_line "$d/res/log" "Error: the connection to the display was lost" || fail "no log line"
cmp -s "$E2E_TMP/conf.before" "$d/res/conf" || fail "res/conf changed"
pass "a lost display ends the full-screen player with exit code 1 and a log line"
