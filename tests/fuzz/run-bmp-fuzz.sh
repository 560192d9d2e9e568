#!/usr/bin/env bash
# Builds the BMP reader's fuzzer with clang in build/fuzz and runs it for SECONDS (600 by
# default). The corpus in build/fuzz/bmp-corpus starts from the seed files and keeps what
# each run finds; a crashing input is written to build/fuzz/ as crash-*.
#   tests/fuzz/run-bmp-fuzz.sh [SECONDS] [extra libFuzzer options...]
set -euo pipefail
seconds=${1:-600}
shift || true
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/fuzz

cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNERULA_BUILD_TESTS=OFF -DNERULA_BUILD_FUZZERS=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target bmp_reader_fuzz bmp_seed_corpus

corpus=$build/bmp-corpus
"$build/tests/fuzz/bmp_seed_corpus" "$corpus"
"$build/tests/fuzz/bmp_reader_fuzz" -max_len=65536 -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build/" "$@" "$corpus"
