#!/usr/bin/env bash
# Whole-program figures of `orvanta process` (see README.md, "Command-line
# figures"): peak resident memory across input lengths, wall time against
# lv2file running this project's orvanta.lv2 on the same file with the same
# settings, and batch rendering of 8 files with 1 and 2 jobs.
#
#   bench/process_bench.sh [BUILD_DIR] [PAIRS]
#
# BUILD_DIR (default: build) holds host/orvanta, orvanta.lv2 and
# bench/make_test_audio; PAIRS (default: 11) is the number of paired runs.
# Scratch files (about 2.5 GB) go to a folder under $TMPDIR, removed at the end.
set -euo pipefail

build=${1:-build}
pairs=${2:-11}
orvanta=$build/host/orvanta
maker=$build/bench/make_test_audio
for tool in "$orvanta" "$maker" /usr/bin/time lv2file; do
  command -v "$tool" > /dev/null || { echo "process_bench: $tool is missing" >&2; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/orvanta-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
# lv2file finds only this build's bundle.
mkdir "$work/lv2"
ln -s "$(cd "$build" && pwd)/orvanta.lv2" "$work/lv2/orvanta.lv2"
export LV2_PATH=$work/lv2

busy=(--set Harmonic=60 --set Dynamic=70 --set Dither=On --set Color=Rich)
busy_lv2=(-p Harmonic:60 -p Dynamic:70 -p Dither:1 -p Color:3)
stereo_uri=https://quillfern.audio/plugins/orvanta/stereo

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
calc() { awk "BEGIN { print $1 }"; }
seconds_of() {
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null 2>&1 || { echo "process_bench: failed: $*" >&2; exit 1; }
  end=$(date +%s.%N)
  calc "$end - $start"
}

echo "== Peak resident memory (stereo, 48 kHz, 24-bit WAV, busy setting)"
for length in 1 600 3600; do
  "$maker" "$work/in.wav" "$length" 2 48000 pcm24
  peak=$(/usr/bin/time -f %M "$orvanta" process "$work/in.wav" "$work/out.wav" --quiet "${busy[@]}" 2>&1 > /dev/null)
  printf '%6d s of audio: peak %6.1f MiB\n' "$length" "$(calc "$peak / 1024")"
  rm -f "$work/in.wav" "$work/out.wav"
done

echo "== Wall time, 120 s stereo 48 kHz float WAV, busy setting, block 512 ($pairs pairs, order alternating)"
"$maker" "$work/in.wav" 120 2 48000 float
ours=() theirs=() ratios=()
for ((pair = 0; pair < pairs; ++pair)); do
  run_ours() { seconds_of "$orvanta" process "$work/in.wav" "$work/ours.wav" --quiet --block 512 "${busy[@]}"; }
  run_theirs() { seconds_of lv2file -b 512 -i "$work/in.wav" -o "$work/theirs.wav" "${busy_lv2[@]}" "$stereo_uri"; }
  if ((pair % 2)); then b=$(run_theirs); a=$(run_ours); else a=$(run_ours); b=$(run_theirs); fi
  ours+=("$a") theirs+=("$b") ratios+=("$(calc "$a / $b")")
done
m_ours=$(printf '%s\n' "${ours[@]}" | median)
m_theirs=$(printf '%s\n' "${theirs[@]}" | median)
m_ratio=$(printf '%s\n' "${ratios[@]}" | median)
printf 'orvanta process: median %.3f s\nlv2file -b 512:  median %.3f s\nmedian of paired ratios orvanta/lv2file: %.2f\n' \
  "$m_ours" "$m_theirs" "$m_ratio"
rm -f "$work/ours.wav" "$work/theirs.wav"

echo "== Batch: 8 files of 60 s stereo 48 kHz 24-bit, busy setting"
mkdir "$work/batch" "$work/batch-out"
for i in 1 2 3 4 5 6 7 8; do "$maker" "$work/batch/take$i.wav" 60 2 48000 pcm24; done
for jobs in 1 2; do
  times=()
  for run in 1 2 3; do
    times+=("$(seconds_of "$orvanta" process "$work"/batch/*.wav --output-dir "$work/batch-out" --jobs "$jobs" --quiet "${busy[@]}")")
  done
  printf -- '--jobs %d: median of 3 runs %.3f s\n' "$jobs" "$(printf '%s\n' "${times[@]}" | median)"
done
