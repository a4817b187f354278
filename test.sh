#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test suite. Exits non-zero on any failure.
set -euo pipefail
dorvik_root=$(cd "$(dirname "$0")" && pwd)
source "$dorvik_root/tools/deps.sh"

dorvik_install_missing "${dorvik_packages[@]}" "${dorvik_test_packages[@]}"
dorvik_build "$dorvik_root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cd "$dorvik_root/build"
ctest --output-on-failure --parallel "$(nproc)" "$@"
