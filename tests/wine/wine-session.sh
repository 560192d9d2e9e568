#!/usr/bin/env bash
# Starts and stops the Wine session of a test run: one throwaway prefix and one Xvfb
# display, both kept in a folder of the build tree.
#   wine-session.sh start DIR [--without-vbscript-regexp]
#                                create DIR/prefix, start Xvfb, record DIR/display; with the
#                                option, remove the "VBScript.RegExp" class from the prefix, as
#                                on a Windows without VBScript
#   wine-session.sh stop DIR     stop Wine and Xvfb
set -euo pipefail
action=$1
dir=$2
option=${3:-}
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
    if [ "$option" = --without-vbscript-regexp ]; then
        wine_reg() { WINEPREFIX="$dir/prefix" WINEDEBUG=-all /usr/lib/wine/wine64 reg "$@" </dev/null >/dev/null 2>&1; }
        for key in 'HKLM\Software\Classes\VBScript.RegExp' 'HKLM\Software\Wow6432Node\Classes\VBScript.RegExp'; do
            wine_reg delete "$key" /f || true
        done
        if wine_reg query 'HKCR\VBScript.RegExp'; then
            echo "wine-session.sh: VBScript.RegExp is still registered in $dir/prefix" >&2
            exit 1
        fi
    elif [ -n "$option" ]; then
        echo "wine-session.sh: unknown option $option" >&2
        exit 2
    fi
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
