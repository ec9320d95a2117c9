#!/usr/bin/env bash
# Sets the machine up, then builds and runs every test: the normal build and
# the AddressSanitizer + UndefinedBehaviorSanitizer build, then a bounded run
# of the chunk fuzz target (fuzz/run-fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh

jobs=$(nproc 2>/dev/null || echo 2)

step() { echo; echo "==== $*"; }

step "release build and tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

step "sanitizer build (address, undefined) and tests"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DORVANTA_SANITIZE=ON -DORVANTA_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

step "fuzz: state chunk records (60 s, libFuzzer + address, undefined)"
fuzz/run-fuzz.sh 60

echo
echo "==== all tests passed"
