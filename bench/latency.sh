#!/bin/bash
# Sound against latency: runs the player with the fake component (a constant signal) and its
# presents held to a simulated display, for each latency setting and display rate given, and
# prints the passes per second held, the audio queue level the player read (median, minimum,
# maximum, in ms) and the times it ran empty, and with the disk driver the silent gaps in the
# sound after the first second. The lag probe holds the disk driver's writes to a 44100 Hz
# clock (tests/vsync/lag_probe.c: on its own the driver plays small buffers a few per cent fast).
#
#   bench/latency.sh BUILD_DIR SECONDS DRIVER LATENCIES HZ...
#     DRIVER     disk (SDL's disk writer, paced in real time) or alsa-null (ALSA's null sink)
#     LATENCIES  comma-separated milliseconds (latency_ms), e.g. 250,64,32
# FPS=50 runs a 50 fps game (default 60). Runs one player at a time; start several copies of
# the script to run in parallel.
set -euo pipefail
build=$(cd "$1" && pwd); seconds=$2; driver=$3; latencies=$4; shift 4
work=$(mktemp -d /tmp/latency.XXXXXX)
trap 'rm -rf "$work"' EXIT
for latency in ${latencies//,/ }; do
  for hz in "$@"; do
    d=$work/$latency-$hz
    mkdir -p "$d"
    cp -r "$build/dist/player" "$build/dist/res" "$d/"
    cp "$build/fake_core/libox_core.so" "$d/"
    rm -f "$d/res/splash" "$d/res/conf" "$d/res/log" "$d"/res/[0-2][SP]
    printf 'scale=3\nfullscreen=0\nlatency_ms=%s\n' "$latency" > "$d/res/conf"
    case $driver in
      disk) audio=(SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$d/raw") ;;
      alsa-null) audio=(SDL_AUDIODRIVER=alsa AUDIODEV=null) ;;
      *) echo "unknown driver $driver" >&2; exit 2 ;;
    esac
    start=$(date +%s.%N)
    env SDL_VIDEODRIVER=offscreen "${audio[@]}" \
      LD_PRELOAD="$build/vsync/liblag_probe.so $build/vsync/libvsync_preload.so $build/bench/libqueue_level.so" \
      FAKE_VSYNC_HZ="$hz" FAKE_CORE_FPS="${FPS:-60}" FAKE_CORE_LOG="$d/calls" QUEUE_LEVEL_OUT="$d/level" \
      timeout --foreground -s TERM "$seconds" "$d/player" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    passes=$(grep -c '^ox_audio_render' "$d/calls" || true)
    read -r median min max empties _ < "$d/level" || true
    gaps=-
    if [ "$driver" = disk ]; then
      read -r gaps _ _ < <("$build/vsync/count_gaps" "$d/raw" 2>/dev/null)
    fi
    awk -v l="$latency" -v dr="$driver" -v hz="$hz" -v p="$passes" -v s="$start" -v e="$end" \
      -v md="$median" -v mn="$min" -v mx="$max" -v em="$empties" -v g="$gaps" \
      'BEGIN { printf "latency %3d ms, %-9s %6s Hz: %.2f passes/s, queue %s ms (min %s, max %s), empty %s, gaps %s\n",
                      l, dr, hz, p / (e - s), md, mn, mx, em, g }'
    rm -rf "$d"
  done
done
