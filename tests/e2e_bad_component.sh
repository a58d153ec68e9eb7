# A component that reports zero or absurd sizes, a frame rate of 0 or too many buttons must
# not crash the player or make it divide by zero: it runs, and ends cleanly. (An absurd scale
# in res/conf and an absurd raster are the settings' and the frame buffer's unit tests.)
source "$SOURCE_DIR/tests/support/e2e.sh"
start_xvfb

# emulated N: the component has run more than N frames, or the player has ended.
emulated() { [ "$(grep -c '^ox_core_emulate$' "$log" || true)" -gt "$1" ] || ended "$pid"; }

run_case() {
  local name=$1; shift
  start_fake_player "$name" SDL_AUDIODRIVER=dummy "$@"
  wait_until 60 emulated "${MIN_FRAMES:-10}"
  stop_player "$name"
  pass "$name"
}

run_case zero_rate FAKE_CORE_FPS=0
run_case zero_screen FAKE_CORE_SCREEN=0x0 FAKE_CORE_RASTER=0x0
MIN_FRAMES=0 run_case huge_screen FAKE_CORE_SCREEN=40000x30000 FAKE_CORE_RASTER=256x224
run_case negative_sizes FAKE_CORE_SCREEN=-5x-7 FAKE_CORE_RASTER=-1x224 FAKE_CORE_BUTTONS=-3
run_case many_buttons FAKE_CORE_BUTTONS=40 FAKE_CORE_LOG_BUTTONS=1
