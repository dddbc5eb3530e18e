#!/usr/bin/env bash
# Builds an optimised tree (build/bench) and prints the benchmark figures:
# start-up time and memory of the drill against a bare Qt window, then the
# time the core takes for a new exercise and for one key.
#   bench/run.sh [runs]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$root/build/bench"
"$root/scripts/deps.sh" bench
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DVENDARO_TOOLS=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$dir" --target vendaro vendaro_bare_window vendaro_startup_bench vendaro_core_bench -j"$(nproc)" >/dev/null
"$dir/bench/vendaro_startup_bench" "$dir/app/vendaro" "$dir/bench/vendaro_bare_window" "${1:-15}"
"$dir/bench/vendaro_core_bench"
