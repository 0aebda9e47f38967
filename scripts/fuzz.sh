#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and UBSan,
# and runs TARGET (all of them by default) for SECONDS each (15 by default).
# What a target finds is left in build/fuzz/findings/; the corpus it grows is
# kept in build/fuzz/corpus/ for the next run. FUZZ_ARGS, when set, is
# handed to every target (CI fixes the seed with it).
#
#   scripts/fuzz.sh [TARGET|all] [SECONDS]
#   TARGET: project_file, electrical_load, text_services, store, workbook
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

target="${1:-all}"
seconds="${2:-15}"
targets=(project_file electrical_load text_services store workbook)
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "fuzz.sh: SECONDS must be a whole number, not $seconds" >&2; exit 2; }
if [ "$target" != all ]; then
    [[ " ${targets[*]} " == *" $target "* ]] || { echo "fuzz.sh: no target $target (${targets[*]})" >&2; exit 2; }
    targets=("$target")
fi

scripts/install-deps.sh --fuzz
CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVEX_FUZZ=ON >/dev/null
cmake --build build/fuzz --target tovex_fuzzers -j"$(nproc)"

# Seeds kept elsewhere in the tree, beside each target's own.
declare -A extra_seeds=([project_file]="examples tests/fixtures/cli")
# A store's changes are five bytes each: room for a few hundred of them,
# whatever the length of the seeds.
declare -A options=([store]="-max_len=4096 -len_control=0")
read -r -a passed <<< "${FUZZ_ARGS:-}"
mkdir -p build/fuzz/findings
failed=()
for name in "${targets[@]}"; do
    # Paths are absolute: a target works in a scratch folder of its own.
    corpora=("$root/build/fuzz/corpus/$name" "$root/fuzz/corpus/$name")
    for seeds in ${extra_seeds[$name]:-}; do corpora+=("$root/$seeds"); done
    read -r -a own <<< "${options[$name]:-}"
    mkdir -p "build/fuzz/corpus/$name"
    echo "== $name, ${seconds} s" >&2
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "build/fuzz/bin/${name}_fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix="$root/build/fuzz/findings/$name-" \
        ${own[@]+"${own[@]}"} ${passed[@]+"${passed[@]}"} "${corpora[@]}" || failed+=("$name")
done
# Every target runs even when one finds something; then the run fails.
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz.sh: found something: ${failed[*]} (see build/fuzz/findings/)" >&2
    exit 1
fi
