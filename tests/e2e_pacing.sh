# The game keeps the component's frame rate whatever sound the component gives and whatever
# the audio device: a frame's worth of silence while it gives none (under the splash, as a real
# component does when it is not stepped, or never at all), what the queue cannot hold dropped
# and logged once, and a rate of 50 (a loop held to the usual 60 shows there) with an audio
# device that drains in real time (SDL's disk driver) and with none at all. Passes are counted
# in the fake component's call log; presents under the offscreen driver are not paced, so only
# the loop's own pacing counts. (A frame rate no display shows: test_pacing.)
# Timing check: on a sanitizer build, or a machine busy before the first player starts, only the
# log lines are checked and the test ends as skipped; a rate off the game's then fails.
source "$SOURCE_DIR/tests/support/e2e.sh"

timing=1
timing_fits || timing=0

# check NAME SPLASH FPS LINE [VAR=value...]: the player's passes per second over 2 s past its
# start lie within 10 % of FPS, and its log holds LINE ("" for none).
check() {
  local name=$1 splash=$2 fps=$3 line=$4
  shift 4
  fake_dist "$name"
  [ "$splash" = none ] || cp "$DIST_DIR/res/splash" "$d/res/"
  launch . SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null FAKE_CORE_LOG="$log" \
    FAKE_CORE_FPS="$fps" "$@"
  # Past the start, where the loop fills the audio queue as fast as it can.
  wait_until 20 passes_reached $((fps * 3 / 2))
  local rate=""
  [ $timing = 0 ] || rate=$(pass_rate 2)
  stop_player "$name"
  [ -z "$line" ] || [ "$(grep -cxF -- "$line" "$d/res/log")" = 1 ] || fail "$name: no single line '$line'"
  [ $timing = 1 ] || return 0
  echo "$name: $rate passes per second"
  awk -v r="$rate" -v f="$fps" 'BEGIN { exit !(r >= f * 0.9 && r <= f * 1.1) }' ||
    fail "$name: $rate passes per second at $fps frames per second"
}

check splash_silent splash 60 "" FAKE_CORE_SOUND=stepped
check no_sound none 60 "" FAKE_CORE_SOUND=none
check too_much_sound none 60 "sound beyond the queue's bound of 80 ms is dropped (2940 sample frames in a frame)" \
  FAKE_CORE_SOUND=full
check disk50 none 50 ""
check no_device50 none 50 "" SDL_AUDIODRIVER=no-such-driver
[ $timing = 1 ] || exit $E2E_SKIP
pass "the game keeps its rate with no sound, too much sound, and at 50 fps with and without an audio device"
