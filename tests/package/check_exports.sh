#!/usr/bin/env bash
# The module's dynamic symbol table holds exactly the five plain entry names.
set -euo pipefail
library="$1"
expected="tovex_add_utility_costs
tovex_get_utility_for_class
tovex_get_utility_for_class_and_equip_info
tovex_get_utility_init
tovex_get_utility_old"
actual="$(nm -D --defined-only "$library" | awk '{print $3}' | sort)"
if [ "$actual" != "$expected" ]; then
    echo "exported symbols differ from the five entry points:" >&2
    diff <(echo "$expected") <(echo "$actual") >&2 || true
    exit 1
fi
echo "1 passed, 0 failed"
