# A component that reports zero or absurd sizes and a frame rate of 0, or a settings file with
# an absurd scale, must not crash the player or make it divide by zero: it runs, and ends
# cleanly.
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# emulated CALLS N PID: the component has run more than N frames, or the player has ended.
emulated() { [ "$(grep -c '^ox_core_emulate$' "$1" || true)" -gt "$2" ] || ended "$3"; }

run_case() {
  local name=$1; shift
  local d=$E2E_TMP/$name
  make_dist "$d" fake
  printf "${CONF_TEXT:-scale=2\nfullscreen=0\n}" > "$d/res/conf"
  rm -f "$d/res/splash"
  (cd "$d" && exec env "$@" FAKE_CORE_LOG="$d/calls" SDL_AUDIODRIVER=dummy ./player >"$d/stdout" 2>"$d/stderr") & local pid=$!
  E2E_PIDS+=($pid)
  wait_for_line "$d/res/log" "entering loop"
  wait_until 60 emulated "$d/calls" "${MIN_FRAMES:-10}" $pid
  kill -0 $pid 2>/dev/null || fail "$name: the player died: $(cat "$d/stderr")"
  kill -TERM $pid
  local rc=0; wait $pid || rc=$?
  [ $rc -eq 0 ] || fail "$name: exit code $rc: $(grep -v ALSA "$d/stderr" | head -20)"
  grep -q "Sanitizer\|runtime error" "$d/stderr" && fail "$name: sanitizer report: $(cat "$d/stderr")"
  pass "$name"
}

run_case zero_rate FAKE_CORE_FPS=0
run_case zero_screen FAKE_CORE_SCREEN=0x0 FAKE_CORE_RASTER=0x0
run_case absurd_raster FAKE_CORE_RASTER=100000x100000
MIN_FRAMES=0 run_case huge_screen FAKE_CORE_SCREEN=40000x30000 FAKE_CORE_RASTER=256x224
run_case negative_sizes FAKE_CORE_SCREEN=-5x-7 FAKE_CORE_RASTER=-1x224 FAKE_CORE_BUTTONS=-3
run_case many_buttons FAKE_CORE_BUTTONS=40 FAKE_CORE_LOG_BUTTONS=1
MIN_FRAMES=0 CONF_TEXT='scale=2000000000\nfullscreen=0\n' run_case absurd_scale FAKE_CORE_FPS=60
CONF_TEXT='scale=-3\nfullscreen=0\n' run_case negative_scale FAKE_CORE_FPS=60
