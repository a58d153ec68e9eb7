# Helpers for end-to-end scripts that run the real player. Source it from tests/e2e_*.sh.
# Environment from CTest: DIST_DIR, BUILD_DIR, SOURCE_DIR, FAKE_CORE.
set -euo pipefail

# E2E_KEEP=1 keeps the screenshots and logs of a run (the folder is named on standard error).
E2E_TMP=$(mktemp -d /tmp/e2e.XXXXXX)
E2E_PIDS=()
cleanup_e2e() {
  for p in "${E2E_PIDS[@]:-}"; do [ -n "$p" ] && kill "$p" 2>/dev/null || true; done
  if [ -n "${E2E_KEEP:-}" ]; then echo "kept $E2E_TMP" >&2; else rm -rf "$E2E_TMP"; fi
}
trap cleanup_e2e EXIT

# fail MESSAGE: ends the test with MESSAGE. It goes to the script's own standard error, kept
# as descriptor 9, so that a wait failing inside another wait (whose output is discarded)
# still says what it waited for. Programs left running in the background get 9>&-, so that
# none keeps CTest's pipe open after the script ends.
exec 9>&2
fail() { echo "FAIL: $*" >&9; exit 1; }

# A start that fails shows a message box, which waits for a click: the players started here
# print its text to standard error instead.
export PLAYER_MESSAGE_BOX_TEXT=1
# Their user folder is the test's own: the player also reads saves from there when res/ is
# writable, and none of the machine's user must reach a test.
export XDG_DATA_HOME=$E2E_TMP/xdg

# ImageMagick's own convert, even where another program of that name comes first in PATH.
if [ -x /usr/bin/convert ]; then convert() { /usr/bin/convert "$@"; }; fi
pass() { echo "PASS: $*"; }

# make_dist DIR [fake]: a private copy of dist (player, component, res; of either tree) in DIR;
# with "fake" the fake component replaces the reference one.
make_dist() {
  local dir=$1
  mkdir -p "$dir"
  cp -r "$DIST_DIR"/. "$dir/"
  rm -f "$dir/res/conf" "$dir/res/log" "$dir"/res/[0-2][SP]
  if [ "${2:-}" = fake ]; then cp "$FAKE_CORE" "$dir/libox_core.so"; fi
}

# start_xvfb: a private X server on a free display; exports DISPLAY.
start_xvfb() {
  # The server picks a free display itself and writes its number once it is ready, so two
  # scripts started together never share one server (and lose it when the other ends).
  local number=$E2E_TMP/display
  : >"$number"
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 9>&- &
  E2E_PIDS+=($!)
  wait_until 20 test -s "$number"
  export DISPLAY=:$(head -n 1 "$number")
  wait_until 20 xdpyinfo
}

