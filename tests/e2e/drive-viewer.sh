#!/bin/sh
# Runs inside the virtual display: starts the program on a script fed through a pipe, and between
# script commands works the window with the real pointer and keyboard through xdotool.
# Usage: drive-viewer.sh PROGRAM BOARD WORKDIR
set -u
program=$1 board=$2 work=$3
out=$work/out
mkfifo "$work/in"
"$program" --script - < "$work/in" > "$out" 2> "$work/err" &
pid=$!
exec 3> "$work/in"

# Waits until the program has printed N lines of state (33 lines each).
wait_states() {
    n=0
    while [ "$(grep -c '^BoardLoaded=' "$out")" -lt "$1" ]; do
        n=$((n + 1))
        if [ $n -gt 300 ]; then echo "timed out waiting for state $1" >&2; return 1; fi
        sleep 0.1
    done
}
command() { echo "$*" >&3; }

command "size 640 400"
command "open $board"
command "state"
wait_states 1 || exit 1

window=$(xdotool search --sync --onlyvisible --name 'Dorvik' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
# Menu bar, tool bar (43), drawing area (640 x 400), status bar (21) from top to bottom.
area_x=$X
area_y=$((Y + HEIGHT - 21 - 400))
bar_y=$((area_y - 43 + 21))

# One wheel notch up over (200, 150) of the drawing area.
xdotool mousemove --sync $((area_x + 200)) $((area_y + 150))
sleep 0.2
xdotool click 4
sleep 0.5
command "state"
wait_states 2 || exit 1

# A drag of the picture with the left button: 60 right, 30 down.
xdotool mousemove --sync $((area_x + 300)) $((area_y + 200)) mousedown 1
for step in 1 2 3 4 5 6; do
    xdotool mousemove --sync $((area_x + 300 + step * 10)) $((area_y + 200 + step * 5))
    sleep 0.05
done
xdotool mouseup 1
sleep 0.5
command "state"
wait_states 3 || exit 1

# Typing into the search field: E would ask to exit if it reached the main window.
xdotool mousemove --sync $((X + WIDTH - 100)) "$bar_y" click 1
sleep 0.3
xdotool type --delay 50 'e'
xdotool key BackSpace
xdotool type --delay 50 'R7'
sleep 0.3
xdotool key Return
sleep 0.5
command "state"
command "status"
wait_states 4 || exit 1
command "save $work/after.png"
command "quit"
wait "$pid"
