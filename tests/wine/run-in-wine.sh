#!/usr/bin/env bash
# Runs a Windows test program in the run's Wine session under a given locale; the locale
# decides the ANSI code page (C: 1252, ja_JP.UTF-8: 932).
#   run-in-wine.sh DIR LOCALE PROGRAM [ARGS...]
set -euo pipefail
dir=$1
locale=$2
shift 2
export WINEPREFIX="$dir/prefix" FONTCONFIG_FILE="$dir/prefix/fonts.conf" DISPLAY="$(cat "$dir/display")" WINEDEBUG=-all
export LANG=$locale LC_ALL=$locale
# Wine's service processes, started by the first program of a session, inherit its output
# and outlive it; through a file they cannot hold the test runner's pipe open.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
/usr/lib/wine/wine64 "$@" </dev/null >"$log" 2>&1 || status=$?
cat "$log"
exit $status