# start_wm: a window manager, so full screen really changes the window.
# A window manager that gave up while starting (seen on a busy machine) is started again.
start_wm() {
  E2E_WM=""
  within 30 wm_up || fail "no window manager came up in 30s"
}
# wm_up: true once a window manager runs; starts openbox whenever none is alive.
wm_up() {
  if [ -z "$E2E_WM" ] || ! kill -0 "$E2E_WM" 2>/dev/null; then
    openbox >"$E2E_TMP/openbox.log" 2>&1 9>&- &
    E2E_WM=$!
    E2E_PIDS+=($E2E_WM)
  fi
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

# within SECONDS COMMAND...: true as soon as COMMAND succeeds, tried every 0.1 s; false when
# SECONDS (a fraction allowed) pass first, counted on the clock in microseconds, however long
# COMMAND takes. The one polling loop every wait below goes through.
within() {
  local secs=$1; shift
  local deadline=$(( ${EPOCHREALTIME/./} + $(awk -v s="$secs" 'BEGIN { printf "%d", s * 1000000 }') ))
  until "$@" >/dev/null 2>&1; do
    [ "${EPOCHREALTIME/./}" -lt $deadline ] || return 1
    sleep 0.1
  done
}

# wait_until SECONDS COMMAND...: waits for COMMAND to succeed; fails the test after SECONDS.
wait_until() {
  local secs=$1; shift
  within "$secs" "$@" || fail "timed out after ${secs}s waiting for: $*"
}

# wait_for_line FILE TEXT [SECONDS]: waits until FILE holds a line TEXT.
wait_for_line() {
  within "${3:-20}" has_line "$1" "$2" || fail "no line '$2' in $1"
}
has_line() { grep -qxF -- "$2" "$1"; }

# start_other_window: a small window of another program, to take the focus; sets other to its id.
start_other_window() {
  xmessage -geometry 200x100+0+0 other >/dev/null 2>&1 9>&- &
  E2E_PIDS+=($!)
  wait_until 10 xdotool search --class xmessage
  other=$(xdotool search --class xmessage | head -n 1)
}
# shown_window SECONDS FINDER ARG WHAT: the id FINDER gives for ARG within SECONDS, once the
# window is shown and takes input; fails naming WHAT otherwise.
shown_window() {
  within "$1" "$2" "$3" || fail "no $4"
  local id
  id=$("$2" "$3")
  wait_until 20 viewable "$id"
  echo "$id"
}
# player_window PID: the player's window.
player_window() { shown_window 10 window_of "$1" "player window"; }
# titled_window TITLE: the window of that title (under Wine, where the player's process id is
# not the window's).
titled_window() { shown_window 60 titled "$1" "window titled $1"; }
titled() { xdotool search --name "^$1\$" 2>/dev/null | head -n 1 | grep .; }
window_of() { xdotool search --pid "$1" 2>/dev/null | head -n 1 | grep .; }
viewable() { xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }

# not_black PNG: true when the picture has some non-black pixel.
not_black() {
  local max
  max=$(convert "$1" -format '%[fx:maxima.intensity]' info:)
  awk -v m="$max" 'BEGIN { exit !(m > 0.05) }'
}

# Screenshots of the player's window $wid, kept as $E2E_TMP/NAME.png.
shot() { import -window "$wid" "$E2E_TMP/$1.png"; }
# pixel NAME X Y: "R G B" (0 to 255) of that pixel of screenshot NAME.
pixel() {
  convert "$E2E_TMP/$1.png" -crop "1x1+$2+$3" -depth 8 \
    -format '%[fx:round(255*r)] %[fx:round(255*g)] %[fx:round(255*b)]' info:
}
# still: the picture holds for half a second; that span of time is what is looked at.
still() { shot still1 && sleep 0.5 && shot still2 && ! differ still1 still2; }
# differ A B: screenshots A and B differ in some pixel (or in size).
differ() { [ "$(compare -metric AE "$E2E_TMP/$1.png" "$E2E_TMP/$2.png" null: 2>&1 | cut -d' ' -f1)" != 0 ]; }
shows_picture() { shot "$1" && not_black "$E2E_TMP/$1.png"; }   # NAME: a shot, not black
moved_on() { shows_picture "$2" && differ "$1" "$2"; }          # FROM TO: a shot TO, unlike FROM

# window_place: "W H X Y" of window $wid's drawing area, at X, Y on the screen; window_size: "W H".
window_place() {
  xwininfo -id "$wid" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print w, h, x, y}'
}
window_size() { window_place | cut -d' ' -f1,2; }
# window_centred W H: window $wid has that size, centred on the 1920 x 1080 screen (within 40
# pixels, for a window manager's frame).
window_centred() {
  local w h x y
  read -r w h x y <<<"$(window_place)"
  [ "$w $h" = "$1 $2" ] && near "$x" $(((1920 - w) / 2)) && near "$y" $(((1080 - h) / 2))
}
near() { [ $(($1 - $2)) -le 40 ] && [ $(($2 - $1)) -le 40 ]; }   # A B: within 40 pixels
# overlay_point X Y: the window pixel of point (X, Y) of the 1920 x 1080 overlay, which is
# centred in window $wid and as high as it (narrower where the window cannot show its middle
# 1300 units whole).
overlay_point() {
  local ww wh
  read -r ww wh <<<"$(window_size)"
  awk -v ww="$ww" -v wh="$wh" -v x="$1" -v y="$2" \
    'BEGIN { sw = int(wh * 1920 / 1080); k = int(ww * 1920 / 1300); if (k < sw) sw = k
      printf "%d %d", (ww - sw) / 2 + sw * x / 1920, wh * y / 1080 }'
}
# overlay_click X Y: a left click at overlay point (X, Y).
overlay_click() {
  local x y
  read -r x y <<<"$(overlay_point "$1" "$2")"
  xdotool mousemove --window "$wid" "$x" "$y" click 1
}

