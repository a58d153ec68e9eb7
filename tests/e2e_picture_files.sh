# Picture and shader files that are no plain pictures: a FIFO in place of a shader, the
# background, the splash, a preview or the font never holds up the start, and a tiny SVG
# background declaring 30000 x 30000 pixels is refused without decoding.
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# prepare NAME COMMAND...: a private copy (fake component, 2x window) in $d, changed by
# COMMAND run inside it.
prepare() {
  local name=$1; shift
  d=$E2E_TMP/$name
  make_dist "$d" fake
  printf 'scale=2\nfullscreen=0\n' > "$d/res/conf"
  (cd "$d" && "$@")
}

# run_case NAME COMMAND...: prepares the copy, starts it from its own folder (the shaders are
# read from there) and waits for the loop. Sets d and pid.
run_case() {
  prepare "$@"
  (cd "$d" && exec "$d/player" >"$d/stdout" 2>"$d/stderr") & pid=$!
  E2E_PIDS+=($pid)
  wait_for_line "$d/res/log" "entering loop"
}

# stop_case NAME: the player still runs and ends cleanly on SIGTERM.
stop_case() {
  kill -0 $pid 2>/dev/null || fail "$1: the player stopped"
  kill -TERM $pid
  local rc=0
  wait $pid || rc=$?
  [ $rc -eq 0 ] || fail "$1: exit code $rc"
  grep -q "Sanitizer" "$d/stderr" && fail "$1: sanitizer report: $(cat "$d/stderr")"
  return 0
}

fifo_shader() { rm res/crtf && mkfifo res/crtf; }
run_case fifo_shader fifo_shader
grep -qx "not a regular file: res/crtf" "$d/res/log" || fail "fifo_shader: the FIFO is not logged"
stop_case fifo_shader
pass "a FIFO in place of a shader does not hold up the start"

fifo_pictures() { rm res/back res/splash && mkfifo res/back res/splash res/0P; }
run_case fifo_pictures fifo_pictures
for name in back splash 0P; do
  grep -qx "not a regular file: $d/res/$name" "$d/res/log" || fail "fifo_pictures: res/$name is not logged"
done
stop_case fifo_pictures
pass "FIFOs in place of the background, the splash and a preview do not hold up the start"

svg_back() {
  printf '%s%s\n' '<svg xmlns="http://www.w3.org/2000/svg" width="30000" height="30000">' \
    '<rect width="30000" height="30000" fill="red"/></svg>' > res/back
}
run_case svg_back svg_back
[ "$(stat -c %s "$d/res/back")" = 123 ] || fail "svg_back: the test file is not the 123-byte one"
grep -qx "not a BMP, GIF, JPEG or PNG picture: $d/res/back" "$d/res/log" || fail "svg_back: not refused"
stop_case svg_back
pass "a 123-byte SVG background declaring 30000 x 30000 is refused and the game runs"

# The font is needed: a FIFO in its place ends the start as a damaged font does.
fifo_font() { rm res/font && mkfifo res/font; }
prepare fifo_font fifo_font
rc=0
(cd "$d" && exec timeout 20 "$d/player" >"$d/stdout" 2>"$d/stderr") || rc=$?
[ $rc -eq 1 ] || fail "fifo_font: exit code $rc"
grep -qx "not a regular file: $d/res/font" "$d/res/log" || fail "fifo_font: the FIFO is not logged"
pass "a FIFO in place of the font ends the start with exit code 1"
