#!/usr/bin/env bash
# Builds tovex and runs the full utility calculation on the example plant.
# The reports, KVT_ELEC.TMP and the project after the run (state.json) are
# left in out/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTOVEX_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)" >/dev/null

mkdir -p out
build/release/bin/tovex run examples/ethylene-plant.json --dir out --state out/state.json
echo
echo "Reports and state written to $(pwd)/out:"
ls -1 out
