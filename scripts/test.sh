#!/usr/bin/env bash
# Builds tovex twice, plainly and under AddressSanitizer, LeakSanitizer and
# UBSan, and runs the whole test suite on each build; then installs the
# Python package as a user does, into a scratch venv, and runs its tests
# against the plain build's command.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests
jobs="$(nproc)"

cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/test -j"$jobs"
ctest --test-dir build/test --output-on-failure -j"$jobs"

cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTOVEX_SANITIZE=ON >/dev/null
cmake --build build/sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/sanitize --output-on-failure -j"$jobs"

# Debian's Python, not whichever python3 comes first on the PATH.
rm -rf build/venv
/usr/bin/python3 -m venv --system-site-packages build/venv
build/venv/bin/pip install --quiet --no-build-isolation --no-index --disable-pip-version-check .
TOVEX_COMMAND="$PWD/build/test/bin/tovex" build/venv/bin/python -m pytest -q tests/python_package
