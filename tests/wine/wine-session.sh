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
    # A display number that no other server holds.
    for n in $(seq 90 140); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            break
        fi
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    echo ":$n" >"$dir/display"
    "$here/../../tools/wine-prefix.sh" "$dir/prefix" </dev/null >"$dir/prefix.log" 2>&1
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
    # Keep one wineserver for the whole run: each test process then starts quickly.
    WINEPREFIX="$dir/prefix" /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
    echo "Wine session ready: prefix $dir/prefix, display :$n"
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
