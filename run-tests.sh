#!/usr/bin/env bash
# Sets the machine up, then builds and runs every test: the normal build, the
# same built by clang, and the AddressSanitizer + UndefinedBehaviorSanitizer
# build, with a bounded run of the chunk fuzz target (fuzz/run-fuzz.sh) beside
# the clang and sanitizer builds, then the validation battery in the release,
# sanitizer and thread-sanitizer builds.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh

jobs=$(nproc 2>/dev/null || echo 2)

step() { echo; echo "==== $*"; }

step "release build and tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# The same tests built by clang, which warns about other things than GCC
# does (warnings are errors in both) and optimises differently. Benchmarks
# and the Debian package (built and installed from the GCC build above) are
# left out here to keep CI short.
# The fuzz run lasts a set time on one core: it goes on in the background
# while clang and the sanitizers build, and its log is shown once it ends.
logs=$(mktemp -d /tmp/orvanta-ci-logs-XXXXXX)
fuzz/run-fuzz.sh 60 >"$logs/fuzz.log" 2>&1 &
fuzz_pid=$!
# A failing step ends the script: the fuzz run, if still going, ends with it.
# (Nothing in here may fail: under set -e that would become the exit code.)
end_fuzz_run() {
  pkill -P "$fuzz_pid" 2>/dev/null || true
  kill "$fuzz_pid" 2>/dev/null || true
  rm -rf "$logs"
}
trap end_fuzz_run EXIT

step "release build with clang and tests"
CC=clang CXX=clang++ cmake -S . -B build-clang -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-clang -j "$jobs"
ctest --test-dir build-clang --output-on-failure -j "$jobs" -E '^package_install$'

step "sanitizer build (address, undefined) and tests"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DORVANTA_SANITIZE=ON -DORVANTA_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"


step "fuzz: state chunk records (60 s, libFuzzer + address, undefined)"
fuzz_status=0
wait "$fuzz_pid" || fuzz_status=$?
cat "$logs/fuzz.log"
[ "$fuzz_status" -eq 0 ] || exit "$fuzz_status"

# The validation battery (orvanta validate) on the release build, under
# AddressSanitizer + UndefinedBehaviorSanitizer, and in a ThreadSanitizer
# build of the program and the bundle, which must report nothing. Fixed
# seeds keep CI repeatable; fontconfig's process-wide caches are not leaks.
step "validation battery (strictness 3): release build"
build/host/orvanta validate --strictness 3 --seed 3

step "validation battery (strictness 3): address and undefined-behaviour sanitizers"
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$PWD/tests/validate/lsan-suppressions.txt" \
  UBSAN_OPTIONS=print_stacktrace=1 build-asan/host/orvanta validate --strictness 3 --seed 4

step "validation battery (strictness 3): thread sanitizer build"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_TSAN=ON -DORVANTA_BENCH=OFF >/dev/null
cmake --build build-tsan -j "$jobs" --target orvanta Orvanta
TSAN_OPTIONS=halt_on_error=1 build-tsan/host/orvanta validate --strictness 3 --seed 5

echo
echo "==== all tests passed"