# widget NAME: "X Y W H" of that widget of the overlay pages (text line or picture, overlay
# units), from the pages' own layout as tests/support/widget_points.cpp prints it.
widget() {
  local places=$E2E_TMP/widgets run=("$WIDGET_POINTS")
  [ "${WIDGET_POINTS%.exe}" = "$WIDGET_POINTS" ] || run=(wine "$WIDGET_POINTS")   # the Windows tree's
  [ -s "$places" ] || SDL_VIDEODRIVER=dummy "${run[@]}" "$SOURCE_DIR" 9>&- | tr -d '\r' >"$places" ||
    fail "the pages' layout could not be read"
  awk -v n="$1" '$1 == n { print $2, $3, $4, $5; found = 1 } END { exit !found }' "$places" ||
    fail "no widget $1 on the pages"
}
# differ_around A B NAME: screenshots A and B differ around widget NAME (its box and a margin;
# a picture not shown yet: the middle of the picture to come).
differ_around() {
  local x y w h x0 y0 x1 y1
  read -r x y w h <<<"$(widget "$3")"
  [ "$w" -gt 0 ] || { x=$((x - 90)); w=180; y=$((y - 70)); h=140; }
  read -r x0 y0 <<<"$(overlay_point $((x - 20)) $((y - 10)))"
  read -r x1 y1 <<<"$(overlay_point $((x + w + 20)) $((y + h + 10)))"
  local g=$((x1 - x0))x$((y1 - y0))+$x0+$y0
  convert "$E2E_TMP/$1.png" -crop "$g" +repage "$E2E_TMP/crop1.png"
  convert "$E2E_TMP/$2.png" -crop "$g" +repage "$E2E_TMP/crop2.png"
  differ crop1 crop2
}
# differ_inside A B NAME: screenshots A and B differ inside widget NAME's box (2 pixels in from
# its edges, where filtering blends it with its surroundings).
differ_inside() {
  local x y w h x0 y0 x1 y1
  read -r x y w h <<<"$(widget "$3")"
  read -r x0 y0 <<<"$(overlay_point "$x" "$y")"
  read -r x1 y1 <<<"$(overlay_point $((x + w)) $((y + h)))"
  local g=$((x1 - x0 - 4))x$((y1 - y0 - 4))+$((x0 + 2))+$((y0 + 2))
  convert "$E2E_TMP/$1.png" -crop "$g" +repage "$E2E_TMP/crop1.png"
  convert "$E2E_TMP/$2.png" -crop "$g" +repage "$E2E_TMP/crop2.png"
  differ crop1 crop2
}
# widget_click NAME: a left click just inside the start of that widget's text line, which is
# where it is whatever text the running player shows there.
widget_click() {
  local x y w h
  widget "$1" >"$E2E_TMP/widget"
  read -r x y w h <"$E2E_TMP/widget"
  overlay_click $((x + 2)) $((y + h / 2))
}

click_on() { widget_click "$1"; settle; }   # NAME: a click on that widget, then a few passes

