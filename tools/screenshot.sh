#!/usr/bin/env bash
# Shows Nerula in a Wine virtual desktop on a private Xvfb display and writes a PNG of it.
#   tools/screenshot.sh OUT.png [NERULA-ARGUMENTS...]
# Arguments that name existing Unix files are passed as Windows paths (drive Z:).
# Environment: NERULA_EXE (default build/mingw-x64/src/Nerula.exe), NERULA_LANG (locale,
# default ja_JP.UTF-8), SHOT_DELAY (seconds to wait before the picture, default 4),
# SHOT_DPI (the screen's DPI, the prefix's LogPixels: 96, 120, 144 or 192; default 96),
# SHOT_KEYS (keys typed into the program before the picture, as xdotool names them and
# separated by spaces, e.g. "ctrl+f"; SHOT_TYPE: text typed after them; SHOT_CLICKS: points
# on the screen clicked last, "x,y" separated by spaces).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$1
shift
exe=${NERULA_EXE:-$root/build/mingw-x64/src/Nerula.exe}
session=$root/build/screenshot
mkdir -p "$session"
[ -f "$session/prefix/system.reg" ] && [ -f "$session/prefix/fonts.conf" ] || "$root/tools/wine-prefix.sh" "$session/prefix" </dev/null >/dev/null 2>&1

args=()
for a in "$@"; do
    if [ -e "$a" ]; then
        args+=("Z:$(realpath "$a" | tr '/' '\\')")
    else
        args+=("$a")
    fi
done

# shellcheck source=xvfb.sh
. "$root/tools/xvfb.sh"
start_xvfb "$session/xvfb.log"
export WINEPREFIX=$session/prefix FONTCONFIG_FILE=$session/prefix/fonts.conf WINEDEBUG=-all DISPLAY=$xvfb_display
export LANG=${NERULA_LANG:-ja_JP.UTF-8} LC_ALL=${NERULA_LANG:-ja_JP.UTF-8}
cleanup() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
/usr/lib/wine/wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${SHOT_DPI:-96}" /f \
    </dev/null >/dev/null 2>&1
/usr/lib/wine/wineserver -w
/usr/lib/wine/wine64 explorer /desktop=shot,1280x1024 "$exe" "${args[@]}" </dev/null >/dev/null 2>&1 &
sleep "${SHOT_DELAY:-4}"
if [ -n "${SHOT_KEYS:-}" ]; then
    # shellcheck disable=SC2086 # one key chord per word
    xdotool key --delay 300 $SHOT_KEYS
    sleep 1
fi
if [ -n "${SHOT_TYPE:-}" ]; then
    xdotool type --delay 100 "$SHOT_TYPE"
    sleep 1
fi
for point in ${SHOT_CLICKS:-}; do
    xdotool mousemove "${point%,*}" "${point#*,}" click 1
    sleep 1
done
import -display "$xvfb_display" -window root "$out"
echo "Screenshot written to $out"
