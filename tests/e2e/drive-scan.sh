#!/bin/sh
# Runs inside the virtual display: starts the program on a board with its script fed through a
# pipe, waits for the report folders to be read, then writes a report into a watched folder as
# the tester does, and scans its serial with the real keyboard until the program finds it: the
# report's fault list then shows on the board the board library names. The report folders and
# the library are the ones DORVIK_REPORT_FOLDERS and DORVIK_BOARD_LIBRARY name.
# Usage: drive-scan.sh PROGRAM BOARD REPORT_TEXT DROPPED_AS SERIAL WORKDIR
set -u
program=$1 board=$2 report=$3 dropped=$4 serial=$5 work=$6
out=$work/out
mkfifo "$work/in"
"$program" --script - "$board" < "$work/in" > "$out" 2> "$work/err" &
pid=$!
exec 3> "$work/in"
. "$(dirname "$0")/driver-common.sh"

command "size 640 400"
command "waitindex"
wait_lines "index: " 1
command "where SerialField"
wait_lines "where SerialField" 1
focus_window 'Dorvik Drawing Program$'

# The tester writes its report while the program runs.
mkdir -p "$(dirname "$dropped")"
cp "$report" "$dropped"

# Scanned again until the watcher has brought the report in (it waits until the file is settled)
# and the scan has opened it: the unit then has the report's board name.
n=0
while :; do
    n=$((n + 1))
    command "where SerialField" # the panel may have grown above it
    wait_lines "where SerialField" $((n + 1))
    click_at "$(centre SerialField)"
    xdotool key ctrl+a
    xdotool type --delay 30 "$serial"
    xdotool key Return
    sleep 0.5
    command "unit"
    wait_lines "loop: " "$n"
    grep "^board: " "$out" | tail -n 1 | grep -q "^board: $" || break
    [ $n -gt 40 ] && fail "the dropped report was never opened"
    sleep 0.5
done
echo "title: $(xdotool search --onlyvisible --name ' - Dorvik Drawing Program$' getwindowname)"
command "unitreports"
wait_lines "unitreports: " 1
command "faults"
command "quit"
wait "$pid"