# launch [FROM_DIR [VAR=value...]]: starts the player of $d from FROM_DIR (default: the current
# directory) with those variables and its output in $d; sets pid and waits for the loop's line
# in its log. PLAYER_COMMAND (an array) replaces "$d/player", PLAYER_LOG the log "$d/res/log"
# and LAUNCH_SECONDS the 20 s the start may take.
launch() {
  local from=${1:-.}
  shift || true
  local run=("${PLAYER_COMMAND[@]:-$d/player}")
  (cd "$from" && exec env "$@" "${run[@]}" >"$d/stdout" 2>"$d/stderr" 9>&-) & pid=$!
  E2E_PIDS+=($pid)
  wait_for_line "${PLAYER_LOG:-$d/res/log}" "entering loop" "${LAUNCH_SECONDS:-20}"
}
# run_to_end [VAR=value...]: runs the player of $d from $d until it ends by itself, within 20 s
# (120 s under Wine); sets rc to its exit code.
run_to_end() {
  local run=("${PLAYER_COMMAND[@]:-$d/player}")
  rc=0
  (cd "$d" && exec env "$@" timeout "${LAUNCH_SECONDS:-20}" "${run[@]}" >"$d/stdout" 2>"$d/stderr" 9>&-) || rc=$?
}

# new_dist NAME [fake]: make_dist in $E2E_TMP/NAME, set as d, with a 2x window.
new_dist() {
  d=$E2E_TMP/$1
  make_dist "$d" "${2:-}"
  printf 'scale=2\nfullscreen=0\n' > "$d/res/conf"
}
# fake_dist NAME: new_dist with the fake component, no splash, a 3x window. Sets d, and log for
# the fake component's calls.
fake_dist() {
  new_dist "$1" fake
  rm -f "$d/res/splash"
  printf 'scale=3\nfullscreen=0\n' > "$d/res/conf"
  log=$d/core.log
}
# start_fake_player NAME [VAR=value...]: the player of fake_dist NAME started with its calls
# logged; waits for the loop. Sets d, log and pid.
start_fake_player() {
  fake_dist "$1"
  shift
  launch . FAKE_CORE_LOG="$log" "$@"
}

# exits_with CODE [WHAT]: waits for the player $pid to end and fails the test unless it exits
# with CODE and without a sanitizer report in $d/stderr; WHAT names the run.
exits_with() {
  local what=${2:+$2: } rc=0
  wait "$pid" || rc=$?
  [ $rc -eq "$1" ] || fail "${what}exit code $rc: $(grep -v ALSA "$d/stderr" | head -20)"
  ! grep -q "Sanitizer\|runtime error" "$d/stderr" || fail "${what}sanitizer report: $(cat "$d/stderr")"
}
# stop_player [WHAT]: ends the player $pid as the desktop would (SIGTERM); it must exit with 0.
stop_player() {
  kill -TERM "$pid" 2>/dev/null || true   # one that ended already is judged by its exit
  exits_with 0 "${1:-}"
}

# startup_logged LOG WORKDIR: LOG holds the start-up's steps of the demo game in their order,
# with WORKDIR as the working directory; the lines of the steps' details between them do not count.
startup_logged() {
  local got details expected="loading configs
working directory: $2
sdl_init
gamestate init
renderer name: opengl
initializing GL extensions
compiling shaders
xgui_init
loading game
sound init
sound stream set to 60 FPS
entering loop"
  details='^(update viewport resolution|screen size|TV effect shaders|sound (/|[A-Z]:)|sound stream device'
  details+='|Error: )'
  details+='|^(rewind: |saving screenshot|saved the game to continue)'   # rewind's ring; the resume file at quit
  details+='|^(display |drawing every |sound queue ran dry)'   # the loop's pacing
  details+='|^slot [0-9]: '   # when each slot was saved
  got=$(grep -vE "$details" "$1")
  [ "$got" = "$expected" ] || fail "log lines differ:
$got"
}

# ended PID: the process has ended (a zombie waiting for its parent counts as ended).
ended() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) || return 0
  [ "${state:0:1}" = Z ]
}

