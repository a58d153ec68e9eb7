# The real player on Mesa's OpenGL under Xvfb, with the fake component's flat picture: the
# GL path is taken, the shipped TV effect is drawn also when the player is started from
# another directory (the shader files beside the executable are found and named in the log),
# and shader files that cannot be found are logged while the game runs plainly. The order of
# the places looked in, where the picture lands and what the CRT program paints:
# test_gl_path.cpp.
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb
export FAKE_CORE_COLOR=5A7896   # (90, 120, 150)

# run_player NAME FROM_DIR [nocrt]: starts a private copy (scale 3, windowed, no splash; with
# nocrt, no shader files) from FROM_DIR ("dist" for its own folder), takes a screenshot once
# the first frame shows, ends it with SIGTERM and checks the exit. Leaves $d, $shot.
run_player() {
  local name=$1 from=$2
  d=$E2E_TMP/$name
  shot=$E2E_TMP/$name.png
  make_dist "$d" fake
  rm -f "$d/res/splash"
  [ "${3:-}" = nocrt ] && rm "$d/res/crtv" "$d/res/crtf"
  printf 'scale=3\nfullscreen=0\nsmoothing=1\n' > "$d/res/conf"
  [ "$from" = dist ] && from=$d
  launch "$from"
  local wid
  wid=$(player_window $pid)
  wait_until 20 shows_picture "$name"   # the first frame is drawn
  shot "$name"   # $shot: a later frame, not one caught while the first is drawn
  stop_player "$name"
  grep -qx "renderer name: opengl" "$d/res/log" || fail "$name: not the opengl renderer"
  grep -qx "compiling shaders" "$d/res/log" || fail "$name: no GL path"
}

# colours PNG: the distinct colours of the picture, one "R,G,B" per line.
colours() {
  convert "$1" -depth 8 -unique-colors txt:- | sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1,\2,\3/p'
}

# Effect on with the shipped shaders, started from another folder: the flat picture comes out
# in more than its one colour. How the effect looks: test_tv_effect_look.cpp.
run_player on "$E2E_TMP"
grep -qxF "TV effect shaders: $d/res/crtv, $d/res/crtf" "$d/res/log" || fail "on: the shader files are not named"
[ "$(colours "$shot" | wc -l)" -gt 1 ] || fail "effect on: the picture is drawn plainly"
pass "the shipped effect is drawn over the picture"

# Without shader files: both are logged, the effect is left out and the game runs with the
# plain picture.
run_player elsewhere "$E2E_TMP" nocrt
grep -qx "Error: Can't load vertex shader" "$d/res/log" || fail "elsewhere: no vertex message"
grep -qx "Error: Can't load pixel shader" "$d/res/log" || fail "elsewhere: no pixel message"
got=$(colours "$shot")
[ "$got" = "90,120,150" ] || fail "elsewhere: colours in the window: $got"
pass "missing shader files are logged and the picture is drawn plainly"
