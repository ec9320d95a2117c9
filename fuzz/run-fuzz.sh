#!/usr/bin/env bash
# Builds the chunk fuzz target (clang, libFuzzer, ASan, UBSan) in build-fuzz/
# (or ORVANTA_FUZZ_BUILD_DIR) and runs it for SECONDS (default 60) on a copy of
# fuzz/corpus/chunk/. A failure exits non-zero, keeps the input in the build's
# fuzz-artifacts/ and prints the log's end.
#   fuzz/run-fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: fuzz/run-fuzz.sh [SECONDS]   (a whole number of seconds, at least 1)" >&2
  exit 2
fi
build=${ORVANTA_FUZZ_BUILD_DIR:-build-fuzz}
jobs=$(nproc 2>/dev/null || echo 2)

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVANTA_FUZZ=ON -DORVANTA_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_chunk -j "$jobs"

corpus="$build/fuzz-corpus-chunk"
artifacts="$build/fuzz-artifacts"
log="$build/fuzz-chunk.log"
rm -rf "$corpus"
mkdir -p "$corpus" "$artifacts"
cp fuzz/corpus/chunk/* "$corpus/"

echo "fuzz: running fuzz_chunk for ${seconds} s on $(ls "$corpus" | wc -l) seeds"
status=0
"$build/fuzz/fuzz_chunk" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1 || status=$?

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
if [ "$status" -ne 0 ]; then
  tail -n 60 "$log"
  echo "fuzz: FAILED after ${executions:-an unknown number of} executions; input kept in $artifacts/" >&2
  exit "$status"
fi
echo "fuzz: ${executions} executions in ${seconds} s (${rate}/s), corpus grew to $(ls "$corpus" | wc -l) inputs, nothing found"
