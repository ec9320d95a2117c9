#!/usr/bin/env bash
# The LV2 bundle under outside tools: lv2_validate checks the Turtle, lv2info the
# ports, latency and presets; lv2apply (one frame per run), lv2file (also with a
# preset) and lv2proc (latency compensated) render bit for bit as `orvanta process` does.
# usage: check_lv2_tools.sh BUNDLE ORVANTA WAV_TOOL
# LV2_HOST_PRELOAD (a sanitizer runtime), when set, is preloaded into the hosts.
set -euo pipefail

bundle=$(cd "$1" && pwd) orvanta=$2 wav_tool=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Just this bundle, then the installed LV2 vocabularies.
mkdir "$work/lv2"
ln -s "$bundle" "$work/lv2/orvanta.lv2"
export LV2_PATH="$work/lv2:/usr/lib/lv2"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
step() { echo; echo "---- $*"; }

# The plug-in URIs, as the bundle's manifest names them.
plugin_uris=$(grep -B1 '^    a lv2:Plugin ;' "$bundle/manifest.ttl" | grep -o '^<[^>]*>' | tr -d '<>')
mono_uri=$(grep '/mono$' <<<"$plugin_uris")
stereo_uri=$(grep '/stereo$' <<<"$plugin_uris")
[ -n "$mono_uri" ] && [ -n "$stereo_uri" ] || { echo "FAIL: no plug-in URIs in $bundle/manifest.ttl"; exit 1; }

# Runs an LV2 host; leak checks are off, as the hosts and libpixman keep memory to the end.
host() {
  [ -z "${LV2_HOST_PRELOAD:-}" ] ||
    set -- env LD_PRELOAD="$LV2_HOST_PRELOAD" ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$@"
  "$@"
}

# validate TOOL FILES...: the tool must find no errors.
validate() {
  step "$1"
  local validation
  validation=$("$@" 2>&1 | grep -v '^Skipping file' || true)
  echo "$validation"
  grep -q '^Found 0 errors' <<<"$validation" || fail "$1"
}
ttl_files=("$bundle/manifest.ttl" "$bundle/orvanta.ttl" "$bundle/presets.ttl" "$bundle/orvanta_ui.ttl")
validate lv2_validate "${ttl_files[@]}"  # sord_validate with every installed LV2 vocabulary

step "lv2info"
for uri in "$mono_uri" "$stereo_uri"; do
  info=$(lv2info "$uri" 2>&1)
  echo "$info" | grep -E '^\s+(Name|Class|Has latency|Bundle|Binary):|Symbol:' | sed 's/^\s*/  /'
  for symbol in Harmonic Dynamic OutputTrim Dither Color enabled latency; do
    grep -q "Symbol: *$symbol\$" <<<"$info" || fail "lv2info $uri: no port $symbol"
  done
  grep -q 'Has latency: *yes, reported by port 6' <<<"$info" || fail "lv2info $uri: latency port"
  grep -q 'Class: *Distortion Plugin' <<<"$info" || fail "lv2info $uri: class"
  for preset in "Silver Sheen" "Gold Warmth" "Rich Glue" "Fat Drive" "Deep Body"; do
    grep -q "^[[:space:]]*$preset\$" <<<"$info" || fail "lv2info $uri: no preset $preset"
  done
done
grep -q 'Symbol: *in_l$' <<<"$(lv2info "$stereo_uri")" || fail "lv2info: no stereo port in_l"

# Range and default of the ports that carry parameter values unchanged, as orvanta params gives them.
params=$("$orvanta" params --quiet)
info=$(lv2info "$mono_uri" 2>&1)
for symbol in Harmonic Dynamic OutputTrim Color; do
  port=$(awk -v s="$symbol" '/Symbol:/ {p = ($2 == s)} p && /(Minimum|Maximum|Default):/ {printf "%s ", $2}' <<<"$info")
  read -r low high default <<<"$port"
  row=$(awk -v s="$symbol" '$1 == s {print $3, $5, $6}' <<<"$params")
  read -r range_low range_high model_default <<<"$row"
  for pair in "$low:$range_low" "$high:$range_high" "$default:$model_default"; do
    awk -v a="${pair%%:*}" -v b="${pair##*:}" 'BEGIN {exit !(a + 0 == b + 0 && a != "" && b != "")}' ||
      fail "port $symbol: lv2info gives '$port', orvanta params '$row'"
  done
