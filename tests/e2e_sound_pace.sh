# The game keeps its rate whatever sound the component gives: a frame's worth of silence while
# it gives none (under the splash, as a real component does when it is not stepped, or never
# at all), what the queue cannot hold dropped and logged once, and a frame rate no display
# shows held to one that it does. Passes are counted in the fake component's call log.
# Timing check: on a sanitizer build or a busy machine only the log lines are checked.
source "$SOURCE_DIR/tests/support/e2e.sh"

timing=1
timing_fits || timing=0

# check NAME SPLASH LOW HIGH LINE [VAR=value...]: the player's passes per second over 3 s
# after its first second lie within LOW..HIGH, and its log holds LINE ("" for none).
check() {
  local name=$1 splash=$2 low=$3 high=$4 line=$5; shift 5
  d=$E2E_TMP/$name
  make_dist "$d" fake
  [ "$splash" = splash ] || rm -f "$d/res/splash"
  printf 'scale=3\nfullscreen=0\n' >"$d/res/conf"
  log=$d/core.log
  launch . SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null \
    FAKE_CORE_LOG="$log" "$@"
  wait_until 20 passes_reached 40
  local rate=""
  [ $timing = 0 ] || rate=$(pass_rate 3)
  stop_player "$name"
  [ -z "$line" ] || [ "$(grep -cxF -- "$line" "$d/res/log")" = 1 ] || fail "$name: no single line '$line'"
  [ $timing = 1 ] || return 0
  echo "$name: $rate passes per second"
  awk -v r="$rate" -v lo="$low" -v hi="$high" 'BEGIN { exit !(r >= lo && r <= hi) }' ||
    fail "$name: $rate passes per second, not within $low..$high"
}

check splash_silent splash 54 66 "" FAKE_CORE_SOUND=stepped
check no_sound none 54 66 "" FAKE_CORE_SOUND=none
check too_much_sound none 54 66 \
  "sound beyond the queue's bound of 80 ms is dropped (2940 sample frames in a frame)" FAKE_CORE_SOUND=full
check absurd_rate none 100 250 "frame rate 1000000000 is more than a display shows, 240 is used" \
  FAKE_CORE_FPS=1000000000
pass "the game keeps its rate with no sound, too much sound and an absurd frame rate"
