# With presents held to a simulated display at or just below the game's rate (as vertical
# sync holds them on a real display), a frame's sound starts playing at most 50 ms (median)
# after its picture, with no silent gap in a constant signal after its first second; the lag
# is measured by tests/vsync/lag_probe.c on every 30th frame, marked by the fake component.
# Timing check: skipped on a sanitizer build and when the machine is busy before the first
# player starts; once it has started, a rate below the display's (the loop misses ticks it can
# never make up) and a gap (after a stall too) fail.
source "$SOURCE_DIR/tests/support/e2e.sh"

skip_unless_timing_fits

for hz in 59.94 60.00; do
  raw=$E2E_TMP/sound$hz.raw
  start_fake_player "vsync$hz" SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$raw" \
    LD_PRELOAD="$LAG_PROBE $VSYNC_PRELOAD" FAKE_VSYNC_HZ=$hz FAKE_CORE_MARK=30 LAG_OUT="$E2E_TMP/lag$hz"
  rate=$(pass_rate "${E2E_AUDIO_SECONDS:-6}")   # and the sound over this span
  stop_player "$hz Hz"
  read -r gaps longest frames < <("$COUNT_GAPS" "$raw" 2>/dev/null)
  read -r _ median least most marks _ _ _ _ _ _ _ _ stall late _ <"$E2E_TMP/lag$hz"
  echo "$hz Hz display: $rate passes per second, lag $median ms ($least..$most, $marks marks)," \
    "$gaps silent gaps (longest $longest frames) in $frames frames of sound"
  awk -v r="$rate" -v h=$hz 'BEGIN { exit !(r >= h * 0.99) }' || fail "$hz Hz: $rate passes per second"
  [ "$marks" -gt 0 ] || fail "$hz Hz: no marked frame was heard"
  awk -v m="$median" 'BEGIN { exit !(m <= 50) }' || fail "$hz Hz: the sound is $median ms behind its picture"
  [ "$gaps" -eq 0 ] ||
    fail "$hz Hz: $gaps silent gaps after the first second ($stall ms between presents, $late late buffers)"
done
pass "the sound follows its picture within 50 ms, without a gap, on a display at or just below the game's rate"
