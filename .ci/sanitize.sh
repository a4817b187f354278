#!/usr/bin/env bash
# The whole test suite built with AddressSanitizer, UBSan (float-to-int casts included) and the
# standard library's assertions. Any finding fails.
set -euo pipefail
dorvik_root=$(cd "$(dirname "$0")/.." && pwd)
source "$dorvik_root/tools/deps.sh"
dorvik_install_missing "${dorvik_packages[@]}" "${dorvik_test_packages[@]}"
dorvik_build "$dorvik_root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DDORVIK_SANITIZE=ON \
    -DDORVIK_BUILD_BENCH=OFF
cd "$dorvik_root/build-asan"
# Qt and fontconfig keep caches alive until exit by design; leak reports from them are noise.
# (strict_string_checks stays off: X's keyboard library rightly strndup()s buffers that have no
# terminating zero, which that check reports.)
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --output-on-failure --parallel "$(nproc)" "$@"
