#!/usr/bin/env bash
# The LV2 panel in jalv -s (a window of its own: size, typed value, drag and
# click change the plug-in; same picture as the offscreen editor; clean exit)
# and jalv.gtk3 (embedded; screenshot saved as OUTDIR/lv2-panel-jalv-gtk3.png),
# under Xvfb and a dummy-backend jackd that this script starts and stops by pid.
# jalv reads no commands while its panel is shown, so the controls are read
# back through the sound: the residual of the output against a best-aligned
# sine measures the colour added (exactly zero with every knob at zero).
# usage: check_panel_in_jalv.sh BUNDLE ORVANTA OUTDIR
# LV2_HOST_PRELOAD (sanitizer runtime) is preloaded into the hosts with leak
# checks off; jalv.gtk3 hangs in GTK's start-up with it, so it is skipped then.
set -euo pipefail

bundle=$(cd "$1" && pwd) orvanta=$2 outdir=$3
mkdir -p "$outdir"
# A sanitizer build of orvanta must not count fontconfig's caches as leaks.
export LSAN_OPTIONS="print_suppressions=0:suppressions=$(cd "$(dirname "$0")/.." && pwd)/editorcli/fontconfig.supp"

work=$(mktemp -d)
pids=()
# Stops what the test started, the last started first: the JACK clients
# while their server still runs (a client told to close after its server
# has gone can wait for it forever), then the servers. Whatever has not
# ended five seconds after SIGTERM is killed.
cleanup() {
  local i pid
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    pid=${pids[i]}
    kill "$pid" 2>/dev/null || continue
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
step() { echo; echo "---- $*"; }
die() { echo "FAIL: $*"; exit 1; }

# Xvfb picks a free display number itself and writes it to the given fd.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || die "Xvfb did not start (setup.sh installs xvfb): $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
# No accessibility bus for the GTK host: nothing that outlives the test.
export NO_AT_BRIDGE=1

# A server name fixed per build tree: JACK's registry holds eight names and
# frees one only when a server of that name starts again after a killed run.
export JACK_DEFAULT_SERVER="orvanta-panel-$(cd "$outdir" && pwd | cksum | cut -d' ' -f1)"
export JACK_NO_AUDIO_RESERVATION=1
jackd --no-realtime -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 256 >"$work/jackd.log" 2>&1 &
pids+=($!)
if ! jack_wait -w -t 10 >/dev/null 2>&1; then
  grep -q "Too many servers" "$work/jackd.log" &&
    echo "JACK's registry of server names is full of servers that were killed; with no JACK server running, remove /dev/shm/jack-shm-registry"
  die "jackd -d dummy did not start (setup.sh installs jackd2): $(tail -5 "$work/jackd.log")"
fi
echo "Xvfb on $DISPLAY, jackd '$JACK_DEFAULT_SERVER' (dummy, 48000 Hz, 256 frames)"

# A sine with a 200-sample period on both outputs.
jack_simple_client sine >"$work/sine.log" 2>&1 &
pids+=($!)

mkdir "$work/lv2"
ln -s "$bundle" "$work/lv2/orvanta.lv2"
export LV2_PATH="$work/lv2:/usr/lib/lv2"
stereo_uri=$(grep -o '<[^>]*/stereo>' "$bundle/manifest.ttl" | head -n1 | tr -d '<>')

# The hosts' prefix (env execs them, so their pid is theirs).
host=()
[ -z "${LV2_HOST_PRELOAD:-}" ] ||
  host=(env LD_PRELOAD="$LV2_HOST_PRELOAD" ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0")

# The first window of process pid whose name matches, within 10 seconds.
wait_for_window() {
  local pid=$1 name=$2 window=""
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --pid "$pid" --name "$name" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  echo "$window"
}

size_of() { xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }

# Differing pixels between two images (0: the same picture).
pixel_difference() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

# The offscreen editor's rendering: reference PNG SETTINGS...
reference() { "$orvanta" editor "${@:2}" --snapshot "$1" --quiet >/dev/null; }

# Records a second of sine and left output; prints the output's residual
# against the best-aligned sine relative to the sine (median over periods).
colour_of() {
  local client=$1 wav="$work/rec-$RANDOM.wav"
  sleep 0.3  # the change reaches the plug-in's next cycle; its filters settle
  jack_rec -f "$wav" -d 1 -b 32 sine:output1 "$client:out_l" >/dev/null 2>&1 || { echo "no-recording"; return; }
  python3 - "$wav" <<'EOF'
import array, math, statistics, sys, wave
with wave.open(sys.argv[1]) as recording:
    samples = array.array("i", recording.readframes(recording.getnframes()))
sine, out = samples[0::2], samples[1::2]
# The median over settled periods leaves out cycles a loaded machine missed.
period = 200
blocks = [range(start, start + period) for start in range(2400, len(out) - period, period)]
if len(blocks) < 20:
    print("short-recording"); sys.exit()
def best_shift(block):
    return min(range(200), key=lambda d: sum(abs(out[n] - sine[n - d]) for n in block))
shift = statistics.median_low(best_shift(block) for block in blocks[::len(blocks) // 9][:9])
def colour(block):
    power = sum(float(sine[n]) ** 2 for n in block)
    return math.sqrt(sum(float(out[n] - sine[n - shift]) ** 2 for n in block) / power) if power else 0.0
print("%.6f" % statistics.median(colour(block) for block in blocks))
EOF
}

# relation A B SHARE: "near" when within that share of the larger, else "apart".
relation() { python3 -c "import sys; a,b,t=map(float,sys.argv[1:]); print('apart' if abs(a-b) > t*max(abs(a),abs(b),1e-9) else 'near')" "$@" 2>&1; }

# start_jalv PROGRAM CLIENT ARGS...: the stereo plug-in fed the sine; sets jalv_pid.
start_jalv() {
  local program=$1 client=$2
  "${host[@]}" "$program" -x -n "$client" "${@:3}" "$stereo_uri" </dev/null >"$work/$client.out" 2>"$work/$client.err" &
  jalv_pid=$!
  pids+=("$jalv_pid")
  for _ in $(seq 100); do jack_lsp 2>/dev/null | grep -q "^$client:in_r$" && break; sleep 0.1; done
  jack_connect sine:output1 "$client:in_l" && jack_connect sine:output2 "$client:in_r" ||
    fail "$program: cannot connect the sine to $client"
}

# Ends jalv by its pid as a person does: SIGINT, a second one if the first
# only ended the panel's loop. Fails unless it exits with 0 and a clean stderr.
stop_jalv() {
  local pid=$1 client=$2 code=0
  for _ in 1 2; do
    kill -0 "$pid" 2>/dev/null || break
    kill -INT "$pid"
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
    code=killed
  else
    wait "$pid" || code=$?
  fi
  echo "jalv ($client) ended with $code"
  [ "$code" = "0" ] || fail "jalv ($client) ended with $code"
  ! grep -E 'X error|ERROR: AddressSanitizer|runtime error' "$work/$client.err" ||
    fail "$client: errors on standard error"
}

# Editor points (the README's table): knob and display centres.
harmonic_knob=(49 71)
harmonic_display=(49 141)
deep_button=(447 98)

# Console jalv sends the panel no control values: it starts at the defaults.
step "jalv -s: window, gestures, the plug-in's sound"
start_jalv jalv console -s
window=$(wait_for_window "$jalv_pid" '^Orvanta$')
[ -n "$window" ] || die "jalv -s showed no panel: $(cat "$work/console.err")"
size=$(size_of "$window")
echo "panel window $window: $size"
[ "$size" = "500x175" ] || fail "the panel window is $size, not 500x175"

at_defaults=$(colour_of console)
# xdotool moves are relative to the window: the panel is the whole window.
xdotool mousemove --window "$window" "${harmonic_display[0]}" "${harmonic_display[1]}" click 1
sleep 0.2
xdotool type --delay 20 "35"
xdotool key Return
typed=$(colour_of console)
xdotool mousemove --window "$window" "${harmonic_knob[0]}" "${harmonic_knob[1]}" mousedown 1 \
  mousemove --window "$window" "${harmonic_knob[0]}" $((harmonic_knob[1] - 25)) \
  mousemove --window "$window" "${harmonic_knob[0]}" $((harmonic_knob[1] - 50)) mouseup 1
dragged=$(colour_of console)
xdotool mousemove --window "$window" "${deep_button[0]}" "${deep_button[1]}" click 1
deep=$(colour_of console)
echo "colour at the defaults: $at_defaults; 35 typed into Harmonic: $typed; dragged 50 px up: $dragged; Deep clicked: $deep"
[ "$at_defaults" = "0.000000" ] || fail "with every knob at zero the plug-in's output is not its input"
[ "$(relation "$at_defaults" "$typed" 0.01)" = apart ] || fail "typing 35 into the Harmonic display changed nothing"
[ "$(relation "$typed" "$dragged" 0.01)" = apart ] || fail "the drag on the Harmonic knob changed nothing"
[ "$(relation "$dragged" "$deep" 0.01)" = apart ] || fail "the click on the Deep button changed nothing"

# The same gestures on the offscreen editor draw the same panel.
reference "$outdir/gestures.png" --do "click ${harmonic_display[*]}" --do "type 35" --do enter \
  --do "press ${harmonic_knob[*]}" --do "drag ${harmonic_knob[0]} $((harmonic_knob[1] - 25))" \
  --do "drag ${harmonic_knob[0]} $((harmonic_knob[1] - 50))" --do "release ${harmonic_knob[0]} $((harmonic_knob[1] - 50))" \
  --do "click ${deep_button[*]}"
import -window "$window" "$outdir/gestures-shown.png"
difference=$(pixel_difference "$outdir/gestures.png" "$outdir/gestures-shown.png")
echo "panel after the gestures against the offscreen editor after the same gestures: $difference pixels differ"
[ "$difference" = "0" ] || fail "the panel does not show what the offscreen editor shows after the same gestures"

# Closed as a window manager that destroys it; jalv then ends on SIGINT.
xdotool windowclose "$window"
sleep 0.3
stop_jalv "$jalv_pid" console

check_jalv_gtk3() {
  step "jalv.gtk3 -c Harmonic=60: the panel embedded, at the host's value"
  start_jalv jalv.gtk3 gtk -c Harmonic=60
  toplevel=$(wait_for_window "$jalv_pid" '^Orvanta Stereo$')
  [ -n "$toplevel" ] || die "jalv.gtk3 showed no window: $(cat "$work/gtk.err")"
  # The panel is the window of 500 x 175 that is not the top level.
  panel=""
  for _ in $(seq 50); do
    for candidate in $(xdotool search --onlyvisible --pid "$jalv_pid" . 2>/dev/null || true); do
      [ "$candidate" != "$toplevel" ] && [ "$(size_of "$candidate")" = "500x175" ] && panel=$candidate && break
    done
    [ -n "$panel" ] && break
    sleep 0.1
  done
  [ -n "$panel" ] || die "jalv.gtk3 holds no 500x175 panel"
  sleep 0.5
  origin() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'; }
  read -r x y < <(origin "$panel")
  read -r tx ty < <(origin "$toplevel")
  screenshot="$outdir/lv2-panel-jalv-gtk3.png"
  import -window "$toplevel" "$screenshot"
  convert "$screenshot" -crop "500x175+$((x - tx))+$((y - ty))" +repage "$outdir/gtk-panel.png"
  reference "$outdir/harmonic60.png" --set Harmonic=60
  difference=$(pixel_difference "$outdir/harmonic60.png" "$outdir/gtk-panel.png")
  echo "jalv.gtk3 window $(size_of "$toplevel"), panel at +$((x - tx))+$((y - ty)): $difference pixels differ from the offscreen editor at Harmonic 60"
  [ "$difference" = "0" ] || fail "the jalv.gtk3 window does not show the panel at Harmonic 60.00"
  check_at60 gtk
}

# Harmonic=60 given to the host sounds as typing 35 and the drag left it.
check_at60() {
  local client=$1
  at60=$(colour_of "$client")
  echo "colour at Harmonic=60 given to $client: $at60; after typing 35 and the drag in jalv -s: $dragged"
  [ "$(relation "$at60" "$dragged" 0.001)" = near ] || fail "typing 35 and the drag did not leave Harmonic at 60"
  stop_jalv "$jalv_pid" "$client"
}

if [ -n "${LV2_HOST_PRELOAD:-}" ]; then
  step "jalv.gtk3: NOT RUN with the sanitizer runtime preloaded (it hangs while GTK starts);"
  echo "the release and clang builds run it. Harmonic=60 is given to console jalv instead."
  start_jalv jalv reference -s -c Harmonic=60
  check_at60 reference
else
  check_jalv_gtk3
fi

echo
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all panel checks passed"
