#!/usr/bin/env bash
# Installs the Debian packages that building tovex and its Python package
# need, when they are missing; with --tests, also those that only the tests
# need (a headless browser for the HTML report's test, openpyxl for the
# workbooks', pytest, Dask and matplotlib for the Python package's); with
# --fuzz, clang and its fuzzing runtime for scripts/fuzz.sh. Needs root (or sudo) only when
# something is missing.
set -euo pipefail

packages=(cmake g++ make pkg-config googletest libgtest-dev libgmock-dev nlohmann-json3-dev rapidjson-dev libcli11-dev
          libjemalloc-dev libsqlite3-dev libsqlitecpp-dev libxxhash-dev libxlsxwriter-dev libzip-dev libpugixml-dev libdeflate-dev
          pybind11-dev python3-dev python3-setuptools python3-wheel python3-venv python3-pandas)
[ "${1:-}" = "--tests" ] && packages+=(chromium fonts-dejavu-core python3-openpyxl python3-pytest python3-distributed
                                           python3-matplotlib)
[ "${1:-}" = "--fuzz" ] && packages+=(clang-14 libclang-rt-14-dev)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
