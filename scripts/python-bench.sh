#!/usr/bin/env bash
# Builds the Release command and plant generator, installs the Python
# package into build/venv, and runs its benchmark (bench/python_bench.py):
# options and sizes go to it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DTOVEX_BUILD_TESTS=OFF -DTOVEX_BUILD_BENCH=ON >/dev/null
cmake --build build/bench -j"$(nproc)" --target tovex_plantgen tovex_cli tovex >/dev/null
[ -x build/venv/bin/python ] || /usr/bin/python3 -m venv --system-site-packages build/venv
build/venv/bin/pip install --quiet --no-build-isolation --no-index --disable-pip-version-check .
exec build/venv/bin/python bench/python_bench.py "$@"
