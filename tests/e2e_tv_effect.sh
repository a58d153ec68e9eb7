# The real player on Mesa's OpenGL under Xvfb, started from another folder, with the fake
# component's flat picture: the shader files beside the executable are found and named in the
# log, and the shipped TV effect is drawn over the picture, which comes out in more than its
# one colour. (The order of the places looked in, a shader that fails and the plain picture
# then, what the effect looks like: test_gl_path.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

fake_dist on
printf 'smoothing=1\n' >> "$d/res/conf"
launch "$E2E_TMP" FAKE_CORE_COLOR=5A7896
wid=$(player_window $pid)
wait_until 20 shows_picture first   # the first frame is drawn
shot later   # a later frame, not one caught while the first is drawn
stop_player
has_line "$d/res/log" "TV effect shaders: $d/res/crtv, $d/res/crtf" || fail "the shader files are not named"
colours=$(convert "$E2E_TMP/later.png" -unique-colors -format '%w' info:)
[ "$colours" -gt 1 ] || fail "the picture is drawn plainly"
pass "the shipped effect is drawn over the picture"
