# Sourced by the driver scripts: talking to the program's script through the pipe on fd 3 and
# reading what it printed into $out, and working the window with xdotool. $pid is the program's.

command() { echo "$*" >&3; }
fail() {
    echo "$*" >&2
    kill "$pid" 2> /dev/null
    exit 1
}
# Waits until the program has printed N lines starting with TEXT.
wait_lines() {
    n=0
    while [ "$(grep -c "^$1" "$out")" -lt "$2" ]; do
        n=$((n + 1))
        [ $n -gt 300 ] && fail "timed out waiting for '$1' $2 times"
        sleep 0.1
    done
}
# The centre of what 'where ...' printed last for NAME, as "X Y"; or at DX pixels from its left.
centre() { grep "^where $1 " "$out" | tail -n 1 | awk '{ print $(NF-3) + int($(NF-1) / 2), int($NF / 2) + $(NF-2) }'; }
left() { grep "^where $1 " "$out" | tail -n 1 | awk -v dx="$2" '{ print $(NF-3) + dx, int($NF / 2) + $(NF-2) }'; }
click_at() {
    # shellcheck disable=SC2046
    xdotool mousemove --sync $1 click 1
    sleep 0.5
}
# The window named NAME (a pattern), once it is on the screen, given the keyboard.
focus_window() {
    found=$(xdotool search --sync --onlyvisible --name "$1" | head -n 1)
    [ -n "$found" ] || fail "no window '$1'"
    xdotool windowfocus --sync "$found"
    sleep 0.3
}
