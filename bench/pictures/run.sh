#!/usr/bin/env bash
# The picture benchmarks under Wine: opening an 8000 × 6000 picture (BMP, and NTP through
# the test plug-in) against a baseline that only reads and converts, the peak memory of
# each way, building the plug-in table over 10, 25 and 50 plug-ins, and one keystroke in
# the Options dialog's plug-in folder, which rebuilds the table from 50.
#   bench/pictures/run.sh [REPETITIONS]
set -euo pipefail
repetitions=${1:-7}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/mingw-x64
session=$root/build/picture-bench
data=$session/data

[ -f "$build/CMakeCache.txt" ] || cmake --preset mingw-x64 -S "$root" >/dev/null
cmake --build "$build" -j"$(nproc)" --target nerula_picture_bench nerula_plugin_ntp >/dev/null

# Wine sees the whole file system as drive Z:.
windows() { local path=${1//\//\\}; echo "Z:$path"; }
bench=$build/bench/pictures/picture_bench.exe
plugin=$(windows "$build/tests/plugins/out/ntp.sph")
folder=$(windows "$data")

"$root/tests/wine/wine-session.sh" start "$session" >/dev/null
cleanup() {
    "$root/tests/wine/wine-session.sh" stop "$session" || true
    rm -rf "$data"
}
trap cleanup EXIT
run() { "$root/tests/wine/run-in-wine.sh" "$session" ja_JP.UTF-8 "$bench" "$@"; }

mkdir -p "$data"
run make "$folder" "$plugin"
echo
run open "$folder" "$repetitions"
echo
echo "Peak memory of a process that opens the picture once (MiB)"
printf '%-22s %12s %12s\n' "" "pagefile" "working set"
for way in baseline bmp ntp; do
    run peak "$folder" "$way"
done
echo
run tables "$folder" "$plugin" "$((repetitions * 3))"
echo
run keys "$folder" "$plugin" "$((repetitions * 3))"
