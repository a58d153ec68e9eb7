# Skipping the splash and pausing while the player looks away, as a user does it: a key
# press ends the splash early; another window taking the focus pauses the game until the
# focus comes back, unless "Pause in background" is turned off on the menu page.
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb
start_wm

d=$E2E_TMP/splash
make_dist "$d" fake
printf 'scale=3\nfullscreen=0\n' > "$d/res/conf"
log=$d/core.log
launch . FAKE_CORE_LOG="$log"
wid=$(player_window $pid)
emulated() { [ "$(grep -c '^ox_core_emulate$' "$log")" -gt 20 ]; }   # past the splash's first burst
press_until_emulated() { xdotool key space; emulated; }
wait_until 3 press_until_emulated
pass "a key press ends the splash"
stop_player

start_fake_player away
wid=$(player_window $pid)
xdotool windowactivate --sync "$wid"
wait_until 20 running
xmessage -geometry 200x100+0+0 other & E2E_PIDS+=($!)
wait_until 10 xdotool search --class xmessage
other=$(xdotool search --class xmessage | head -n 1)
xdotool windowactivate --sync "$other"
wait_until 20 paused
wait_for_line "$d/res/log" "notice: Paused"
xdotool windowactivate --sync "$wid"
wait_until 20 running
pass "focus taken by another window pauses the game; its return continues it"

xdotool key Escape
settle
overlay_click 1400 725   # "Pause in background", right-aligned at 1495, 700
wait_until 20 grep -qx 'focus_pause=0' "$d/res/conf"
xdotool key Escape
xdotool windowactivate --sync "$other"
wait_until 20 running
pass "with Pause in background off (saved in res/conf) the game runs on behind another window"
stop_player
