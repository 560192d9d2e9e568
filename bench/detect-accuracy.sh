#!/usr/bin/env bash
# How often Nerula's own code-page detector is right, next to nkf --guess and uchardet, on
# short and long cuts of real Japanese text in every encoding Nerula reads; and what the
# detection costs on a 50 MB file next to decoding it.
#
#   bench/detect-accuracy.sh            # a minute or two; prints two tables
#   KEEP=1 bench/detect-accuracy.sh     # keeps the samples and lists the detector's misses
#
# Installs nkf, uchardet and manpages-ja (whose pages are the text) when missing, and builds
# nerula-detect in build/linux. How the samples are cut and what counts as a correct guess
# is told at the top of bench/detect_accuracy.py.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

sudo_if_needed() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in nkf uchardet manpages-ja python3 cmake g++ make; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}" >&2
    sudo_if_needed apt-get update -qq
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

build=$root/build/linux
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target nerula-detect -j"$(nproc)" >/dev/null

work=$(mktemp -d)
if [ -z "${KEEP:-}" ]; then
    trap 'rm -rf "$work"' EXIT
fi
python3 "$root/bench/detect_accuracy.py" "$build/tools/detect/nerula-detect" "$work"
if [ -n "${KEEP:-}" ]; then
    echo "Samples in $work; the detector's misses in $work/nerula-misses.txt" >&2
fi
