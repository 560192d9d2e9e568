#!/usr/bin/env bash
# Runs the text-opening benchmarks under Wine (x86_64 build, LANG=ja_JP.UTF-8, so the ANSI
# code page is 932) and prints their table:
# - open (own work): Nerula's reading, detection and text loading against a read and one
#   conversion, in one process, LF and CR LF files;
# - open (whole): process start to text shown, Nerula against a minimal viewer, with the
#   peak memory a file adds.
# Expects the mingw-x64 build; `make bench` builds it first.
# Environment: BENCH_SIZES (MB, default "1 4 16"), BENCH_WORK_REPS (default 15),
# BENCH_OPEN_REPS (default 5, more for files that open quickly), BENCH_STEPS=1 to show
# each step's time under its own-work row, BENCH_WHOLE=0 to leave out the whole opening.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/mingw-x64
out=$root/build/bench
session=$out/wine-session
texts=$out/texts
sizes=${BENCH_SIZES:-1 4 16}

"$root/bench/make-texts.sh" "$texts"

windows_path() { echo "Z:$(realpath "$1" | tr '/' '\\')"; }
stop_session() { "$root/tests/wine/wine-session.sh" stop "$session" >/dev/null 2>&1 || true; }
trap stop_session EXIT
"$root/tests/wine/wine-session.sh" start "$session" >/dev/null
run() { "$root/tests/wine/run-in-wine.sh" "$session" ja_JP.UTF-8 "$@"; }

work=()
whole=()
for mb in $sizes; do
    for encoding in "sjis 932 SJIS" "utf8 65001 UTF-8"; do
        read -r name codePage label <<<"$encoding"
        for ends in lf crlf; do
            work+=("$label ${mb}MB ${ends^^}" "$codePage" "$(windows_path "$texts/$name-${mb}mb-$ends.txt")")
        done
        # The whole opening with LF only: CR LF changes only Nerula's own work, above.
        whole+=("$label ${mb}MB LF" "$codePage" "$(windows_path "$texts/$name-${mb}mb-lf.txt")")
    done
done

steps=()
[ "${BENCH_STEPS:-0}" = 1 ] && steps=(--steps)
run "$build/bench/own_work_bench.exe" "${steps[@]}" "${BENCH_WORK_REPS:-15}" "${work[@]}"
echo "(open (whole) starts each program at least ${BENCH_OPEN_REPS:-5} times per file; Wine's edit control"
echo " needs seconds per million characters, so the 16 MB files take minutes)"
[ "${BENCH_WHOLE:-1}" = 0 ] || run "$build/bench/open_bench.exe" "${BENCH_OPEN_REPS:-5}" "$(windows_path "$build/src/Nerula.exe")" \
    "$(windows_path "$build/bench/baseline_viewer.exe")" "$(windows_path "$root/samples/sample-sjis.txt")" \
    "${whole[@]}"
