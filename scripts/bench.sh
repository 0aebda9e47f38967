#!/usr/bin/env bash
# Builds the Release benchmark and runs it: generated plants of 1,000 to
# 1,000,000 utility streams (or the sizes given as arguments), timed load,
# full and reduced runs, peak memory and report bytes, then the targets.
# Options go to tovex_bench: --seed S, --repeat N (medians of N runs).
# The largest size needs about 2 GiB of memory and a few minutes.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DTOVEX_BUILD_TESTS=OFF -DTOVEX_BUILD_BENCH=ON >/dev/null
cmake --build build/bench -j"$(nproc)" --target tovex_bench tovex_plantgen tovex_cli tovex >/dev/null
exec build/bench/bin/tovex_bench "$@"
