# With presents held to a simulated display at or just below the game's rate (as vertical
# sync holds them on a real display), the sound of a constant signal has no silent gap after
# its first second. Timing check: skipped on a sanitizer build or a busy machine, and when the
# display's rate was not held (the loop misses ticks it can never make up).
source "$SOURCE_DIR/tests/support/e2e.sh"

skip_unless_timing_fits

SECONDS_PER_RATE=${E2E_AUDIO_SECONDS:-8}
for hz in 59.94 60.00; do
  raw=$E2E_TMP/sound$hz.raw
  start_fake_player "vsync$hz" SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$raw" \
    LD_PRELOAD="$VSYNC_PRELOAD" FAKE_VSYNC_HZ=$hz FAKE_CORE_AUDIO=1000
  rate=$(pass_rate $SECONDS_PER_RATE)   # and the sound over this span
  stop_player "$hz Hz"
  read -r gaps longest frames < <("$COUNT_GAPS" "$raw" 2>/dev/null)
  echo "$hz Hz display: $rate passes per second, $gaps silent gaps (longest $longest frames)" \
    "in $frames frames of sound"
  if awk -v r="$rate" -v h=$hz 'BEGIN { exit !(r < h * 0.99) }'; then
    echo "skipped: the machine is too busy to hold $hz passes per second"
    exit $E2E_SKIP
  fi
  [ "$frames" -gt $((44100 * (SECONDS_PER_RATE - 3))) ] || fail "$hz Hz: only $frames frames of sound"
  [ "$gaps" -eq 0 ] || fail "$hz Hz: $gaps silent gaps after the first second"
done
pass "no silent gap on a display at or just below the game's rate"
