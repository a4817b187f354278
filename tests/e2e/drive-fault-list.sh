#!/bin/sh
# Runs inside the virtual display: starts the program on a board and a report with its script
# fed through a pipe, and works the fault list with the real pointer and keyboard through
# xdotool: Next, Previous from the Faults menu, a click on a row, Up in the list, a tick recorded
# through the Repair window, and Save List with the path typed into its file dialog. Between the actions the script prints the state.
# Usage: drive-fault-list.sh PROGRAM BOARD REPORT WORKDIR
set -u
program=$1 board=$2 report=$3 work=$4
out=$work/out
saved=$work/saved-list.txt
mkfifo "$work/in"
"$program" --script - --report "$report" "$board" < "$work/in" > "$out" 2> "$work/err" &
pid=$!
exec 3> "$work/in"

. "$(dirname "$0")/driver-common.sh"

# After an action: the state, and wait until it is printed (the STEP-th time).
state_after() {
    command "state"
    wait_lines BoardLoaded= "$1"
}

command "size 640 400"
command "where NextFaultButton"
command "where fault 3"
wait_lines "where fault 3" 1

window=$(xdotool search --sync --onlyvisible --name 'Dorvik Drawing Program$' | head -n 1)
[ -n "$window" ] || fail "no window"
xdotool windowfocus --sync "$window"
state_after 1

# Next, with the pointer on the panel's button: the first line.
click_at "$(centre NextFaultButton)"
state_after 2
click_at "$(centre NextFaultButton)"
state_after 3

# Previous, from the Faults menu with the keyboard.
xdotool key --clearmodifiers alt+a
sleep 0.5
xdotool key p
sleep 0.5
state_after 4

# A click on the third line's row, right of its tick box; then Up in the list, which has the
# focus now: the line above, and the board not panned by the same key.
click_at "$(left 'fault 3' 120)"
state_after 5
xdotool key Up
sleep 0.5
state_after 6

# The second fault ticked repaired with a click on its tick box: the Repair window comes up with
# its action list in the keyboard's hands, and Enter records the repair.
command "where fault 2"
wait_lines "where fault 2" 1
click_at "$(left 'fault 2' 10)"
focus_window '^Repair$'
xdotool key Return
wait_lines "repaired: 2 " 1
command "faults"
wait_lines "faults:" 1

# Save List from its button; the path typed into the dialog, then Enter.
command "where SaveFaultListButton"
wait_lines "where SaveFaultListButton" 1
xdotool mousemove --sync $(centre SaveFaultListButton) click 1
dialog=$(xdotool search --sync --onlyvisible --name 'Save Fault List' | head -n 1)
[ -n "$dialog" ] || fail "no Save List dialog"
xdotool windowfocus --sync "$dialog"
sleep 0.5
xdotool type --delay 20 "$saved"
xdotool key Return
n=0
while [ ! -s "$saved" ]; do
    n=$((n + 1))
    [ $n -gt 100 ] && fail "the list was not saved"
    sleep 0.1
done
sleep 0.5
command "status"
command "quit"
wait "$pid"
