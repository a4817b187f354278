#!/usr/bin/env bash
# The libFuzzer targets, built with clang: replays every seed and regression file, then fuzzes
# each target for a short while. Any finding fails.
set -euo pipefail
dorvik_root=$(cd "$(dirname "$0")/.." && pwd)
source "$dorvik_root/tools/deps.sh"
dorvik_install_missing "${dorvik_packages[@]}" "${dorvik_test_packages[@]}"
cmake -S "$dorvik_root" -B "$dorvik_root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DDORVIK_BUILD_FUZZ=ON -DDORVIK_BUILD_TESTS=OFF -DDORVIK_BUILD_BENCH=OFF \
    -DDORVIK_FUZZ_SECONDS="${DORVIK_FUZZ_SECONDS:-60}" >/dev/null
cmake --build "$dorvik_root/build-fuzz" --target dorvik_fuzzers --parallel "$(nproc)"
cd "$dorvik_root/build-fuzz"
ctest --output-on-failure -L fuzz "$@"
