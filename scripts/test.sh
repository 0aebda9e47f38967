#!/usr/bin/env bash
# Builds tovex twice, plainly and under AddressSanitizer, LeakSanitizer and
# UBSan, and runs the whole test suite on each build.
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
