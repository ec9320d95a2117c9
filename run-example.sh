#!/usr/bin/env bash
# Sets the machine up, builds Orvanta and runs its main job.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"
./build/bench/orvanta_bench --benchmark_min_time=0.2