# E2E_SKIP: the exit status CTest counts as skipped (SKIP_RETURN_CODE of the timing tests).
E2E_SKIP=77
# timing_fits: true unless the build runs under the sanitizers, too slow for timing checks, or
# the machine has less than one core idle over a second (others' builds and tests), where the
# rate measured would be theirs; says why not.
timing_fits() {
  if sanitizer_build; then
    echo "timing is not checked in a sanitizer build"
    return 1
  fi
  local idle
  idle=$(idle_cores)
  if awk -v i="$idle" 'BEGIN { exit !(i < 1) }'; then
    echo "the machine is busy ($idle cores idle): timing is not checked"
    return 1
  fi
}
# skip_unless_timing_fits: a timing test ends as skipped where timing_fits says no.
skip_unless_timing_fits() { timing_fits || exit $E2E_SKIP; }
# idle_cores: the cores left idle over the next second, from /proc/stat.
idle_cores() {
  local a b
  a=$(head -n 1 /proc/stat)
  sleep 1
  b=$(head -n 1 /proc/stat)
  awk -v a="$a" -v b="$b" -v n="$(nproc)" 'BEGIN {
    split(a, x); split(b, y)
    for (i = 2; i <= 9; i++) total += y[i] - x[i]
    idle = y[5] - x[5] + y[6] - x[6]
    printf "%.2f", (total > 0 ? n * idle / total : 0) }'
}

# sanitizer_build: the build under test runs under the sanitizers, too slow for timing checks.
sanitizer_build() { grep -qx 'PLAYER_SANITIZE:BOOL=ON' "$BUILD_DIR/CMakeCache.txt" 2>/dev/null; }

# The loop passes of the player start_fake_player started, counted in the fake component's
# log: each pass ends with one ox_audio_render.
pass_count() { grep -c '^ox_audio_render' "$log" || true; }
passes_reached() { [ "$(pass_count)" -ge "$1" ] || ended "$pid"; }
# settle [N]: waits until the player has made N (default 3) more passes, or has ended; input
# sent before the call has then been handled and its outcome drawn.
settle() { wait_until 60 passes_reached $(( $(pass_count) + ${1:-3} )); }
# last_pass_emulated: the last complete pass ran a game frame.
last_pass_emulated() {
  awk '/^ox_core_emulate$/ { e = 1 } /^ox_audio_render/ { last = e; e = 0 } END { exit !last }' "$log"
}
# pass_rate SECONDS: the player's passes per second over SECONDS of the wall clock; time itself
# is measured, so it sleeps for that span.
pass_rate() {
  local t0 n0 t1 n1
  t0=$(date +%s.%N)
  n0=$(pass_count)
  sleep "$1"
  t1=$(date +%s.%N)
  n1=$(pass_count)
  awk -v n=$((n1 - n0)) -v t0="$t0" -v t1="$t1" 'BEGIN { printf "%.2f", n / (t1 - t0) }'
}
# emulate_count: the frames the fake component has run.
emulate_count() { grep -c '^ox_core_emulate$' "$log" || true; }
emulated() { [ "$(emulate_count)" -gt "$1" ] || ended "$pid"; }   # N: more frames run, or the end
# frame_shown: the frame count that the fake component (FAKE_CORE_COLOR=frames) paints, as red *
# 256 + green, read at the centre of window $wid.
frame_shown() {
  local w h
  read -r w h <<<"$(window_size)"
  shot frame && pixel frame $((w / 2)) $((h / 2)) | awk '{ print $1 * 256 + $2 }'
}
shown_above() { [ "$(frame_shown)" -gt "$1" ]; }   # N: the frame shown is past N
shown_below() { [ "$(frame_shown)" -lt "$1" ]; }   # N: the frame shown is before N
# menu_faded_in: waits out the menu's fade (32 passes), so shots show it whole. A late pass
# emulates several frames, each rendering its sound, so on a busy machine 40 renders can be fewer
# than 32 passes: the fade has ended once the picture also holds still.
menu_faded_in() { settle 40; wait_until 20 still; }
# press_until KEYS COMMAND...: presses KEYS in the player's window until COMMAND succeeds
# (a key sent while the window is still being mapped can be lost); fails after 10 tries.
press_until() {
  local keys=$1
  shift
  for _ in $(seq 10); do
    xdotool key --window "$(player_window $pid)" $keys 2>/dev/null || true
    within 2 "$@" && return 0
  done
  fail "no effect of $keys: $*"
}
running() { settle; last_pass_emulated; }   # a few passes on, the game still steps
paused() { settle; ! last_pass_emulated; }   # a few passes on, the game stands still
