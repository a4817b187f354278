#!/bin/sh
# Runs inside the virtual display: starts the program on a board and a report, with its script fed
# through a pipe, and records a repair with the real pointer and keyboard through xdotool: the
# unit's serial typed into the Serial field as a scanner types it, a line clicked, Space for its
# tick, Down and Enter in the Repair window. The repair log is the one DORVIK_REPAIR_LOG names.
# Usage: drive-repair.sh PROGRAM BOARD REPORT SERIAL WORKDIR
set -u
program=$1 board=$2 report=$3 serial=$4 work=$5
out=$work/out
mkfifo "$work/in"
"$program" --script - --report "$report" "$board" < "$work/in" > "$out" 2> "$work/err" &
pid=$!
exec 3> "$work/in"
. "$(dirname "$0")/driver-common.sh"

command "size 640 400"
command "operator E2E Tester"
command "where SerialField"
command "where fault 2"
wait_lines "where fault 2" 1
focus_window 'Dorvik Drawing Program$'

# The serial scanned: typed into the field, then Enter.
click_at "$(centre SerialField)"
xdotool type --delay 30 "$serial"
xdotool key Return
sleep 0.5
command "unit"
wait_lines "loop: " 1

# The second line clicked (right of its tick box), then Space ticks it: the Repair window, whose
# action list has the keyboard: Down to Resoldered, Enter records.
click_at "$(left 'fault 2' 120)"
xdotool key space
focus_window '^Repair$'
xdotool key Down
sleep 0.2
xdotool key Return
wait_lines "repaired: 2 " 1

command "history"
wait_lines "history: " 1
# With a line database, until the outbox is empty.
n=0
while :; do
    command "logstatus"
    n=$((n + 1))
    wait_lines "log: " "$n"
    grep "^log: " "$out" | tail -n 1 | grep -q "waiting=0$" && break
    [ $n -gt 100 ] && fail "the outbox was not sent"
    sleep 0.2
done
command "quit"
wait "$pid"