done

# 32768 frames: whole 512-frame blocks (lv2file's), so both hosts split the file alike.
frames=32768
"$wav_tool" write "$work/in_mono.wav" 1 48000 "$frames"
"$wav_tool" write "$work/in_stereo.wav" 2 48000 "$frames"

# The same settings for the plug-in's ports and for `orvanta process`.
lv2_parameters=(-p Harmonic:40 -p Dynamic:25 -p OutputTrim:-1.5 -p Dither:1 -p Color:3)
lv2apply_controls=(-c Harmonic 40 -c Dynamic 25 -c OutputTrim -1.5 -c Dither 1 -c Color 3)
orvanta_settings=(--set Harmonic=40 --set Dynamic=25 --set OutputTrim=-1.5 --set Dither=On --set Color=Rich)

# compare NAME EXPECTED RENDERED
compare() {
  local result
  result=$("$wav_tool" compare "$2" "$3") && echo "$1: $result" || fail "$1: $result"
}

for layout in mono stereo; do
  uri=$mono_uri
  [ "$layout" = stereo ] && uri=$stereo_uri
  input="$work/in_$layout.wav"

  step "lv2apply through $layout (one frame per run) against orvanta process --block 1"
  host lv2apply -i "$input" -o "$work/lv2apply_$layout.wav" "${lv2apply_controls[@]}" "$uri" >&2
  "$orvanta" process "$input" "$work/orvanta_b1_$layout.wav" --block 1 --keep-latency --quiet "${orvanta_settings[@]}"
  compare "lv2apply $layout" "$work/orvanta_b1_$layout.wav" "$work/lv2apply_$layout.wav"

  step "lv2file through $layout (512-frame blocks) against orvanta process --block 512"
  host lv2file -b 512 --ignore-clipping -i "$input" -o "$work/lv2file_$layout.wav" "${lv2_parameters[@]}" "$uri" >&2
  "$orvanta" process "$input" "$work/orvanta_b512_$layout.wav" --block 512 --keep-latency --quiet \
    "${orvanta_settings[@]}"
  compare "lv2file $layout" "$work/orvanta_b512_$layout.wav" "$work/lv2file_$layout.wav"

  step "lv2file --preset 'Gold Warmth' through $layout against its settings"
  host lv2file -b 512 --ignore-clipping -P "Gold Warmth" -i "$input" -o "$work/preset_$layout.wav" "$uri" >/dev/null
  "$orvanta" process "$input" "$work/orvanta_gold_$layout.wav" --block 512 --keep-latency --quiet \
    --set Harmonic=45 --set Dynamic=30 --set OutputTrim=-1 --set Dither=Off --set Color=Gold
  compare "preset $layout" "$work/orvanta_gold_$layout.wav" "$work/preset_$layout.wav"

  # lv2proc drops the reported latency and flushes the tail, as orvanta does without --keep-latency.
  step "lv2proc through $layout: output aligned with the input"
  host lv2proc -i "$input" -o "$work/lv2proc_$layout.wav" "${lv2_parameters[@]/#-p/-c}" "$uri" >/dev/null
  "$orvanta" process "$input" "$work/orvanta_aligned_$layout.wav" --block 512 --quiet "${orvanta_settings[@]}"
  compare "lv2proc $layout" "$work/orvanta_aligned_$layout.wav" "$work/lv2proc_$layout.wav"
done

echo
[ "$failures" -eq 0 ] || { echo "$failures LV2 check(s) failed"; exit 1; }
echo "all LV2 checks passed"
