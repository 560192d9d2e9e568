# Sourced by the scripts that need a private X display (tests, screenshots, make run).
#   start_xvfb LOG    starts Xvfb on a display that no other server holds and sets
#                     xvfb_pid and xvfb_display (":N"); fails when no server came up.
# Xvfb chooses the display itself (-displayfd) and names it only once it listens there: a
# display number can be held by a server whose socket file lies in another /tmp, where
# checking for the file would pick it and the tests would talk to that other server.

start_xvfb() {
    local log=$1 fifo number
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$log" 2>&1 9>"$fifo" &
    xvfb_pid=$!
    # The number arrives once the server listens; nothing arrives when it fails.
    number=$(timeout 20 head -n 1 "$fifo" || true)
    rm -f "$fifo"
    if [ -z "$number" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "Xvfb did not start (see $log)" >&2
        kill "$xvfb_pid" 2>/dev/null || true
        return 1
    fi
    xvfb_display=":$number"
}
