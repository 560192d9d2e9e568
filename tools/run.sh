#!/usr/bin/env bash
# Opens a file in Nerula under Wine: on the user's display when DISPLAY is set, otherwise
# on a private Xvfb display, where it writes a screenshot and closes again.
#   tools/run.sh FILE
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
file=$1
exe=$root/build/mingw-x64/src/Nerula.exe

if [ -n "${DISPLAY:-}" ]; then
    prefix=$root/build/run/prefix
    [ -f "$prefix/system.reg" ] && [ -f "$prefix/fonts.conf" ] || "$root/tools/wine-prefix.sh" "$prefix"
    WINEPREFIX=$prefix FONTCONFIG_FILE=$prefix/fonts.conf WINEDEBUG=-all exec /usr/lib/wine/wine64 "$exe" "Z:$(realpath "$file" | tr '/' '\\')"
fi
mkdir -p "$root/build"
"$root/tools/screenshot.sh" "$root/build/nerula-run.png" "$file"
