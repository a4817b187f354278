#!/usr/bin/env bash
# Installs what is missing, builds, and starts Dorvik on the bundled demo board.
# Extra arguments are passed on to the program (they replace the demo board).
set -euo pipefail
dorvik_root=$(cd "$(dirname "$0")" && pwd)
source "$dorvik_root/tools/deps.sh"

dorvik_install_missing "${dorvik_packages[@]}"
dorvik_build "$dorvik_root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo

program="$dorvik_root/build/bin/dorvik"
if [ ! -x "$program" ]; then
    echo "Built. The window is not part of this build yet."
    exit 0
fi
args=("$@")
[ ${#args[@]} -eq 0 ] && args=("$dorvik_root/examples/demo.brd")
exec "$program" "${args[@]}"
