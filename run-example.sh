#!/usr/bin/env bash
# Sets the machine up, builds Orvanta, renders the shipped example through a
# few settings into out/, then runs the signal-path benchmarks briefly.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

example=examples/example-48k-stereo.wav
mkdir -p out
render() {
  local name=$1
  shift
  ./build/host/orvanta process "$example" "out/$name.wav" "$@"
}
echo
echo "Rendering $example (5 s, stereo, 48 kHz):"
render default
render harmonic60-dynamic40-gold --set Harmonic=60 --set Dynamic=40 --set Color=Gold
render deep-dither-float --set Harmonic=80 --set Dynamic=70 --set Color=Deep --set Dither=On --subtype float
render bypass --set Harmonic=100 --set Dynamic=100 --bypass
echo "The renders are in $(pwd)/out/ (default.wav is the input itself: every knob at zero)."
echo

./build/bench/orvanta_bench --benchmark_min_time=0.2
