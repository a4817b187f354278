#!/usr/bin/env bash
# Installs what is missing, builds, and starts Dorvik on the bundled demo board.
# Extra arguments are passed on to the program (they replace the demo board).
# Without a display, draws the board offscreen through the script interface and saves a PNG.
set -euo pipefail
dorvik_root=$(cd "$(dirname "$0")" && pwd)
source "$dorvik_root/tools/deps.sh"

dorvik_install_missing "${dorvik_packages[@]}"
dorvik_build "$dorvik_root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo

program="$dorvik_root/build/bin/dorvik"
args=("$@")
[ ${#args[@]} -eq 0 ] && args=("$dorvik_root/examples/demo.brd")

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program" "${args[@]}"
fi

# No display: the same start-up, driven by a script on the offscreen platform.
board="$dorvik_root/examples/demo.brd"
if [ ${#args[@]} -eq 1 ] && [[ "${args[0]}" != -* ]]; then
    board="${args[0]}"
fi
picture="$dorvik_root/build/dorvik-demo.png"
echo "No display found (DISPLAY and WAYLAND_DISPLAY are empty), so the window cannot be shown."
echo "Drawing $board offscreen instead, as the window would show it at 1280 x 720."
printf 'size 1280 720\nopen %s\nsave %s\nquit\n' "$board" "$picture" |
    QT_QPA_PLATFORM=offscreen "$program" --script -
echo "Picture of the board: $picture"
