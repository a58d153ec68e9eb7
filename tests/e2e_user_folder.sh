# Saves that work in any install: run as an ordinary user with a res/ it cannot write, the
# player of a game titled in UTF-8 shows that title and keeps its log, settings, slots and
# resume file in $XDG_DATA_HOME/<game title>/ and says so in the log; a slot there is what F1
# loads. A slot and a resume file left in res/
# from before it became read-only still load (mended: their copy was to be made beside them,
# so neither could ever load). (res/ itself stays as shipped: that user cannot write it.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb
chmod 755 "$E2E_TMP"   # the ordinary user must reach the player's copy

fake_dist ro
# Mended fault: a title beginning with a letter beyond ASCII was read as "Game".
sed -i 's/^title=.*/title=Élan vital/' "$d/res/data"
echo "FAKESTATE 500" >"$d/res/resumeS"
echo "FAKESTATE 700" >"$d/res/1S"
chmod -R a+rX "$d"
chmod a-w "$d/res"
xdg=$E2E_TMP/xdg
mkdir -m 777 "$xdg"
user=$xdg/$(sed -n 's/^title=//p' "$d/res/data")
log=$xdg/core.log
PLAYER_COMMAND=(setpriv --reuid=65534 --regid=65534 --clear-groups "$d/player")
PLAYER_LOG=$user/log launch . XDG_DATA_HOME="$xdg" FAKE_CORE_LOG="$log"
has_line "$user/log" "res/ cannot be written: settings, saves and the log go to $user/" ||
  fail "the log does not say where files go"
wid=$(player_window $pid)
[ "$(xdotool getwindowname "$wid")" = "Élan vital" ] || fail "window title $(xdotool getwindowname "$wid")"
wait_for_line "$user/log" "notice: Continued — Reset starts over"
xdotool key F2
wait_for_line "$user/log" "notice: Loaded slot 2"
xdotool key shift+F1
wait_until 20 test -s "$user/0S"
xdotool key F1
wait_until 20 grep -q "^ox_state_load $user/0S\.[0-9a-f]*$" "$log"   # a copy of it
xdotool key alt+Return
wait_until 20 grep -qx 'fullscreen=1' "$user/conf"
stop_player
test -s "$user/resumeS" || fail "no resume file in the user folder"
pass "with res/ read-only, log, slot, settings and resume file go to the user folder"

# Mended fault: with XDG_DATA_HOME naming a file the log claimed a folder there, and nothing
# told the player that no save could be kept.
touch "$xdg/file"
PLAYER_LOG=$d/stdout launch . XDG_DATA_HOME="$xdg/file"
has_line "$d/stdout" "notice: Cannot save: not a directory" || fail "no notice that nothing is saved"
grep -q "nothing is saved" "$d/stdout" || fail "the log does not say that nothing is saved"
stop_player
test "$(grep -c "notice: Cannot save:" "$d/stdout")" = 1 || fail "the notice came more than once"
pass "with no folder to save in, one notice says so"
