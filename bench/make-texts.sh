#!/usr/bin/env bash
# Writes the benchmarks' text files: Japanese prose from the bundled sample, repeated to
# 1, 4 and 16 MB, in Shift-JIS and UTF-8, with LF line ends (as Unix files have them) and
# with CR LF. Files that are already there are kept.
#   bench/make-texts.sh DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
mkdir -p "$dir"

# The prose without the sample's ASCII heading: the files start the way Japanese prose
# does, so the benchmark measures decoding in the right code page; whether a code page is
# recognised is the detection benchmark's matter.
block=$dir/prose-sjis.txt
tail -n +4 "$root/samples/sample-sjis.txt" >"$block"
iconv -f CP932 -t UTF-8 "$block" >"$dir/prose-utf8.txt"

# Repeats FILE to SIZE bytes and drops the cut last line, so no character is split.
repeat_to() {
    local source=$1 size=$2 out=$3 grown
    grown=$(mktemp)
    cp "$source" "$grown"
    while [ "$(stat -c %s "$grown")" -lt "$size" ]; do
        cat "$grown" "$grown" >"$grown.next"
        mv "$grown.next" "$grown"
    done
    head -c "$size" "$grown" | sed '$d' >"$out"
    rm -f "$grown"
}

for mb in 1 4 16; do
    for encoding in sjis utf8; do
        lf=$dir/$encoding-${mb}mb-lf.txt
        crlf=$dir/$encoding-${mb}mb-crlf.txt
        [ -f "$lf" ] || repeat_to "$dir/prose-$encoding.txt" $((mb * 1024 * 1024)) "$lf"
        [ -f "$crlf" ] || sed 's/$/\r/' "$lf" >"$crlf"
    done
done
