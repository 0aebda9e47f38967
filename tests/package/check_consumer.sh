#!/usr/bin/env bash
# Installs the build into a scratch prefix, builds the consumer against the
# installed package and runs it.
set -euo pipefail
build="$1"
source="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
cmake -S "$source/tests/package/consumer" -B "$scratch/consumer" -DCMAKE_PREFIX_PATH="$scratch/prefix" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$scratch/consumer" >/dev/null
output="$(LD_LIBRARY_PATH="$scratch/prefix/lib" "$scratch/consumer/consumer")"
if [ "$output" != "$(printf '1 12.5    \nKLB/H')" ]; then
    echo "unexpected consumer output: $output" >&2
    exit 1
fi
echo "1 passed, 0 failed"
