#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each for SECONDS (300 by
# default), one after another: TARGETs by name (with or without "_fuzz"), or all of them.
# Each keeps its corpus in build/fuzz/TARGET-corpus, which starts from its seed files and
# grows with every run; its output goes to build/fuzz/TARGET.log, and an input that breaks
# a promise or crashes is written to build/fuzz/ as TARGET-crash-* (or -timeout-, -oom-).
# Prints per target the executions, the seconds and whether it ran clean; the status is
# not 0 when any target found a fault.
#   tests/fuzz/run-fuzzers.sh [SECONDS] [TARGET...]
set -uo pipefail
seconds=${1:-300}
shift || true
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/fuzz

# The longest input each target is given: long enough for the detector's and the decoder's
# windows and the BMP reader's pictures, short enough that the fuzzer stays quick.
declare -A max_len=(
    [bmp_reader_fuzz]=65536
    [code_page_detector_fuzz]=65536
    [iso2022jp_decoder_fuzz]=16384
    [encoding_readings_fuzz]=4096
    [text_loading_fuzz]=16384
    [command_line_fuzz]=4096
    [integer_text_fuzz]=256
    [plugin_table_fuzz]=4096
)
all=(bmp_reader_fuzz code_page_detector_fuzz iso2022jp_decoder_fuzz encoding_readings_fuzz text_loading_fuzz
    command_line_fuzz integer_text_fuzz plugin_table_fuzz)

targets=()
for name in "${@:-${all[@]}}"; do
    target=${name%_fuzz}_fuzz
    if [[ -z ${max_len[$target]:-} ]]; then
        echo "run-fuzzers.sh: no target $name (known: ${all[*]})" >&2
        exit 2
    fi
    targets+=("$target")
done

# One job: the machine is shared, and the fuzzers run one at a time for the same reason.
cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNERULA_BUILD_TESTS=OFF -DNERULA_BUILD_FUZZERS=ON >/dev/null || exit 1
cmake --build "$build" -j1 --target "${targets[@]}" bmp_seed_corpus seed_corpus || exit 1

faults=0
summary=()
for target in "${targets[@]}"; do
    corpus=$build/$target-corpus
    log=$build/$target.log
    if [[ $target == bmp_reader_fuzz ]]; then
        "$build/tests/fuzz/bmp_seed_corpus" "$corpus" >/dev/null
    else
        "$build/tests/fuzz/seed_corpus" "$target" "$corpus" >/dev/null
    fi
    echo "== $target: ${seconds} s"
    start=$(date +%s)
    "$build/tests/fuzz/$target" -max_len="${max_len[$target]}" -max_total_time="$seconds" -timeout=60 \
        -print_final_stats=1 -artifact_prefix="$build/$target-" "$corpus" >"$log" 2>&1
    status=$?
    elapsed=$(($(date +%s) - start))
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    if [[ $status -eq 0 ]]; then
        verdict=clean
    else
        faults=$((faults + 1))
        artifact=$(sed -n 's/.*Test unit written to //p' "$log" | tail -n 1)
        verdict="FAULT (status $status${artifact:+, input in $artifact}; see $log)"
    fi
    line="$target: ${executions:-?} executions in $elapsed s, $verdict"
    echo "$line"
    summary+=("$line")
done

echo "== summary"
printf '%s\n' "${summary[@]}"
[[ $faults -eq 0 ]]
