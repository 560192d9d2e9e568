#!/usr/bin/env bash
# Runs a Windows test program in the run's Wine session under a given locale; the locale
# decides the ANSI code page (C: 1252, ja_JP.UTF-8: 932).
#   run-in-wine.sh DIR LOCALE PROGRAM [ARGS...]
# Exits with 77 (skipped) when the program, or the Nerula.exe named by --nerula=, is
# 32-bit and this machine cannot run 32-bit code.
set -euo pipefail
dir=$1
locale=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../tools/wine-arch.sh
. "$here/../../tools/wine-arch.sh"
# The program, or the one that a black-box driver is told to start, may be 32-bit.
for program in "$@"; do
    program=${program#--nerula=}
    if [ -f "$program" ] && [[ $program == *.exe ]] && pe_is_32bit "$program" && ! can_run_32bit; then
        echo "skipped: this machine cannot run 32-bit programs (its kernel refuses Wine's i386 loader)"
        exit $wine_skip_32bit
    fi
done
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
