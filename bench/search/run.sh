#!/usr/bin/env bash
# The search benchmarks under Wine (x86_64 build, LANG=ja_JP.UTF-8), in one process each,
# against the same edit control the viewer shows its text in (a hidden window holds it):
# - search (first): the first search over 16 MB of Japanese prose (UTF-16, CR LF lines,
#   "検索語" about 100,000 times), TextSearch::FindAndSelect after ReleaseMatches with the
#   caret at 0 and the find window's default choices (downwards, case ignored), against a
#   baseline that reads the control's text once and finds every match: literal search
#   against std::u16string_view::find, the own engine against one Boost.Regex pass
#   (boost::wregex, case ignored too), the "VBScript.RegExp" object against its own Execute
#   plus one walk of FirstIndex and Length by DISPIDs looked up once (no goal; skipped when
#   the object cannot be created);
# - search (F3): F3 and Shift+F3 in turn over the cached list of 1,000,000 matches, per
#   step, in each mode, with the parts of a step and a check that no step searched again;
# - search (cache): the memory the list keeps per match besides its one copy of the text.
# Wine's edit control lays out every line when it takes a text: loading the 16 MB text
# takes about 20 s, the 8.4 MB one for the steps about 5 s, each once per run.
# Expects the mingw-x64 build; `make bench` builds it first.
# Environment: BENCH_BUILD_DIR (default build/mingw-x64), BENCH_SEARCH_MB (default 16),
# BENCH_SEARCH_REPS (default 9), BENCH_SEARCH_OBJECT_REPS (default 5), BENCH_SEARCH_MATCHES
# (default 1000000), BENCH_SEARCH_PLACES (caret spots, default 200), BENCH_SEARCH_STEPS
# (steps from each, default 10), BENCH_SEARCH_MODES (default "literal builtin object"),
# BENCH_SEARCH_SESSION (the Wine session's folder, default build/search-bench).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BENCH_BUILD_DIR:-$root/build/mingw-x64}
session=${BENCH_SEARCH_SESSION:-$root/build/search-bench}
bench=$build/bench/search/search_bench.exe
if [ ! -f "$bench" ]; then
    echo "bench/search/run.sh: $bench is missing; build the target nerula_search_bench first" >&2
    exit 1
fi

stop_session() { "$root/tests/wine/wine-session.sh" stop "$session" >/dev/null 2>&1 || true; }
trap stop_session EXIT
"$root/tests/wine/wine-session.sh" start "$session" >/dev/null
run() { "$root/tests/wine/run-in-wine.sh" "$session" ja_JP.UTF-8 "$bench" "$@"; }

read -r -a modes <<<"${BENCH_SEARCH_MODES:-literal builtin object}"
run first "${BENCH_SEARCH_MB:-16}" "${BENCH_SEARCH_REPS:-9}" "${BENCH_SEARCH_OBJECT_REPS:-5}"
run steps "${BENCH_SEARCH_MATCHES:-1000000}" "${BENCH_SEARCH_PLACES:-200}" "${BENCH_SEARCH_STEPS:-10}" "${modes[@]}"
