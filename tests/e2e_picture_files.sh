# A FIFO in place of a shader, the background, the splash, a preview or the font never holds
# up the start: each is logged, and only the font, which is needed, ends it.
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# prepare NAME: a private copy (fake component, 2x window) in $d.
prepare() {
  d=$E2E_TMP/$1
  make_dist "$d" fake
  printf 'scale=2\nfullscreen=0\n' > "$d/res/conf"
}

prepare optional
rm "$d/res/crtf" "$d/res/back" "$d/res/splash"
mkfifo "$d/res/crtf" "$d/res/back" "$d/res/splash" "$d/res/0P"
launch "$d"   # shaders are read from here
grep -qx "not a regular file: res/crtf" "$d/res/log" || fail "the shader FIFO is not logged"
for name in back splash 0P; do
  grep -qx "not a regular file: $d/res/$name" "$d/res/log" || fail "res/$name is not logged"
done
stop_player
pass "FIFOs in place of a shader, the background, the splash and a preview do not hold up the start"

prepare font
rm "$d/res/font"
mkfifo "$d/res/font"
rc=0
(cd "$d" && exec timeout 20 "$d/player" >"$d/stdout" 2>"$d/stderr") || rc=$?
[ $rc -eq 1 ] || fail "font: exit code $rc"
grep -qx "not a regular file: $d/res/font" "$d/res/log" || fail "font: the FIFO is not logged"
pass "a FIFO in place of the font ends the start with exit code 1"
