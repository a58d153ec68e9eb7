# The main loop holds the component's frame rate of 50 frames per second (a loop held to the
# usual 60 shows there), both with an audio device that drains in real time (SDL's disk
# driver) and with none at all.
# Passes are counted through the fake component's call log (one ox_audio_render per pass).
# Presents under the offscreen driver are not paced, so only the loop's own pacing counts.
source "$SOURCE_DIR/tests/support/e2e.sh"

timing=1
timing_fits || timing=0

fps=50
for audio in disk none; do
  driver=$audio; [ $audio = none ] && driver=no-such-driver
  start_fake_player $audio$fps SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=$driver \
    SDL_DISKAUDIOFILE="$E2E_TMP/$audio$fps.raw" FAKE_CORE_FPS=$fps
  if [ $timing = 1 ]; then
    # Past the start, where the loop fills the audio queue as fast as it can.
    wait_until 20 passes_reached $((fps * 3 / 2))
    rate=$(pass_rate 2)
  else
    wait_until 60 passes_reached 30
  fi
  stop_player "$audio $fps"
  [ $timing = 1 ] || continue
  echo "$audio audio, $fps fps component: $rate passes per second"
  awk -v r="$rate" -v f=$fps 'BEGIN { exit !(r >= f * 0.9 && r <= f * 1.1) }' ||
    fail "$audio audio at $fps fps: the loop ran $rate passes per second"
done
if [ $timing = 1 ]; then
  pass "the loop holds 50 frames per second with and without an audio device"
else
  pass "the loop runs and ends cleanly with and without an audio device"
fi
