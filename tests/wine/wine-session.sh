#!/usr/bin/env bash
# Starts and stops the Wine session of a test run: one throwaway prefix and one Xvfb
# display, both kept in a folder of the build tree.
#   wine-session.sh start DIR    create DIR/prefix, start Xvfb, record DIR/display
#   wine-session.sh stop DIR     stop Wine and Xvfb
set -euo pipefail
action=$1
dir=$2
here=$(cd "$(dirname "$0")" && pwd)

case $action in
start)
    "$0" stop "$dir" || true
    mkdir -p "$dir"
    # shellcheck source=../../tools/xvfb.sh
    . "$here/../../tools/xvfb.sh"
    start_xvfb "$dir/xvfb.log"
    echo "$xvfb_pid" >"$dir/xvfb.pid"
    echo "$xvfb_display" >"$dir/display"
    "$here/../../tools/wine-prefix.sh" "$dir/prefix" </dev/null >"$dir/prefix.log" 2>&1
    # Keep one wineserver for the whole run: each test process then starts quickly.
    WINEPREFIX="$dir/prefix" /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
    echo "Wine session ready: prefix $dir/prefix, display $xvfb_display"
    ;;
stop)
    if [ -d "$dir/prefix" ]; then
        WINEPREFIX="$dir/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    fi
    if [ -f "$dir/xvfb.pid" ]; then
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
        rm -f "$dir/xvfb.pid"
    fi
    ;;
*)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
