#!/usr/bin/env bash
# Builds tovex and runs the full utility calculation on the example plant.
# The reports, KVT_ELEC.TMP and the project after the run (state.json) are
# left in out/, and a project store of the plant with that run kept in it
# (ethylene-plant.db), and the run's HTML report (report.html).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTOVEX_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)" >/dev/null

mkdir -p out
rm -f out/ethylene-plant.db
build/release/bin/tovex import examples/ethylene-plant.json out/ethylene-plant.db >/dev/null
build/release/bin/tovex run out/ethylene-plant.db --dir out --html out/report.html
build/release/bin/tovex export out/ethylene-plant.db -o out/state.json
echo
echo "Reports, state and store written to $(pwd)/out:"
ls -1 out
