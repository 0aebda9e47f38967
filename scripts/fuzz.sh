#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and UBSan,
# and runs TARGET (all of them by default) for SECONDS each (15 by default).
# What a target finds is left in build/fuzz/findings/; the corpus it grows is
# kept in build/fuzz/corpus/ for the next run.
#
#   scripts/fuzz.sh [TARGET|all] [SECONDS]
#   TARGET: project_file, electrical_load, text_services, store
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

target="${1:-all}"
seconds="${2:-15}"
targets=(project_file electrical_load text_services store)
if [ "$target" != all ]; then
    [[ " ${targets[*]} " == *" $target "* ]] || { echo "fuzz.sh: no target $target (${targets[*]})" >&2; exit 2; }
    targets=("$target")
fi

scripts/install-deps.sh --fuzz
CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVEX_FUZZ=ON >/dev/null
cmake --build build/fuzz --target tovex_fuzzers -j"$(nproc)"

# Paths are absolute: a target works in a scratch folder of its own.
# Seeds kept elsewhere in the tree, beside each target's own.
declare -A extra_seeds=([project_file]="examples tests/fixtures/cli")
# A store's changes are five bytes each: room for a few hundred of them,
# whatever the length of the seeds.
declare -A options=([store]="-max_len=4096 -len_control=0")
mkdir -p build/fuzz/findings
for name in "${targets[@]}"; do
    mkdir -p "build/fuzz/corpus/$name"
    echo "== $name, ${seconds} s" >&2
    # shellcheck disable=SC2086
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "build/fuzz/bin/${name}_fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
        -print_final_stats=1 ${options[$name]:-} -artifact_prefix="$root/build/fuzz/findings/$name-" \
        "$root/build/fuzz/corpus/$name" "$root/fuzz/corpus/$name" ${extra_seeds[$name]:+$(printf "$root/%s " ${extra_seeds[$name]})}
done
